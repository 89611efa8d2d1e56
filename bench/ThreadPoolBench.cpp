// The thread pool against boost::asio::thread_pool doing the same trivial work, and the cost of
// queuing tasks of many distinct priorities against tasks of one priority.

#include <velloro/base/Task.h>
#include <velloro/base/ThreadPoolBoost.h>

#include <benchmark/benchmark.h>

#include <boost/asio/post.hpp>
#include <boost/asio/thread_pool.hpp>
#include <boost/smart_ptr/intrusive_ptr.hpp>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <random>
#include <vector>

namespace {

using Tessel::Base::Task;
using Tessel::Base::ThreadPoolBoost;

int taskCount() {
  return std::getenv("VELLORO_BENCH_TINY") ? 1000 : 100000;
}

// Counts down the tasks of one round and wakes the producer after the last one.
class Countdown {
public:
  void reset(int count) { _remaining.store(count, std::memory_order_relaxed); }
  void done() {
    if (_remaining.fetch_sub(1, std::memory_order_acq_rel) == 1) {
      std::lock_guard<std::mutex> lock(_mutex);
      _condition.notify_one();
    }
  }
  void wait() {
    std::unique_lock<std::mutex> lock(_mutex);
    _condition.wait(lock, [this] { return _remaining.load(std::memory_order_acquire) == 0; });
  }

private:
  std::atomic<int> _remaining{0};
  std::mutex _mutex;
  std::condition_variable _condition;
};

class CountdownTask : public Task {
public:
  explicit CountdownTask(Countdown& countdown, int priority = 0)
      : Task("CountdownTask")
      , _countdown(countdown) {
    setPriority(priority);
  }

protected:
  void run() override { _countdown.done(); }

private:
  Countdown& _countdown;
};

void PoolTrivialTasks(benchmark::State& state) {
  const int count = taskCount();
  ThreadPoolBoost pool("Bench", static_cast<unsigned>(state.range(0)));
  Countdown countdown;
  for (auto _ : state) {
    countdown.reset(count);
    for (int index = 0; index < count; ++index) {
      pool.addTask(new CountdownTask(countdown));
    }
    countdown.wait();
  }
  state.SetItemsProcessed(state.iterations() * count);
}

void AsioTrivialTasks(benchmark::State& state) {
  const int count = taskCount();
  boost::asio::thread_pool pool(static_cast<std::size_t>(state.range(0)));
  Countdown countdown;
  for (auto _ : state) {
    countdown.reset(count);
    for (int index = 0; index < count; ++index) {
      boost::asio::post(pool, [&countdown] { countdown.done(); });
    }
    countdown.wait();
  }
  state.SetItemsProcessed(state.iterations() * count);
  pool.join();
}

// Adds every task to a paused pool; only the adding is timed. Stopping the pool drops the tasks
// (they stay alive, held here) so that the next round can add them again.
void queuePaused(benchmark::State& state, const std::vector<int>& priorities) {
  ThreadPoolBoost pool("Queue", 1);
  Countdown unused;
  std::vector<boost::intrusive_ptr<Task>> tasks;
  tasks.reserve(priorities.size());
  for (int priority : priorities) {
    tasks.emplace_back(new CountdownTask(unused, priority));
  }
  pool.pause();
  for (auto _ : state) {
    for (const boost::intrusive_ptr<Task>& task : tasks) {
      pool.addTask(task.get());
    }
    state.PauseTiming();
    pool.stop();
    pool.resume();
    pool.pause();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(tasks.size()));
}

void QueueOnePriority(benchmark::State& state) {
  queuePaused(state, std::vector<int>(taskCount(), 0));
}

void QueueRandomPriorities(benchmark::State& state) {
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> priority(0, 999);
  std::vector<int> priorities(taskCount());
  for (int& value : priorities) {
    value = priority(random);
  }
  queuePaused(state, priorities);
}

} // namespace

BENCHMARK(PoolTrivialTasks)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(AsioTrivialTasks)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(QueueOnePriority)->Unit(benchmark::kMillisecond);
BENCHMARK(QueueRandomPriorities)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
