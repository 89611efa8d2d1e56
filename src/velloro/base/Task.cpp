#include <velloro/base/Task.h>

#include <velloro/base/Exceptions.h>
#include <velloro/base/Log.h>
#include <velloro/base/ThreadPoolBase.h>

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <boost/exception/diagnostic_information.hpp>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <thread>

namespace Tessel::Base {

namespace {

// Captures the exception being handled with its own type, whatever it is (an int, a Boost
// exception thrown without enable_current_exception...), so the waiter can catch it as thrown.
boost::exception_ptr currentException() {
  return boost::exception_ptr(std::current_exception());
}

} // namespace

struct Task::ResultSlot {
  boost::promise<void> promise;
  boost::shared_future<void> future{promise.get_future()};
};

// Held only for a few instructions, or while a promise is completed; a mutex would add 40 bytes
// to every task and more than that to the cost of a trivial one.
class Task::ResultLock {
public:
  explicit ResultLock(std::atomic_flag& flag)
      : m_flag(flag) {
    while (m_flag.test_and_set(std::memory_order_acquire)) {
      std::this_thread::yield();
    }
  }
  ~ResultLock() { m_flag.clear(std::memory_order_release); }
  ResultLock(const ResultLock&) = delete;
  ResultLock& operator=(const ResultLock&) = delete;

private:
  std::atomic_flag& m_flag;
};

Task::Task(const char* name)
    : m_name(name ? name : "") {}

Task::~Task() {
  const State state = m_state.load(std::memory_order_acquire);
  if (state == eQueued || state == eExecuting) {
    // A pool still points at the task: carrying on would corrupt its queue or its worker.
    std::cerr << "fatal: Task is destroyed while it's either queuing or being executed!" << std::endl;
    std::abort();
  }
}

void Task::attachToPool(ThreadPoolBase* pool) {
  if (!pool) {
    TESSEL_THROW_AT_LINE(Assert, 183, .decorate("AssertCondition", "pool"));
  }
  ThreadPoolBase* const current = m_pool.load(std::memory_order_acquire);
  if (current && current != pool) {
    TESSEL_THROW_AT_LINE(Assert, 186, .decorate("AssertCondition", "!_pool || (_pool == pool)"));
  }
  const State state = m_state.load(std::memory_order_acquire);
  if (state != eUnqueued) {
    if (state == eQueued && current == pool) {
      return;
    }
    TESSEL_THROW_AT_LINE(
        Assert, 189,
        .decorate("AssertCondition", "_state == eUnqueued || (pool == _pool && _state == eQueued)"));
  }
  m_pool.store(pool, std::memory_order_release);
  m_state.store(eQueued, std::memory_order_release);
}

bool Task::isReady() {
  if (!m_startTime.is_not_a_date_time() &&
      boost::posix_time::microsec_clock::universal_time() < m_startTime) {
    return false;
  }
  bool allComplete = true;
  for (boost::shared_future<void>& dependency : m_dependencies) {
    if (!dependency.is_ready()) {
      allComplete = false;
    } else if (dependency.has_exception()) {
      m_dependencyFailed.store(true, std::memory_order_release);
      return true;
    }
  }
  return allComplete;
}

void Task::addDependency(boost::shared_future<void> dependency) {
  // An empty future would never complete and would hold the task back for good.
  if (dependency.valid()) {
    m_dependencies.push_back(std::move(dependency));
  }
}

boost::shared_future<void> Task::result() {
  ResultLock lock(m_resultLock);
  if (!m_result) {
    m_result = std::make_unique<ResultSlot>();
    if (m_succeeded) {
      m_result->promise.set_value();
    }
  }
  return m_result->future;
}

void Task::reset() {}

void Task::execute() {
  if (state() == eFinished) {
    return;
  }
  if (!isReady()) {
    TaskNotReadyException notReady;
    ThrowDecorated(notReady, __FILE__, 223, BOOST_CURRENT_FUNCTION);
  }

  boost::exception_ptr failure;
  bool retry = false;
  if (dependencyFailed()) {
    failure = firstFailedDependency();
  } else {
    m_state.store(eExecuting, std::memory_order_release);
    // Nothing may escape: it would end the worker thread, and with it the process. An exception
    // nobody has asked the result for yet is logged as well as kept for a later result() call.
    try {
      run();
    } catch (const InterruptedException&) {
      // The run was cut short on purpose; it counts as ended.
    } catch (const RetryTaskException&) {
      retry = true;
    } catch (const Exception& error) {
      failure = currentException();
      if (!resultRequested()) {
        Log::LogLine(Log::eError, 0)
            << "Tessel::Base::Task caught Tessel::Base::Exception and cannot forward it to be handled.\n"
            << "   " << error.userMessage() << '\n'
            << error.report();
      }
    } catch (const boost::exception& error) {
      failure = currentException();
      if (!resultRequested()) {
        Log::LogLine(Log::eError, 0)
            << "Tessel::Base::Task caught boost::exception and cannot forward it to be handled.\n"
            << boost::diagnostic_information(error);
      }
    } catch (const std::exception& error) {
      failure = currentException();
      if (!resultRequested()) {
        Log::LogLine(Log::eError, 0)
            << "Tessel::Base::Task caught std::exception and cannot forward it to be handled.\n"
            << error.what();
      }
    } catch (...) {
      failure = currentException();
      if (!resultRequested()) {
        Log::LogLine(Log::eError, 0)
            << "Tessel::Base::Task caught unkown exception and don't know how to handle it.";
      }
    }
  }

  m_dependencies.clear();
  ThreadPoolBase* const pool = m_pool.load(std::memory_order_acquire);
  if (retry) {
    requeue(pool);
    return;
  }
  if (!repeat()) {
    // Finished before the result completes, so that a woken waiter sees the final state.
    m_pool.store(nullptr, std::memory_order_release);
    m_state.store(eFinished, std::memory_order_release);
    complete(failure);
    return;
  }
  complete(failure);
  m_repeat.store(false, std::memory_order_release);
  {
    ResultLock lock(m_resultLock);
    m_result.reset();
    m_succeeded = false;
  }
  m_dependencyFailed.store(false, std::memory_order_release);
  m_state.store(eUnqueued, std::memory_order_release);
  reset();
  requeue(pool);
}

void Task::complete(const boost::exception_ptr& failure) {
  ResultLock lock(m_resultLock);
  if (failure) {
    if (!m_result) {
      m_result = std::make_unique<ResultSlot>();
    }
    m_result->promise.set_exception(failure);
  } else if (m_result) {
    m_result->promise.set_value();
  } else {
    m_succeeded = true;
  }
}

bool Task::resultRequested() {
  ResultLock lock(m_resultLock);
  return m_result != nullptr;
}

boost::exception_ptr Task::firstFailedDependency() {
  for (boost::shared_future<void>& dependency : m_dependencies) {
    if (dependency.is_ready() && dependency.has_exception()) {
      return dependency.get_exception_ptr();
    }
  }
  return boost::exception_ptr();
}

void Task::requeue(ThreadPoolBase* pool) {
  m_state.store(eUnqueued, std::memory_order_release);
  // Once queued again another worker may run the task at once: touch nothing after a success.
  if (!pool || !pool->addTask(this)) {
    m_pool.store(nullptr, std::memory_order_release);
  }
}

void Task::detachFromPool() {
  m_pool.store(nullptr, std::memory_order_release);
  m_state.store(eUnqueued, std::memory_order_release);
}

} // namespace Tessel::Base
