// The median of a region box, as the example host's sampler computes it: the pixels of a
// 1024 x 1024 region ordered by their luminance. The sampler selects the middle pixel
// (std::nth_element, linear on average); the baseline sorts all of them and takes the middle.
#include <sampler/PixelStatistics.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

using Velloro::Sampler::SampledPixel;

int regionSide() {
  return std::getenv("VELLORO_BENCH_TINY") ? 16 : 1024;
}

// A region of a photograph-like image: random colours, keyed by luminance.
const std::vector<SampledPixel>& region() {
  static const std::vector<SampledPixel> sPixels = [] {
    std::mt19937 random(42);
    std::uniform_real_distribution<float> value(0.0f, 1.5f);
    std::vector<SampledPixel> pixels(std::size_t(regionSide()) * std::size_t(regionSide()));
    for (SampledPixel& pixel : pixels) {
      pixel.rgba = {value(random), value(random), value(random), 1.0f};
      pixel.key = Velloro::Sampler::BasisKey(pixel.rgba, 7);
    }
    return pixels;
  }();
  return sPixels;
}

// Each run starts from the pixels in image order; the copy is not timed.
template <class Median> void measure(benchmark::State& state, Median median) {
  std::vector<SampledPixel> pixels;
  for (auto _ : state) {
    state.PauseTiming();
    pixels = region();
    state.ResumeTiming();
    benchmark::DoNotOptimize(median(pixels).key);
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(region().size()));
}

void MedianBySelection(benchmark::State& state) {
  measure(state, [](std::vector<SampledPixel>& pixels) -> const SampledPixel& {
    return Velloro::Sampler::MedianByKey(pixels);
  });
}

void MedianBySort(benchmark::State& state) {
  measure(state, [](std::vector<SampledPixel>& pixels) -> const SampledPixel& {
    std::sort(pixels.begin(), pixels.end(),
              [](const SampledPixel& a, const SampledPixel& b) { return a.key < b.key; });
    return pixels[(pixels.size() - 1) / 2];
  });
}

BENCHMARK(MedianBySelection)->Unit(benchmark::kMillisecond);
BENCHMARK(MedianBySort)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
