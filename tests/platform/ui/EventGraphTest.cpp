#include <TesselUI/EventAdder.h>
#include <TesselUI/EventGraph.h>
#include <TesselUI/EventStopper.h>
#include <TesselUI/EventTrack.h>
#include <TesselUI/IEventUserData.h>
#include <TesselUI/OperationTimer.h>
#include <TesselUI/ScopedOperation.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

using namespace Tessel::UI;
using namespace std::chrono_literals;

namespace {

class Text : public IEventUserData {
public:
  explicit Text(QString text)
      : m_text(std::move(text)) {}
  QString text() const override { return m_text; }

private:
  QString m_text;
};

QJsonArray TraceEvents(const EventGraph& graph) {
  const QJsonDocument document = QJsonDocument::fromJson(graph.toChromeTrace());
  EXPECT_TRUE(document.isObject());
  return document.object().value("traceEvents").toArray();
}

} // namespace

TEST(EventGraph, InstanceOnlyWhileTheHostsGraphLives) {
  EXPECT_EQ(EventGraph::instance(), nullptr);
  {
    EventGraph graph;
    EXPECT_EQ(EventGraph::instance(), &graph);
    EventGraph second;
    EXPECT_EQ(EventGraph::instance(), &graph);
  }
  EXPECT_EQ(EventGraph::instance(), nullptr);
}

TEST(EventGraph, AddersAndStoppersMarkTheirLifetime) {
  EventTrack track("Decode", Qt::red, 1, 7, 2);
  auto data = std::make_shared<Text>("Frame=12");
  {
    EventAdder adder(&track, data, false);
    std::this_thread::sleep_for(2ms);
  }
  {
    EventAdder adder(&track, data, true);
    EXPECT_EQ(track.events().size(), 2u); // the begin is there while the interval is open
  }
  { EventStopper stopper(&track); }
  EventAdder nobody(nullptr, data, true);
  const std::vector<EventTrack::Event> events = track.events();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].type, EventTrack::eComplete);
  EXPECT_GE(events[0].duration, 2ms);
  EXPECT_LE(events[0].time + events[0].duration, events[1].time);
}

TEST(EventGraph, ChromeTraceOfTracksThatOutliveTheirObjects) {
  EventGraph graph;
  {
    EventTrack track("Reader", QColor(0, 128, 255), 3, 4, 1);
    graph.addTrack(&track);
    graph.addTrack(&track);
    track.addEvent(EventTrack::eComplete, std::make_shared<Text>("File=\"a.exr\""), 1500ns);
    track.addEvent(EventTrack::eInstant, nullptr, 99ns);
  }
  EXPECT_EQ(graph.trackCount(), 1);
  const QJsonArray events = TraceEvents(graph);
  ASSERT_EQ(events.size(), 4);
  const QJsonObject name = events[0].toObject();
  EXPECT_EQ(name["ph"].toString(), "M");
  EXPECT_EQ(name["args"].toObject()["name"].toString(), "Reader");
  EXPECT_EQ(events[1].toObject()["args"].toObject()["sort_index"].toInt(), 1);
  const QJsonObject slice = events[2].toObject();
  EXPECT_EQ(slice["ph"].toString(), "X");
  EXPECT_EQ(slice["pid"].toInt(), 3);
  EXPECT_EQ(slice["tid"].toInt(), 4);
  EXPECT_DOUBLE_EQ(slice["dur"].toDouble(), 1.5);
  EXPECT_EQ(slice["args"].toObject()["data"].toString(), "File=\"a.exr\"");
  const QJsonObject instant = events[3].toObject();
  EXPECT_EQ(instant["ph"].toString(), "i");
  EXPECT_FALSE(instant.contains("dur"));
  EXPECT_EQ(instant["name"].toString(), "Reader");

  QTemporaryDir folder;
  ASSERT_TRUE(graph.writeChromeTrace(folder.filePath("trace.json")));
  QFile written(folder.filePath("trace.json"));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), graph.toChromeTrace());
  EXPECT_FALSE(graph.writeChromeTrace(folder.filePath("missing/trace.json")));
}

TEST(EventGraph, TracksAcceptEventsFromManyThreads) {
  EventTrack track("Workers", Qt::green, 1, 1, 0);
  std::vector<std::thread> threads;
  for (int thread = 0; thread < 4; ++thread) {
    threads.emplace_back([&track] {
      for (int event = 0; event < 500; ++event) {
        EventAdder adder(&track, nullptr, false);
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(track.events().size(), 2000u);
}

namespace {
class CountingTimer : public Tessel::Profile::OperationTimer {
public:
  CountingTimer(int& starts, int& ends, bool& released)
      : m_starts(starts)
      , m_ends(ends)
      , m_released(released) {}
  ~CountingTimer() override { m_released = true; }
  void startOperation() override { ++m_starts; }
  void endOperation() override { ++m_ends; }

private:
  int& m_starts;
  int& m_ends;
  bool& m_released;
};
} // namespace

TEST(OperationTimer, ScopedOperationStartsEndsAndHoldsAReference) {
  int starts = 0;
  int ends = 0;
  bool released = false;
  auto* timer = new CountingTimer(starts, ends, released);
  timer->addReference();
  {
    Tessel::Profile::ScopedOperation operation(timer);
    EXPECT_EQ(timer->referenceCount(), 2);
    EXPECT_EQ(starts, 1);
  }
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(released);
  EXPECT_TRUE(timer->removeReference());
  EXPECT_TRUE(released);
  Tessel::Profile::ScopedOperation none(nullptr);
}

TEST(EventGraph, AnIntervalOutlivingItsTrackObjectIsKept) {
  EventGraph graph;
  auto track = std::make_unique<EventTrack>("Short-lived", Qt::gray, 1, 2, 0);
  graph.addTrack(track.get());
  auto adder = std::make_unique<EventAdder>(track.get(), nullptr, false);
  auto stopper = std::make_unique<EventStopper>(track.get());
  track.reset();
  adder.reset();
  stopper.reset();
  const QJsonArray events = TraceEvents(graph);
  ASSERT_EQ(events.size(), 4); // two rows of metadata, the interval and the stop
  EXPECT_EQ(events[2].toObject()["ph"].toString(), "X");
  EXPECT_EQ(events[3].toObject()["cat"].toString(), "stopped");
}
