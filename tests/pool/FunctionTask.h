#pragma once

#include <velloro/base/Task.h>

#include <atomic>
#include <functional>
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
