#include "TestFiles.h"

#include <velloro/localisation/LocalisationEngine.h>
#include <velloro/localisation/LocalisationQueue.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <random>
#include <thread>

namespace {

namespace fs = boost::filesystem;
using namespace LocalisationTesting;
using Engine = Velloro::LocalisationEngine;
using Queue = Velloro::LocalisationQueue;
using Events = std::vector<std::pair<std::string, Engine::FileEvent>>;

bool waitForNoPendingTasks(const Queue& queue, std::chrono::seconds limit = std::chrono::seconds(60)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (queue.pendingTasks() != 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Holds the first event it hears until released, keeping that task executing.
class BlockingObserver : public Engine::FileEventObserver {
public:
  void onFileEvent(const std::string& sourcePath, Engine::FileEvent) override {
    std::unique_lock<std::mutex> lock(_mutex);
    _heard.push_back(sourcePath);
    _condition.notify_all();
    _condition.wait(lock, [this] { return _released; });
  }
  void waitUntilHeld() {
    std::unique_lock<std::mutex> lock(_mutex);
    _condition.wait(lock, [this] { return !_heard.empty(); });
  }
  void release() {
    std::lock_guard<std::mutex> lock(_mutex);
    _released = true;
    _condition.notify_all();
  }
  std::vector<std::string> heard() {
    std::lock_guard<std::mutex> lock(_mutex);
    return _heard;
  }

private:
  std::mutex _mutex;
  std::condition_variable _condition;
  std::vector<std::string> _heard;
  bool _released = false;
};

class LocalisationQueueTest : public ::testing::Test {
protected:
  TemporaryDirectory directory;
  fs::path root = directory.path() / "cache";
  EventRecorder recorder;
  std::unique_ptr<Engine> engine;

  void SetUp() override {
    fs::create_directories(root);
    engine = std::make_unique<Engine>(root);
    engine->setDiskSizeLimit(Engine::eMaximumUsage, 1 << 20);
    engine->addFileEventObserver(&recorder);
  }
  std::string source(const std::string& name) const { return (directory.path() / "remote" / name).string(); }
};

TEST_F(LocalisationQueueTest, CheckThreadsComeFromTheEnvironment) {
  const std::pair<const char*, unsigned> cases[] = {{nullptr, 1}, {"0", 1}, {"-3", 1},
                                                    {"abc", 1},   {"4", 4}, {"3x", 3}};
  for (const auto& [text, threads] : cases) {
    if (text) {
      ::setenv("ORVIK_LOCALIZATION_NUMWATCHERS", text, 1);
    } else {
      ::unsetenv("ORVIK_LOCALIZATION_NUMWATCHERS");
    }
    Queue queue(*engine);
    EXPECT_EQ(queue.checkThreadCount(), threads) << (text ? text : "unset");
    EXPECT_EQ(&queue.engine(), engine.get());
  }
  ::unsetenv("ORVIK_LOCALIZATION_NUMWATCHERS");
}

TEST_F(LocalisationQueueTest, PausedRequestsRunByPriorityThenArrivalAfterResume) {
  Queue queue(*engine);
  queue.pause();
  const std::pair<int, std::string> requests[] = {
      {1, source("one")}, {5, source("five-a")}, {5, source("five-b")}, {3, source("three")}};
  for (const auto& [priority, path] : requests) {
    queue.queueTask(Queue::eRemoveFile, priority, path);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(queue.pendingTasks(), 4u) << "nothing starts while paused";
  EXPECT_EQ(recorder.count(), 0u);

  queue.resume();
  ASSERT_TRUE(waitForNoPendingTasks(queue));
  EXPECT_EQ(recorder.take(), (Events{{source("five-a"), Engine::eFileRemoved},
                                     {source("five-b"), Engine::eFileRemoved},
                                     {source("three"), Engine::eFileRemoved},
                                     {source("one"), Engine::eFileRemoved}}));
}

TEST_F(LocalisationQueueTest, EqualRequestsBothRunAndCancelsPickTheirKinds) {
  writeFile(source("big.exr"), 2 << 20);
  Queue queue(*engine);
  queue.pause();
  queue.queueTask(Queue::eLocaliseFile, 0, source("big.exr"));
  queue.queueTask(Queue::eLocaliseFile, 0, source("big.exr"));
  EXPECT_EQ(queue.pendingTasks(), 2u);
  queue.resume();
  ASSERT_TRUE(waitForNoPendingTasks(queue));
  EXPECT_EQ(recorder.take(), (Events(2, {source("big.exr"), Engine::eInsufficientSpace})));

  writeFile(source("a.exr"), 10);
  queue.pause();
  queue.queueTask(Queue::eCheckFile, 0, source("a.exr"));
  queue.queueTask(Queue::eLocaliseFile, 0, source("a.exr"));
  queue.queueTask(Queue::eRemoveFile, 0, source("a.exr"));
  queue.queueTask(Queue::eRemoveFile, 0, source("other.exr"));
  queue.cancelPendingTasks(source("a.exr"));
  queue.cancelRemovalTasks(source("other.exr"));
  EXPECT_EQ(queue.pendingTasks(), 4u) << "cancelled tasks stay counted until their turn";
  queue.resume();
  ASSERT_TRUE(waitForNoPendingTasks(queue));
  EXPECT_EQ(recorder.take(), (Events{{source("a.exr"), Engine::eFileRemoved}}));
  EXPECT_FALSE(fs::exists(engine->localPathFor(source("a.exr")))) << "the cancelled copy never ran";
}

TEST_F(LocalisationQueueTest, CancelAllForgetsEveryTaskAtOnceAndLeavesThePoolsRunning) {
  BlockingObserver blocker;
  engine->addFileEventObserver(&blocker);
  Queue queue(*engine);
  queue.queueTask(Queue::eRemoveFile, 0, source("executing"));
  blocker.waitUntilHeld();
  queue.pause();
  queue.queueTask(Queue::eRemoveFile, 0, source("queued"));
  queue.queueTask(Queue::eCheckFile, 0, source("checked"));

  queue.cancelAllTasks();
  EXPECT_EQ(queue.pendingTasks(), 0u) << "even while one task is still executing";
  blocker.release();
  engine->removeFileEventObserver(&blocker);

  queue.queueTask(Queue::eCheckFile, 0, source("after"));
  ASSERT_TRUE(waitForNoPendingTasks(queue)) << "the pools run again, also the one that was paused";
  Events events = recorder.take();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].first, source("executing"));
  EXPECT_EQ(events[1], std::make_pair(source("after"), Engine::eSourceMissing));
  EXPECT_EQ(blocker.heard(), std::vector<std::string>{source("executing")});
}

TEST_F(LocalisationQueueTest, ATaskWhoseOperationThrowsStillLeavesTheTable) {
  engine->setDiskSizeLimit(Engine::eMinimumFree, 0);
  fs::remove_all(root); // the volume-space query of the next copy now fails
  Queue queue(*engine);
  queue.queueTask(Queue::eLocaliseFile, 0, source("anything"));
  EXPECT_TRUE(waitForNoPendingTasks(queue, std::chrono::seconds(10)));
  EXPECT_EQ(recorder.count(), 0u);
}

TEST_F(LocalisationQueueTest, ShutdownKeepsTheDroppedTasksAliveAndRefusesNewOnes) {
  auto queue = std::make_unique<Queue>(*engine);
  queue->pause();
  for (int index = 0; index < 6; ++index) {
    queue->queueTask(index % 2 ? Queue::eCheckFile : Queue::eRemoveFile, index, source("dropped"));
  }
  queue->shutdown();
  EXPECT_EQ(queue->pendingTasks(), 6u) << "dropped tasks are still counted";

  // Cancelling reaches the dropped tasks through the table: they must still exist.
  queue->cancelPendingTasks(source("dropped"));
  queue->cancelRemovalTasks(source("dropped"));
  queue->queueTask(Queue::eCheckFile, 0, source("late"));
  EXPECT_EQ(queue->pendingTasks(), 6u) << "a refused task leaves no entry";
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(recorder.count(), 0u) << "nothing runs after shutdown";

  queue->cancelAllTasks();
  EXPECT_EQ(queue->pendingTasks(), 0u);
  queue.reset();
}

// Many requests from two threads while a third cancels, pauses and resumes; run under
// ThreadSanitizer in continuous integration.
TEST_F(LocalisationQueueTest, SurvivesConcurrentRequestsCancelsAndPauses) {
  constexpr int kPaths = 200;
  constexpr int kRequestsPerThread = 1500;
  for (int index = 0; index < kPaths; ++index) {
    writeFile(source("f" + std::to_string(index) + ".exr"), 512 + 64 * (index % 40), 1600000000 + index);
  }
  engine->setDiskSizeLimit(Engine::eMaximumUsage, 100 * 1024);
  ::setenv("ORVIK_LOCALIZATION_NUMWATCHERS", "3", 1);
  auto queue = std::make_unique<Queue>(*engine);
  ::unsetenv("ORVIK_LOCALIZATION_NUMWATCHERS");

  std::atomic<bool> producing{true};
  auto produce = [&](unsigned seed) {
    std::mt19937 random(seed);
    for (int request = 0; request < kRequestsPerThread; ++request) {
      const auto kind = static_cast<Queue::FileTask>(random() % 3);
      queue->queueTask(kind, static_cast<int>(random() % 5),
                       source("f" + std::to_string(random() % kPaths) + ".exr"));
    }
  };
  std::thread first(produce, 1);
  std::thread second(produce, 2);
  std::thread controller([&] {
    std::mt19937 random(3);
    for (int step = 0; producing.load(); ++step) {
      const std::string path = source("f" + std::to_string(random() % kPaths) + ".exr");
      switch (step % 7) {
      case 0:
        queue->cancelPendingTasks(path);
        break;
      case 1:
        queue->cancelRemovalTasks(path);
        break;
      case 2:
        queue->pause();
        break;
      case 3:
        queue->resume();
        break;
      case 5:
        if (step % 35 == 5) {
          queue->cancelAllTasks();
        }
        break;
      default:
        queue->pendingTasks();
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    queue->resume();
  });
  first.join();
  second.join();
  producing = false;
  controller.join();

  ASSERT_TRUE(waitForNoPendingTasks(*queue, std::chrono::seconds(120)));
  EXPECT_GT(recorder.take().size(), 0u);

  // Queued behind a pause and then shut down: the table holds exactly those tasks.
  queue->pause();
  for (int index = 0; index < 25; ++index) {
    queue->queueTask(static_cast<Queue::FileTask>(index % 3), 0,
                     source("f" + std::to_string(index) + ".exr"));
  }
  queue->shutdown();
  EXPECT_EQ(queue->pendingTasks(), 25u);
  queue.reset();
  EXPECT_EQ(engine->usedSpace(), Engine(root).usedSpace()) << "one writer kept the total true";
}

} // namespace
