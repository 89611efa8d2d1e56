#include "FunctionTask.h"

#include <velloro/base/Exceptions.h>
#include <velloro/base/Log.h>
#include <velloro/base/ThreadPoolBoost.h>

#include <gtest/gtest.h>

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <boost/exception/info.hpp>
#include <boost/smart_ptr/intrusive_ptr.hpp>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using namespace Tessel::Base;
using TaskPtr = boost::intrusive_ptr<FunctionTask>;

std::string decoration(const Exception& error, const std::string& key) {
  const ExceptionInfoBase* info = error.find(key);
  return info ? info->valueText() : "<absent>";
}

void expectThrownFrom(const Exception& error, const std::string& function, int line) {
  EXPECT_EQ(decoration(error, "ThrowFunction"), function);
  EXPECT_EQ(decoration(error, "ThrowLine"), std::to_string(line));
  EXPECT_NE(decoration(error, "ThrowFile"), "<absent>");
}

TaskPtr noopTask(int priority = 0) {
  return TaskPtr(new FunctionTask([](FunctionTask&) {}, priority));
}

struct PlateMissing : boost::exception {};
using PlateName = boost::error_info<struct PlateNameTag, std::string>;

TEST(Task, AttachingToPoolsChecksItsPreconditions) {
  ThreadPoolBoost first("First", 1);
  ThreadPoolBoost second("Second", 1);
  first.pause();

  const TaskPtr task = noopTask();
  try {
    task->attachToPool(nullptr);
    FAIL() << "a null pool was accepted";
  } catch (const Assert& error) {
    EXPECT_STREQ(error.what(), "Assertion failed: pool");
    expectThrownFrom(error, "Tessel::Base::Task::attachToPool", 183);
    EXPECT_EQ(decoration(error, "ExceptionClass"), "Tessel::Base::Assert");
  }

  ASSERT_TRUE(first.addTask(task.get()));
  EXPECT_EQ(task->state(), Task::eQueued);
  EXPECT_EQ(task->pool(), &first);
  // Adding it again where it already waits changes nothing: one queue entry, one reference.
  EXPECT_TRUE(first.addTask(task.get()));
  EXPECT_EQ(first.queuedCount(), 1u);
  EXPECT_EQ(task->referenceCount(), 2);

  try {
    second.addTask(task.get());
    FAIL() << "a task waiting in one pool was added to another";
  } catch (const Assert& error) {
    EXPECT_EQ(decoration(error, "AssertCondition"), "!_pool || (_pool == pool)");
    expectThrownFrom(error, "Tessel::Base::Task::attachToPool", 186);
  }
  EXPECT_EQ(second.queuedCount(), 0u);

  first.resume();
  first.waitUntilIdle();
  EXPECT_EQ(task->state(), Task::eFinished);
  EXPECT_EQ(task->pool(), nullptr);
  try {
    second.addTask(task.get());
    FAIL() << "a finished task was queued again";
  } catch (const Assert& error) {
    EXPECT_EQ(decoration(error, "AssertCondition"),
              "_state == eUnqueued || (pool == _pool && _state == eQueued)");
    expectThrownFrom(error, "Tessel::Base::Task::attachToPool", 189);
  }
  EXPECT_EQ(task->referenceCount(), 1) << "the pools hold no reference to a task they do not queue";
}

TEST(Task, ExecutingBeforeTheStartTimeIsRefused) {
  const TaskPtr task = noopTask();
  task->setStartTime(boost::posix_time::microsec_clock::universal_time() + boost::posix_time::hours(1));
  EXPECT_FALSE(task->isReady());
  try {
    task->execute();
    FAIL() << "a task that was not ready ran";
  } catch (const TaskNotReadyException& error) {
    EXPECT_STREQ(error.what(), "Attempted to execute a task that was not ready.");
    expectThrownFrom(error, "Tessel::Base::Task::execute", 223);
  }
  EXPECT_EQ(task->state(), Task::eUnqueued);

  task->setStartTime(boost::posix_time::microsec_clock::universal_time() - boost::posix_time::seconds(1));
  task->execute();
  EXPECT_EQ(task->state(), Task::eFinished);
  EXPECT_TRUE(task->result().is_ready());
  task->execute(); // a finished task is left alone
}

TEST(Task, EveryKindOfExceptionReachesTheWaiterWithItsType) {
  ThreadPoolBoost pool("Failures", 2);
  pool.pause();
  const TaskPtr tessel(new FunctionTask(
      [](FunctionTask&) { TESSEL_THROW(Exceptions::FileMissing, .decorate("FileName", "a.exr")); }));
  const TaskPtr boostError(
      new FunctionTask([](FunctionTask&) { throw PlateMissing() << PlateName("b.exr"); }));
  const TaskPtr standard(new FunctionTask([](FunctionTask&) { throw std::out_of_range("frame 1001"); }));
  const TaskPtr integer(new FunctionTask([](FunctionTask&) { throw 42; }));
  const TaskPtr interrupted(new FunctionTask([](FunctionTask&) { throw InterruptedException(); }));
  for (const TaskPtr& task : {tessel, boostError, standard, integer, interrupted}) {
    task->result(); // someone waits: nothing is logged
    pool.addTask(task.get());
  }
  pool.resume();
  pool.waitUntilIdle();

  EXPECT_THROW(
      {
        try {
          tessel->result().get();
        } catch (const Exceptions::FileMissing& error) {
          EXPECT_STREQ(error.what(), "Failed to find file 'a.exr'");
          throw;
        }
      },
      Exceptions::FileMissing);
  EXPECT_THROW(
      {
        try {
          boostError->result().get();
        } catch (const PlateMissing& error) {
          ASSERT_NE(boost::get_error_info<PlateName>(error), nullptr);
          EXPECT_EQ(*boost::get_error_info<PlateName>(error), "b.exr");
          throw;
        }
      },
      PlateMissing);
  EXPECT_THROW(standard->result().get(), std::out_of_range);
  EXPECT_THROW(integer->result().get(), int);
  EXPECT_NO_THROW(interrupted->result().get()) << "an interrupted run counts as ended";
  for (const TaskPtr& task : {tessel, boostError, standard, integer, interrupted}) {
    EXPECT_EQ(task->state(), Task::eFinished);
  }
}

