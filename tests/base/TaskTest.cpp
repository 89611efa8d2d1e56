#include "TaskTestSupport.h"

#include <velloro/base/Exceptions.h>
#include <velloro/base/Log.h>
#include <velloro/base/ThreadPoolBoost.h>

#include <gtest/gtest.h>

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <boost/exception/info.hpp>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using namespace Tessel::Base;

struct PlateMissing : boost::exception {};
using PlateName = boost::error_info<struct PlateNameTag, std::string>;

// Gets the result of `task`, which must fail with E; hands the error to `check`.
template <typename E, typename Check = void (*)(const E&)>
void expectFailure(
    const TaskPtr& task, Check check = [](const E&) {}) {
  try {
    task->result().get();
    ADD_FAILURE() << "the task's result holds no error";
  } catch (const E& error) {
    check(error);
  }
}

TEST(Task, AttachingAndExecutingCheckTheirPreconditions) {
  ThreadPoolBoost first("First", 1);
  ThreadPoolBoost second("Second", 1);
  first.pause();
  const std::string attach = "Tessel::Base::Task::attachToPool";

  const TaskPtr task = makeTask([](FunctionTask&) {});
  EXPECT_EQ(whatThrown<Assert>([&] { task->attachToPool(nullptr); }, attach, 183), "Assertion failed: pool");

  ASSERT_TRUE(first.addTask(task.get()));
  EXPECT_EQ(task->state(), Task::eQueued);
  EXPECT_EQ(task->pool(), &first);
  // Adding it again where it already waits changes nothing: one queue entry, one reference.
  EXPECT_TRUE(first.addTask(task.get()));
  EXPECT_EQ(first.queuedCount(), 1u);
  EXPECT_EQ(task->referenceCount(), 2);

  EXPECT_EQ(whatThrown<Assert>([&] { second.addTask(task.get()); }, attach, 186),
            "Assertion failed: !_pool || (_pool == pool)");
  EXPECT_EQ(second.queuedCount(), 0u);

  first.resume();
  first.waitUntilIdle();
  EXPECT_EQ(task->state(), Task::eFinished);
  EXPECT_EQ(task->pool(), nullptr);
  EXPECT_EQ(whatThrown<Assert>([&] { second.addTask(task.get()); }, attach, 189),
            "Assertion failed: _state == eUnqueued || (pool == _pool && _state == eQueued)");
  EXPECT_EQ(task->referenceCount(), 1) << "the pools hold no reference to a task they do not queue";

  // A running task cannot queue itself again: the assertion reaches its result.
  const TaskPtr running = makeTask([&second](FunctionTask& self) { second.addTask(&self); });
  running->result();
  second.addTask(running.get());
  second.waitUntilIdle();
  expectFailure<Assert>(running);
  EXPECT_EQ(second.queuedCount(), 0u);

  // Executing before the start time is refused.
  const TaskPtr later = makeTask([](FunctionTask&) {});
  later->setStartTime(boost::posix_time::microsec_clock::universal_time() + boost::posix_time::hours(1));
  EXPECT_FALSE(later->isReady());
  EXPECT_EQ(whatThrown<TaskNotReadyException>([&] { later->execute(); }, "Tessel::Base::Task::execute", 223),
            "Attempted to execute a task that was not ready.");
  EXPECT_EQ(later->state(), Task::eUnqueued);

  later->setStartTime(boost::posix_time::microsec_clock::universal_time() - boost::posix_time::seconds(1));
  later->execute();
  EXPECT_EQ(later->state(), Task::eFinished);
  EXPECT_TRUE(later->result().is_ready());
  later->execute(); // a finished task is left alone
}

