#include "TaskTestSupport.h"

#include <velloro/base/Exceptions.h>
#include <velloro/base/ThreadPoolBoost.h>

#include <gtest/gtest.h>

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <boost/thread/future.hpp>
#include <boost/thread/thread.hpp>

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace Tessel::Base;

// Records the order in which tasks ran; read `ran` only while no task of it can run.
struct RunLog {
  FunctionTask* task(int label, int priority = 0) {
    return new FunctionTask(
        [this, label](FunctionTask&) {
          std::lock_guard<std::mutex> lock(mutex);
          ran.push_back(label);
        },
        priority);
  }
  std::mutex mutex;
  std::vector<int> ran;
};

TEST(ThreadPool, RunsByDescendingPriorityThenArrival) {
  RunLog log;
  ThreadPoolBoost pool("Order", 1);
  EXPECT_EQ(pool.state(), ThreadPoolBase::eRunning);
  pool.pause();
  EXPECT_EQ(pool.state(), ThreadPoolBase::ePaused);
  const int priorities[] = {2, 7, 7, 4, -3, 7, 4};
  for (int label = 0; label < 7; ++label) {
    EXPECT_TRUE(pool.addTask(log.task(label, priorities[label])));
  }
  EXPECT_EQ(pool.queuedCount(), 7u);
  EXPECT_EQ(pool.outstandingCount(), 7u);
  EXPECT_EQ(pool.executingCount(), 0u);
  EXPECT_TRUE(log.ran.empty()) << "a paused pool starts nothing";

  pool.resume();
  pool.waitUntilIdle();
  EXPECT_EQ(log.ran, (std::vector<int>{1, 2, 5, 3, 6, 0, 4}));
  expectNothingOutstanding(pool);

  // Again, with priorities that come and go, and many of them: the order of a stable sort.
  pool.pause();
  const int again[] = {3, 7, 3, 9, -3, -1000, 7};
  std::vector<std::pair<int, int>> queued; // priority, label
  for (int label = 0; label < 207; ++label) {
    queued.emplace_back(label < 7 ? again[label] : 500 - label * 5, label);
    pool.addTask(log.task(label, queued.back().first));
  }
  pool.resume();
  pool.waitUntilIdle();
  std::stable_sort(queued.begin(), queued.end(), [](auto& a, auto& b) { return a.first > b.first; });
  std::vector<int> expected{1, 2, 5, 3, 6, 0, 4};
  for (const auto& entry : queued) {
    expected.push_back(entry.second);
  }
  EXPECT_EQ(log.ran, expected);
  EXPECT_EQ(FunctionTask::sAlive, 0) << "the pool released every task it ran";
}

TEST(ThreadPool, ThreadCountsAndNames) {
  ThreadPoolBoost three("Three", 3);
  EXPECT_EQ(three.threadCount(), 3u);
  EXPECT_EQ(three.threadsAlive(), 3u);
  ThreadPoolBoost hardware("Hardware", 0);
  EXPECT_EQ(hardware.threadCount(), unsigned(sysconf(_SC_NPROCESSORS_ONLN))) << "one per processor online";

  auto threadNameIn = [](const char* poolName) {
    ThreadPoolBoost pool(poolName, 1);
    auto name = std::make_shared<std::string>();
    pool.addTask(new FunctionTask([name](FunctionTask&) {
      char buffer[64] = {};
      pthread_getname_np(pthread_self(), buffer, sizeof buffer);
      *name = buffer;
    }));
    pool.waitUntilIdle();
    return *name;
  };
  EXPECT_EQ(threadNameIn("Chk"), "tsBTP_Chk_0");
  EXPECT_EQ(threadNameIn("Localiser"), "tsBTP_Localiser") << "cut to the platform's 15 characters";
}

TEST(ThreadPool, StopDropsTheQueueAndRefusesWorkUntilResumed) {
  RunLog log;
  ThreadPoolBoost pool("Stop", 1);
  pool.pause();
  const TaskPtr kept(log.task(0, 5));
  const boost::shared_future<void> keptResult = kept->result();
  pool.addTask(kept.get());
  pool.addTask(log.task(1, 5));
  pool.addTask(log.task(2, 1));

  // Someone waiting for a paused pool is released when the queue is dropped.
  boost::thread waiter([&pool] { pool.waitUntilIdle(); });
  pool.stop();
  waiter.join();

  EXPECT_EQ(pool.state(), ThreadPoolBase::eStopped);
  expectNothingOutstanding(pool);
  EXPECT_EQ(kept->state(), Task::eUnqueued) << "a dropped task can be queued again";
  EXPECT_EQ(kept->pool(), nullptr);
  EXPECT_EQ(kept->referenceCount(), 1);
  EXPECT_EQ(FunctionTask::sAlive, 1) << "tasks nobody else held were released";

  EXPECT_FALSE(pool.addTask(log.task(3)));
  EXPECT_EQ(FunctionTask::sAlive, 1) << "a refused task nobody holds is released";
  EXPECT_FALSE(pool.addTask(kept.get()));
  EXPECT_EQ(kept->referenceCount(), 1) << "a refused task the caller holds stays alive";
  EXPECT_EQ(pool.queuedCount(), 0u);

  // Pausing a stopped pool makes it hold new tasks until resumed.
  pool.pause();
  EXPECT_EQ(pool.state(), ThreadPoolBase::ePaused);
  EXPECT_TRUE(pool.addTask(kept.get()));
  EXPECT_TRUE(pool.addTask(log.task(4)));
  EXPECT_EQ(pool.queuedCount(), 2u);
  pool.resume();
  EXPECT_EQ(pool.state(), ThreadPoolBase::eRunning);
  pool.waitUntilIdle();
  EXPECT_EQ(log.ran, (std::vector<int>{0, 4}));
  EXPECT_TRUE(keptResult.is_ready()) << "a task dropped and queued again completes its first result";
}