TEST(Task, AFailureNobodyWaitsForIsLoggedAndKeptForLater) {
  QTemporaryDir directory;
  ASSERT_TRUE(directory.isValid());
  const std::string logPath = directory.filePath("tasks.log").toStdString();
  Tessel::Log::setLogFile(logPath);
  Tessel::Log::setLogLevel(Tessel::Log::eError, false);

  const TaskPtr standard(new FunctionTask([](FunctionTask&) { throw std::runtime_error("disk gone"); }));
  const TaskPtr tessel(new FunctionTask([](FunctionTask&) {
    TESSEL_THROW(Exceptions::FileOpen, .decorate("FileOperation", "writing").decorate("FileName", "c.exr"));
  }));
  const TaskPtr integer(new FunctionTask([](FunctionTask&) { throw 7; }));
  standard->execute();
  tessel->execute();
  integer->execute();

  EXPECT_THROW(standard->result().get(), std::runtime_error);
  EXPECT_THROW(tessel->result().get(), Exceptions::FileOpen);
  EXPECT_THROW(integer->result().get(), int);

  std::ifstream file(logPath);
  std::stringstream text;
  text << file.rdbuf();
  const std::string log = text.str();
  EXPECT_NE(
      log.find("Tessel::Base::Task caught std::exception and cannot forward it to be handled.\ndisk gone"),
      std::string::npos)
      << log;
  EXPECT_NE(
      log.find("Tessel::Base::Task caught Tessel::Base::Exception and cannot forward it to be handled.\n"
               "   Failed to open file for writing, 'c.exr'\n"),
      std::string::npos)
      << log;
  EXPECT_NE(log.find("Tessel::Base::Task caught unkown exception and don't know how to handle it."),
            std::string::npos)
      << log;
}

TEST(Task, AFailedDependencyFailsTheDependentWithoutRunningIt) {
  ThreadPoolBoost pool("Dependencies", 1);
  pool.pause();
  std::vector<std::string> order;
  const TaskPtr first(new FunctionTask([&](FunctionTask&) { order.push_back("first"); }, 1));
  // Higher priority, yet it has to wait for its dependency.
  const TaskPtr second(new FunctionTask([&](FunctionTask&) { order.push_back("second"); }, 9));
  second->addDependency(first->result());
  const TaskPtr failing(new FunctionTask([&](FunctionTask&) {
    order.push_back("failing");
    throw std::invalid_argument("bad plate");
  }));
  const TaskPtr dependent(new FunctionTask([&](FunctionTask&) { order.push_back("dependent"); }, 5));
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
  EXPECT_THROW(dependent->result().get(), std::invalid_argument);
  EXPECT_NO_THROW(second->result().get());
}

TEST(Task, RetryAndRepeatQueueTheTaskAgain) {
  ThreadPoolBoost pool("Again", 1);
  int attempts = 0;
  const TaskPtr retrying(new FunctionTask([&](FunctionTask&) {
    if (++attempts < 3) {
      throw RetryTaskException();
    }
  }));
  const boost::shared_future<void> retried = retrying->result();
  int runs = 0;
  const TaskPtr repeating(new FunctionTask([&](FunctionTask& self) {
    // Asks for one more run, twice: three runs in all.
    if (++runs < 3) {
      self.setRepeat(true);
    }
  }));
  pool.addTask(retrying.get());
  pool.addTask(repeating.get());
  pool.waitUntilIdle();

  EXPECT_EQ(attempts, 3);
  EXPECT_TRUE(retried.is_ready()) << "the retried run completes the same result";
  EXPECT_EQ(retrying->state(), Task::eFinished);
  EXPECT_EQ(runs, 3);
  EXPECT_EQ(repeating->resets(), 2);
  EXPECT_EQ(repeating->state(), Task::eFinished);
  EXPECT_FALSE(repeating->repeat());
  EXPECT_EQ(retrying->referenceCount(), 1);
  EXPECT_EQ(repeating->referenceCount(), 1);

  // A retry that its stopped pool refuses leaves the task unqueued, not lost in between.
  ThreadPoolBoost stopping("Stopping", 1);
  const TaskPtr refused(new FunctionTask([&](FunctionTask&) {
    stopping.stop();
    throw RetryTaskException();
  }));
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