TEST(Task, EveryKindOfExceptionIsLoggedAndReachesTheWaiterWithItsType) {
  QTemporaryDir directory;
  ASSERT_TRUE(directory.isValid());
  const std::string logPath = directory.filePath("tasks.log").toStdString();
  Tessel::Log::setLogFile(logPath);
  Tessel::Log::setLogLevel(Tessel::Log::eError, false);

  ThreadPoolBoost pool("Failures", 2);
  pool.pause();
  const TaskPtr tessel = makeTask([](FunctionTask&) {
    TESSEL_THROW(Exceptions::FileOpen, .decorate("FileOperation", "writing").decorate("FileName", "c.exr"));
  });
  const TaskPtr boostError = makeTask([](FunctionTask&) { throw PlateMissing() << PlateName("b.exr"); });
  const TaskPtr standard = makeTask([](FunctionTask&) { throw std::out_of_range("frame 1001"); });
  const TaskPtr integer = makeTask([](FunctionTask&) { throw 42; });
  const TaskPtr interrupted = makeTask([](FunctionTask&) { throw InterruptedException(); });
  // Nobody waits yet, so each failure is logged as it happens, and kept for whoever asks later.
  for (const TaskPtr& task : {tessel, boostError, standard, integer, interrupted}) {
    pool.addTask(task.get());
  }
  pool.resume();
  pool.waitUntilIdle();

  expectFailure<Exceptions::FileOpen>(tessel, [](const Exceptions::FileOpen& error) {
    EXPECT_STREQ(error.what(), "Failed to open file for writing, 'c.exr'");
  });
  expectFailure<PlateMissing>(boostError, [](const PlateMissing& error) {
    ASSERT_NE(boost::get_error_info<PlateName>(error), nullptr);
    EXPECT_EQ(*boost::get_error_info<PlateName>(error), "b.exr");
  });
  expectFailure<std::out_of_range>(standard);
  expectFailure<int>(integer);
  EXPECT_NO_THROW(interrupted->result().get()) << "an interrupted run counts as ended";
  for (const TaskPtr& task : {tessel, boostError, standard, integer, interrupted}) {
    EXPECT_EQ(task->state(), Task::eFinished);
  }

  std::ifstream file(logPath);
  std::stringstream text;
  text << file.rdbuf();
  for (const char* message :
       {"Tessel::Base::Task caught std::exception and cannot forward it to be handled.\nframe 1001",
        "Tessel::Base::Task caught Tessel::Base::Exception and cannot forward it to be handled.\n"
        "   Failed to open file for writing, 'c.exr'\n",
        "Tessel::Base::Task caught unkown exception and don't know how to handle it."}) {
    EXPECT_NE(text.str().find(message), std::string::npos) << text.str();
  }
}

TEST(Task, AFailedDependencyFailsTheDependentWithoutRunningIt) {
  ThreadPoolBoost pool("Dependencies", 1);
  pool.pause();
  std::vector<std::string> order;
  auto recording = [&order](const std::string& name, int priority) {
    return makeTask([&order, name](FunctionTask&) { order.push_back(name); }, priority);
  };
  const TaskPtr first = recording("first", 1);
  // Higher priority, yet it has to wait for its dependency.
  const TaskPtr second = recording("second", 9);
  second->addDependency(first->result());
  const TaskPtr failing = makeTask([&](FunctionTask&) {
    order.push_back("failing");
    throw std::invalid_argument("bad plate");
  });
  const TaskPtr dependent = recording("dependent", 5);
  dependent->addDependency(failing->result());
  dependent->addDependency(second->result());

  for (const TaskPtr& task : {dependent, second, first, failing}) {
    pool.addTask(task.get());
  }
  pool.resume();
  pool.waitUntilIdle();

  EXPECT_EQ(order, (std::vector<std::string>{"first", "second", "failing"}));
  EXPECT_TRUE(dependent->dependencyFailed());
  EXPECT_EQ(dependent->state(), Task::eFinished);
  expectFailure<std::invalid_argument>(dependent);
  EXPECT_NO_THROW(second->result().get());
}

TEST(Task, RetryAndRepeatQueueTheTaskAgain) {
  ThreadPoolBoost pool("Again", 1);
  int attempts = 0;
  const TaskPtr retrying = makeTask([&](FunctionTask&) {
    if (++attempts < 3) {
      throw RetryTaskException();
    }
  });
  const boost::shared_future<void> retried = retrying->result();
  int runs = 0;
  const TaskPtr repeating = makeTask([&](FunctionTask& self) {
    // Asks for one more run, twice: three runs in all.
    if (++runs < 3) {
      self.setRepeat(true);
    }
  });
  pool.addTask(retrying.get());
  pool.addTask(repeating.get());
  pool.waitUntilIdle();

  EXPECT_EQ(attempts, 3);
  EXPECT_TRUE(retried.is_ready()) << "the retried run completes the same result";
  EXPECT_EQ(runs, 3);
  EXPECT_EQ(repeating->resets(), 2);
  EXPECT_FALSE(repeating->repeat());
  for (const FunctionTask* task : {retrying.get(), repeating.get()}) {
    EXPECT_EQ(task->state(), Task::eFinished);
    EXPECT_EQ(task->referenceCount(), 1);
  }

  // A retry that its stopped pool refuses leaves the task unqueued, not lost in between.
  ThreadPoolBoost stopping("Stopping", 1);
  const TaskPtr refused = makeTask([&](FunctionTask&) {
    stopping.stop();
    throw RetryTaskException();
  });
  stopping.addTask(refused.get());
  stopping.waitUntilIdle();
  EXPECT_EQ(refused->state(), Task::eUnqueued);
  EXPECT_EQ(refused->pool(), nullptr);
  EXPECT_FALSE(refused->result().is_ready());
}

TEST(TaskDeathTest, DestroyingAQueuedTaskEndsTheProcess) {
  EXPECT_DEATH(
      {
        ThreadPoolBoost pool("Death", 1);
        pool.pause();
        FunctionTask* task = new FunctionTask([](FunctionTask&) {});
        pool.addTask(task);
        delete task;
      },
      "fatal: Task is destroyed while it's either queuing or being executed!");
}

} // namespace
