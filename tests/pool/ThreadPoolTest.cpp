#include "FunctionTask.h"

#include <velloro/base/Exceptions.h>
#include <velloro/base/ThreadPoolBoost.h>

#include <gtest/gtest.h>

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <boost/smart_ptr/intrusive_ptr.hpp>
#include <boost/thread/future.hpp>
#include <boost/thread/thread.hpp>

#include <pthread.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

using namespace Tessel::Base;
using TaskPtr = boost::intrusive_ptr<FunctionTask>;

// Records the order in which tasks ran.
class RunLog {
public:
  FunctionTask* task(int label, int priority) {
    return new FunctionTask(
        [this, label](FunctionTask&) {
          std::lock_guard<std::mutex> lock(_mutex);
          _labels.push_back(label);
        },
        priority);
  }
  std::vector<int> labels() const {
    std::lock_guard<std::mutex> lock(_mutex);
    return _labels;
  }

private:
  mutable std::mutex _mutex;
  std::vector<int> _labels;
};

// A task that blocks its worker until released.
struct Gate {
  boost::promise<void> open;
  boost::shared_future<void> opened{open.get_future()};
  boost::promise<void> entered;
  FunctionTask* task() {
    return new FunctionTask([this](FunctionTask&) {
      entered.set_value();
      opened.wait();
    });
  }
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
  EXPECT_TRUE(log.labels().empty()) << "a paused pool starts nothing";

  pool.resume();
  pool.waitUntilIdle();
  EXPECT_EQ(log.labels(), (std::vector<int>{1, 2, 5, 3, 6, 0, 4}));
  EXPECT_EQ(pool.queuedCount(), 0u);
  EXPECT_EQ(pool.outstandingCount(), 0u);

  // Again, with priorities that come and go, and many of them.
  pool.pause();
  const int again[] = {3, 7, 3, 9, -3, -1000, 7};
  for (int label = 0; label < 7; ++label) {
    pool.addTask(log.task(10 + label, again[label]));
  }
  for (int label = 0; label < 200; ++label) {
    pool.addTask(log.task(100 + label, 500 - label * 5));
  }
  pool.resume();
  pool.waitUntilIdle();
  std::vector<int> expected{1, 2, 5, 3, 6, 0, 4};
  for (int label = 0; label < 200; ++label) {
    expected.push_back(100 + label);
    if (label == 98) {
      expected.insert(expected.end(), {13, 11, 16}); // priorities 9, 7, 7 after 10
    } else if (label == 99) {
      expected.insert(expected.end(), {10, 12}); // priorities 3, 3 after 5
    } else if (label == 100) {
      expected.push_back(14); // priority -3 after 0
    }
  }
  expected.push_back(15);
  EXPECT_EQ(log.labels(), expected);
  EXPECT_EQ(FunctionTask::sAlive, 0) << "the pool released every task it ran";
}

TEST(ThreadPool, ThreadCountsAndNames) {
  ThreadPoolBoost hardware("Hardware", 0);
  const unsigned expected = std::max(1u, boost::thread::hardware_concurrency());
  EXPECT_EQ(hardware.threadCount(), expected);
  EXPECT_EQ(hardware.threadsAlive(), expected);
  EXPECT_EQ(hardware.name(), "Hardware");
  EXPECT_EQ(ThreadPoolBoost(1).name(), "UnnamedThreadPoolBoost");

  auto threadNameIn = [](ThreadPoolBoost& pool) {
    auto name = std::make_shared<std::string>();
    pool.addTask(new FunctionTask([name](FunctionTask&) {
      char buffer[64] = {};
      pthread_getname_np(pthread_self(), buffer, sizeof buffer);
      *name = buffer;
    }));
    pool.waitUntilIdle();
    return *name;
  };
  ThreadPoolBoost shortName("Chk", 1);
  EXPECT_EQ(threadNameIn(shortName), "tsBTP_Chk_0");
  ThreadPoolBoost longName("Localiser", 1);
  EXPECT_EQ(threadNameIn(longName), "tsBTP_Localiser") << "cut to the platform's 15 characters";
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
  EXPECT_EQ(pool.queuedCount(), 0u);
  EXPECT_EQ(pool.outstandingCount(), 0u);
  EXPECT_EQ(kept->state(), Task::eUnqueued) << "a dropped task can be queued again";
  EXPECT_EQ(kept->pool(), nullptr);
  EXPECT_EQ(kept->referenceCount(), 1);
  EXPECT_EQ(FunctionTask::sAlive, 1) << "tasks nobody else held were released";

  EXPECT_FALSE(pool.addTask(log.task(3, 0)));
  EXPECT_EQ(FunctionTask::sAlive, 1) << "a refused task nobody holds is released";
  EXPECT_FALSE(pool.addTask(kept.get()));
  EXPECT_EQ(kept->referenceCount(), 1) << "a refused task the caller holds stays alive";
  EXPECT_EQ(pool.queuedCount(), 0u);

  pool.resume();
  EXPECT_EQ(pool.state(), ThreadPoolBase::eRunning);
  EXPECT_TRUE(pool.addTask(kept.get()));
  pool.addTask(log.task(4, 0));
  pool.waitUntilIdle();
  EXPECT_EQ(log.labels(), (std::vector<int>{0, 4}));
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
  pool.addTask(log.task(1, 0));
  pool.waitUntilIdle();

  EXPECT_EQ(log.labels(), (std::vector<int>{1})) << "a task that is not ready does not hold back the others";
  ASSERT_FALSE(ranAt->is_not_a_date_time());
  EXPECT_GE(*ranAt, start);
  // One poll interval, plus room for a loaded machine.
  EXPECT_LT(*ranAt, start + boost::posix_time::millisec(100 + 400));
}

