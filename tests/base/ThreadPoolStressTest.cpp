#include "TaskTestSupport.h"

#include <velloro/base/ThreadPoolBoost.h>

#include <gtest/gtest.h>

#include <boost/thread/thread.hpp>

#include <atomic>
#include <random>
#include <vector>

namespace {

using namespace Tessel::Base;

TEST(ThreadPoolStress, ControlCallsRaceWithProducers) {
  constexpr int kProducers = 3;
  constexpr int kTasksPerProducer = 3000;
  constexpr int kTaskCount = kProducers * kTasksPerProducer;

  ThreadPoolBoost pool("Stress", 2);
  std::vector<std::atomic<int>> runs(kTaskCount);
  std::atomic<int> accepted{0};
  std::atomic<bool> producing{true};
  // Set only while the pool is stopped and nothing is executing: no run may start meanwhile.
  std::atomic<bool> mustNotRun{false};
  std::atomic<int> runsWhileStopped{0};

  std::vector<boost::thread> producers;
  for (int producer = 0; producer < kProducers; ++producer) {
    producers.emplace_back([&, producer] {
      std::mt19937 random(producer);
      std::uniform_int_distribution<int> priority(-20, 20);
      for (int index = 0; index < kTasksPerProducer; ++index) {
        const int id = producer * kTasksPerProducer + index;
        const auto run = [&, id](FunctionTask&) {
          runsWhileStopped += mustNotRun ? 1 : 0;
          ++runs[id];
        };
        accepted += pool.addTask(new FunctionTask(run, priority(random))) ? 1 : 0;
      }
    });
  }
  boost::thread controller([&] {
    std::mt19937 random(99);
    while (producing) {
      switch (random() % 3) {
      case 0:
        pool.pause();
        boost::this_thread::yield();
        pool.resume();
        break;
      case 1:
        pool.stop();
        pool.waitUntilIdle();
        mustNotRun = true;
        boost::this_thread::yield();
        mustNotRun = false;
        pool.resume();
        break;
      default:
        boost::this_thread::yield();
      }
    }
  });
  for (boost::thread& producer : producers) {
    producer.join();
  }
  producing = false;
  controller.join();
  // The controller may have dropped everything; work queued now must all run before shutdown.
  constexpr int kLastTasks = 100;
  std::atomic<int> lastRuns{0};
  pool.pause();
  for (int index = 0; index < kLastTasks; ++index) {
    pool.addTask(new FunctionTask([&](FunctionTask&) { ++lastRuns; }, index % 7));
  }
  pool.shutdown(false, 30);
  EXPECT_EQ(lastRuns, kLastTasks);

  EXPECT_EQ(runsWhileStopped, 0);
  int ran = 0;
  for (const std::atomic<int>& count : runs) {
    ASSERT_LE(count, 1) << "a task ran twice";
    ran += count;
  }
  EXPECT_LE(ran, accepted) << "only accepted tasks run; the rest were dropped by stop()";
  expectNothingOutstanding(pool);
  EXPECT_EQ(pool.threadsAlive(), 0u);
  EXPECT_EQ(FunctionTask::sAlive, 0) << "every task, run, dropped or refused, was released";
}

} // namespace