TEST(ThreadPool, AFutureStartTimeIsHonouredWithinThePollInterval) {
  ThreadPoolBoost pool("Later", 1);
  const auto start = boost::posix_time::microsec_clock::universal_time() + boost::posix_time::millisec(300);
  auto ranAt = std::make_shared<boost::posix_time::ptime>();
  FunctionTask* later = new FunctionTask(
      [ranAt](FunctionTask&) { *ranAt = boost::posix_time::microsec_clock::universal_time(); }, 10);
  later->setStartTime(start);
  RunLog log;
  pool.addTask(later);
  pool.addTask(log.task(1));
  pool.waitUntilIdle();

  EXPECT_EQ(log.ran, (std::vector<int>{1})) << "a task that is not ready does not hold back the others";
  ASSERT_FALSE(ranAt->is_not_a_date_time());
  EXPECT_GE(*ranAt, start);
  // One poll interval, plus room for a loaded machine.
  EXPECT_LT(*ranAt, start + boost::posix_time::millisec(100 + 400));
}

TEST(ThreadPool, DestructionRunsQueuedWorkAndShutdownMayDropIt) {
  RunLog log;
  {
    ThreadPoolBoost pool("Closing", 2);
    pool.pause();
    for (int label = 0; label < 5; ++label) {
      pool.addTask(log.task(label));
    }
  }
  EXPECT_EQ(log.ran.size(), 5u);
  {
    ThreadPoolBoost pool("Detached", 1);
    pool.pause();
    for (int label = 0; label < 3; ++label) {
      pool.addTask(log.task(label));
    }
    pool.shutdown(false, 0);
    EXPECT_EQ(pool.state(), ThreadPoolBase::eShutDown);
  }
  EXPECT_EQ(log.ran.size(), 8u) << "the destructor still waits for the workers it let go";
  {
    // A second shutdown waits for the same workers, and the pool stays shut down meanwhile.
    boost::promise<void> open;
    ThreadPoolBoost pool("Twice", 1);
    pool.addTask(new FunctionTask([opened = open.get_future().share()](FunctionTask&) { opened.wait(); }));
    pool.shutdown(false, 0);
    boost::thread again([&pool] { pool.shutdown(false, 30); });
    boost::this_thread::sleep_for(boost::chrono::milliseconds(50));
    EXPECT_EQ(pool.state(), ThreadPoolBase::eShutDown);
    open.set_value();
    again.join();
    EXPECT_EQ(pool.state(), ThreadPoolBase::eShutDown);
  }

  ThreadPoolBoost pool("Shutdown", 1);
  pool.pause();
  FunctionTask* dropped = new FunctionTask([](FunctionTask&) { ADD_FAILURE() << "a dropped task ran"; });
  const boost::shared_future<void> droppedResult = dropped->result();
  pool.addTask(dropped);
  pool.shutdown(true, 5);
  EXPECT_EQ(pool.state(), ThreadPoolBase::eShutDown);
  EXPECT_EQ(pool.threadsAlive(), 0u);
  expectNothingOutstanding(pool);
  EXPECT_EQ(FunctionTask::sAlive, 0);
  EXPECT_THROW(droppedResult.get(), boost::broken_promise) << "the waiter learns that it never ran";
  EXPECT_FALSE(pool.addTask(new FunctionTask([](FunctionTask&) {})));
  pool.resume();
  pool.stop();
  EXPECT_EQ(pool.state(), ThreadPoolBase::eShutDown) << "a shut-down pool stays shut down";
  EXPECT_EQ(FunctionTask::sAlive, 0);
}

TEST(ThreadPool, DestroyingThreadsGivesUpAfterTheTimeout) {
  boost::promise<void> entered;
  boost::promise<void> open;
  auto pool = std::make_unique<ThreadPoolBoost>("Stuck", 1);
  pool->addTask(new FunctionTask([&entered, opened = open.get_future().share()](FunctionTask&) {
    entered.set_value();
    opened.wait();
  }));
  entered.get_future().wait();
  EXPECT_EQ(whatThrown<Assert>([&] { pool->shutdown(false, 1); },
                               "Tessel::Base::ThreadPoolBoost::destroyThreads", 81),
            "Assertion failed: joinSuceeded")
      << "a busy worker was reported as joined";
  EXPECT_EQ(pool->state(), ThreadPoolBase::eShuttingDown);
  EXPECT_EQ(pool->threadsAlive(), 1u);

  // Once the task ends, destruction joins through the same closing thread.
  open.set_value();
  pool.reset();
  EXPECT_EQ(FunctionTask::sAlive, 0);
}

} // namespace
