#pragma once

#include <velloro/base/Exceptions.h>
#include <velloro/base/Task.h>
#include <velloro/base/ThreadPoolBoost.h>

#include <gtest/gtest.h>

#include <boost/smart_ptr/intrusive_ptr.hpp>

#include <atomic>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>

// A task that runs a function; counts the instances alive so tests can tell what was released.
class FunctionTask : public Tessel::Base::Task {
public:
  explicit FunctionTask(std::function<void(FunctionTask&)> work, int priority = 0)
      : Task("FunctionTask")
      , _work(std::move(work)) {
    setPriority(priority);
    ++sAlive;
  }
  ~FunctionTask() override { --sAlive; }

  int resets() const { return _resets; }

  static inline std::atomic<int> sAlive{0};

protected:
  void run() override { _work(*this); }
  void reset() override { ++_resets; }

private:
  std::function<void(FunctionTask&)> _work;
  int _resets = 0;
};

using TaskPtr = boost::intrusive_ptr<FunctionTask>;

inline TaskPtr makeTask(std::function<void(FunctionTask&)> work, int priority = 0) {
  return TaskPtr(new FunctionTask(std::move(work), priority));
}

inline void expectNothingOutstanding(const Tessel::Base::ThreadPoolBoost& pool) {
  EXPECT_EQ(pool.queuedCount(), 0u);
  EXPECT_EQ(pool.outstandingCount(), 0u);
  EXPECT_EQ(pool.executingCount(), 0u);
}

inline std::string decoration(const Tessel::Base::Exception& error, const std::string& key) {
  const Tessel::Base::ExceptionInfoBase* info = error.find(key);
  return info ? info->valueText() : "<absent>";
}

// What `action` throws as E, which must come from `function` at `line`; "<nothing>" if it throws nothing.
// For an assertion, the message must also name the condition it carries.
template <typename E, typename Action>
std::string whatThrown(Action action, const std::string& function, int line) {
  try {
    action();
  } catch (const E& error) {
    EXPECT_EQ(decoration(error, "ThrowFunction"), function);
    EXPECT_EQ(decoration(error, "ThrowLine"), std::to_string(line));
    EXPECT_NE(decoration(error, "ThrowFile"), "<absent>");
    if constexpr (std::is_same_v<E, Tessel::Base::Assert>) {
      EXPECT_EQ(error.what(), "Assertion failed: " + decoration(error, "AssertCondition"));
      EXPECT_EQ(decoration(error, "ExceptionClass"), "Tessel::Base::Assert");
    }
    return error.what();
  }
  return "<nothing>";
}
