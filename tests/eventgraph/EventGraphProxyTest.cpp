#include <velloro/eventgraph/EventAdderProxy.h>
#include <velloro/eventgraph/EventGraphCoreMediaOperationTimer.h>
#include <velloro/eventgraph/EventGraphSettings.h>
#include <velloro/eventgraph/EventStopperProxy.h>
#include <velloro/eventgraph/EventTrackProxy.h>
#include <velloro/eventgraph/EventUserDataFrameAndImage.h>

#include <TesselUI/EventGraph.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// Every allocation of this program passes through here, so that a test can count them.
namespace {
std::atomic<long> s_allocations{0};
}

void* operator new(std::size_t size) {
  s_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* memory = std::malloc(size ? size : 1)) {
    return memory;
  }
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}

using namespace Velloro;
using Tessel::UI::EventTrack;
using namespace std::chrono_literals;

namespace {

class RecordingSwitch : public ::testing::Test {
protected:
  void TearDown() override { EventGraphSettings::SetEnabled(false); }
};

// Runs every proxy operation once and returns how many allocations that took.
long AllocationsOfProxyWork(const QString& name, const QColor& colour,
                            const std::shared_ptr<Tessel::UI::IEventUserData>& data) {
  const long before = s_allocations.load();
  {
    EventTrackProxy track(name, colour, 1, 2, 3);
    track.addEvent(EventTrack::eInstant, data, 5ns);
    EventAdderProxy adder(&track, data, false);
    EventStopperProxy stopper(&track, data, true);
    // Destroyed before the adder and stopper that were made on it.
    EventTrackProxy moved(std::move(track));
    EventAdderProxy movedAdder(std::move(adder));
    moved.addEvent(EventTrack::eComplete, data, 5ns);
  }
  return s_allocations.load() - before;
}

} // namespace

TEST_F(RecordingSwitch, RecordingOffAllocatesNothing) {
  const QString name = QStringLiteral("Playback");
  const QColor colour(Qt::blue);
  const auto data = std::make_shared<UI::EventUserDataFrameAndImage>(1001, 3);
  ASSERT_FALSE(EventGraphSettings::IsEnabled());
  EXPECT_EQ(AllocationsOfProxyWork(name, colour, data), 0);
  // The count sees allocations at all: the same work with recording on makes tracks.
  EventGraphSettings::SetEnabled(true);
  EXPECT_GT(AllocationsOfProxyWork(name, colour, data), 0);
}

TEST_F(RecordingSwitch, ProxiesBuiltWhileOffStayEmptyAndTracksNeedNoGraph) {
  EventTrackProxy track("Playback", Qt::blue, 1, 2, 3);
  EXPECT_EQ(track.track(), nullptr);
  EventGraphSettings::SetEnabled(true);
  EventAdderProxy adder(&track, nullptr, false);
  EventStopperProxy stopper(&track, nullptr, false);
  EXPECT_EQ(adder.adder(), nullptr);
  EXPECT_EQ(stopper.stopper(), nullptr);
  track.addEvent(EventTrack::eInstant, nullptr, 0ns); // nothing to record on, and no failure
  EventAdderProxy onNothing(nullptr, nullptr, false);
  EXPECT_EQ(onNothing.adder(), nullptr);

  // Recording on and no graph: a new track records all the same.
  ASSERT_EQ(Tessel::UI::EventGraph::instance(), nullptr);
  EventTrackProxy alone("Alone", Qt::gray, 0, 0, 0);
  alone.addEvent(EventTrack::eInstant, nullptr, 0ns);
  ASSERT_NE(alone.track(), nullptr);
  EXPECT_EQ(alone.track()->events().size(), 1u);
}

TEST_F(RecordingSwitch, RecordsOnTheHostsGraphWhileOn) {
  Tessel::UI::EventGraph graph;
  EventGraphSettings::SetEnabled(true);
  EventTrackProxy track("Decode", Qt::red, 1, 2, 3);
  ASSERT_NE(track.track(), nullptr);
  EXPECT_EQ(graph.trackCount(), 1);
  EXPECT_EQ(track.track()->sortIndex(), 3);
  const auto data = std::make_shared<UI::EventUserDataFrameAndImage>(7, 1);
  track.addEvent(EventTrack::eComplete, data, 10us);
  {
    EventAdderProxy adder(&track, data, true);
    EXPECT_NE(adder.adder(), nullptr);
    EventAdderProxy taken(std::move(adder));
    EXPECT_EQ(adder.adder(), nullptr);
  }
  { EventStopperProxy stopper(&track, data, false); }
  std::vector<EventTrack::Event> events = track.track()->events();
  ASSERT_EQ(events.size(), 4u); // complete, begin and end (moving did not end it twice), stopped
  EXPECT_EQ(events[0].data->text(), "Frame=7, Image=1");
  EXPECT_EQ(events[1].type, EventTrack::eBegin);
  EXPECT_EQ(events[2].type, EventTrack::eEnd);
  EXPECT_EQ(events[3].type, EventTrack::eStopped);

  // Switched off, a track built while on stops adding events.
  EventGraphSettings::SetEnabled(false);
  track.addEvent(EventTrack::eInstant, data, 0ns);
  EXPECT_EQ(track.track()->events().size(), 4u);

  // Move assignment hands the track over and frees the one it replaces.
  EventGraphSettings::SetEnabled(true);
  EventTrackProxy other("Other", Qt::green, 1, 5, 0);
  EventTrack* otherTrack = other.track();
  track = std::move(other);
  EXPECT_EQ(track.track(), otherTrack);
  EXPECT_EQ(other.track(), nullptr);
  EXPECT_EQ(graph.trackCount(), 2);
}

TEST(EventGraphCoreMediaOperationTimer, MarksBeginAndEndWithItsData) {
  EventTrack track("Media", Qt::yellow, 1, 1, 1);
  const auto data = std::make_shared<UI::EventUserDataFrameAndImage>(1001, 3);
  UI::EventGraphCoreMediaOperationTimer timer(&track, data);
  timer.startOperation();
  UI::EventGraphCoreMediaOperationTimer copy(timer);
  copy.endOperation();
  const std::vector<EventTrack::Event> events = track.events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].type, 1);
  EXPECT_EQ(events[1].type, 2);
  EXPECT_EQ(events[1].data, data);
  EXPECT_EQ(events[0].duration, 0ns);

  UI::EventGraphCoreMediaOperationTimer detached(nullptr, data);
  detached.startOperation();
  detached.endOperation();
  copy = detached;
  copy.startOperation();
  EXPECT_EQ(track.events().size(), 2u);
}
