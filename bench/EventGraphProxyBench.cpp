// The cost of leaving profiling calls in hot paths: a track proxy's addEvent and an adder
// proxy's lifetime with recording off, against a plain test of a bool doing the same nothing,
// and with recording on, against the widget library's track used directly.
#include <velloro/eventgraph/EventAdderProxy.h>
#include <velloro/eventgraph/EventGraphSettings.h>
#include <velloro/eventgraph/EventTrackProxy.h>
#include <velloro/eventgraph/EventUserDataFrameAndImage.h>

#include <TesselUI/EventAdder.h>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using Tessel::UI::EventTrack;

const std::shared_ptr<Tessel::UI::IEventUserData> kData =
    std::make_shared<Velloro::UI::EventUserDataFrameAndImage>(1001, 3);
volatile bool s_plainSwitch = false;

// Recording on fills the track, so its runs are capped to keep memory small.
benchmark::IterationCount Iterations() {
  return std::getenv("VELLORO_BENCH_TINY") ? 100 : 1000000;
}

void RecordingOffProxies(benchmark::State& state) {
  Velloro::EventGraphSettings::SetEnabled(false);
  Velloro::EventTrackProxy track("Bench", Qt::red, 1, 1, 0);
  for (auto _ : state) {
    track.addEvent(EventTrack::eInstant, kData, std::chrono::nanoseconds(0));
    Velloro::EventAdderProxy adder(&track, kData, false);
    benchmark::DoNotOptimize(&adder);
  }
}

void RecordingOffBaselinePlainBool(benchmark::State& state) {
  for (auto _ : state) {
    // The same shape of work: a copy of the user data pointer and a switch test per call.
    std::shared_ptr<Tessel::UI::IEventUserData> data = kData;
    if (s_plainSwitch) {
      benchmark::DoNotOptimize(data);
    }
    std::shared_ptr<Tessel::UI::IEventUserData> adderData = kData;
    if (s_plainSwitch) {
      benchmark::DoNotOptimize(adderData);
    }
  }
}

void RecordingOnProxies(benchmark::State& state) {
  Velloro::EventGraphSettings::SetEnabled(true);
  Velloro::EventTrackProxy track("Bench", Qt::red, 1, 1, 0);
  for (auto _ : state) {
    Velloro::EventAdderProxy adder(&track, kData, false);
    benchmark::DoNotOptimize(&adder);
  }
  Velloro::EventGraphSettings::SetEnabled(false);
}

void RecordingOnBaselineTrack(benchmark::State& state) {
  EventTrack track("Bench", Qt::red, 1, 1, 0);
  for (auto _ : state) {
    Tessel::UI::EventAdder adder(&track, kData, false);
    benchmark::DoNotOptimize(&adder);
  }
}

BENCHMARK(RecordingOffProxies);
BENCHMARK(RecordingOffBaselinePlainBool);
BENCHMARK(RecordingOnProxies)->Iterations(Iterations());
BENCHMARK(RecordingOnBaselineTrack)->Iterations(Iterations());

} // namespace

BENCHMARK_MAIN();