TEST(ThreadPool, DestructionRunsQueuedWorkThenJoins) {
  RunLog log;
  {
    ThreadPoolBoost pool("Closing", 2);
    pool.pause();
    for (int label = 0; label < 5; ++label) {
      pool.addTask(log.task(label, 0));
    }
  }
  EXPECT_EQ(log.labels().size(), 5u);
  EXPECT_EQ(FunctionTask::sAlive, 0);
}

TEST(ThreadPool, ShutdownCanDropQueuedWork) {
  ThreadPoolBoost pool("Shutdown", 1);
  pool.pause();
  FunctionTask* dropped = new FunctionTask([](FunctionTask&) { ADD_FAILURE() << "a dropped task ran"; });
  const boost::shared_future<void> droppedResult = dropped->result();
  pool.addTask(dropped);
  pool.shutdown(true, 5);

  EXPECT_EQ(pool.state(), ThreadPoolBase::eShutDown);
  EXPECT_EQ(pool.threadsAlive(), 0u);
  EXPECT_EQ(pool.queuedCount(), 0u);
  EXPECT_EQ(pool.outstandingCount(), 0u);
  EXPECT_EQ(FunctionTask::sAlive, 0);
  EXPECT_THROW(droppedResult.get(), boost::broken_promise) << "the waiter learns that it never ran";
  EXPECT_FALSE(pool.addTask(new FunctionTask([](FunctionTask&) {})));
  pool.resume();
  pool.pause();
  pool.stop();
  EXPECT_EQ(pool.state(), ThreadPoolBase::eShutDown) << "a shut-down pool stays shut down";
  EXPECT_EQ(FunctionTask::sAlive, 0);
}

TEST(ThreadPool, DestroyingThreadsGivesUpAfterTheTimeout) {
  Gate gate;
  auto pool = std::make_unique<ThreadPoolBoost>("Stuck", 1);
  pool->addTask(gate.task());
  gate.entered.get_future().wait();
  try {
    pool->shutdown(false, 1);
    FAIL() << "a busy worker was reported as joined";
  } catch (const Assert& error) {
    EXPECT_STREQ(error.what(), "Assertion failed: joinSuceeded");
    const ExceptionInfoBase* function = error.find("ThrowFunction");
    ASSERT_NE(function, nullptr);
    EXPECT_EQ(function->valueText(), "Tessel::Base::ThreadPoolBoost::destroyThreads");
    EXPECT_EQ(error.find("ThrowLine")->valueText(), "81");
  }
  EXPECT_EQ(pool->state(), ThreadPoolBase::eShuttingDown);
  EXPECT_EQ(pool->threadsAlive(), 1u);

  // Once the task ends, destruction joins through the same closing thread.
  gate.open.set_value();
  pool.reset();
  EXPECT_EQ(FunctionTask::sAlive, 0);
}

TEST(ThreadPool, DestroyingThreadsWithoutTimeoutLetsWorkersFinish) {
  RunLog log;
  {
    ThreadPoolBoost pool("Detached", 1);
    pool.pause();
    for (int label = 0; label < 3; ++label) {
      pool.addTask(log.task(label, 0));
    }
    pool.shutdown(false, 0);
    EXPECT_EQ(pool.state(), ThreadPoolBase::eShutDown);
  }
  EXPECT_EQ(log.labels().size(), 3u) << "the destructor still waits for the detached workers";
}

} // namespace
