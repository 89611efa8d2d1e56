// The channel registry as a script loader drives it: channels created (sorted into their layers)
// and numbered, and full names looked up. The baseline is the registry as first written: the
// descriptor list bubble-sorted after every insertion and names found by scanning it.
#include <velloro/image/ChannelDesc.h>
#include <velloro/image/ChannelVector.h>
#include <velloro/image/Layer.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace Velloro::Image;

constexpr int kUserLayers = 100;

bool tiny() {
  return std::getenv("VELLORO_BENCH_TINY") != nullptr;
}

// n user channel names spread over the user layers, as a script lists them: channel by
// channel across all layers, so that each lands in the middle of the list.
std::vector<std::string> userChannelNames(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    const int layer = i % kUserLayers;
    names.push_back("layer" + std::to_string(100 + layer) + ".c" + std::to_string(100 + i / kUserLayers));
  }
  return names;
}

void resetRegistry() {
  ChannelDesc::ResetToBuiltIn();
  Layer::ResetToBuiltIn();
}

// The written algorithm: one list of (layer name, index in layer, full name), bubble-sorted
// after each insertion, looked up by scanning from the end.
class WrittenRegistry {
public:
  struct Entry {
    std::string layer;
    unsigned index;
    std::string name;
    unsigned channel;
  };

  unsigned create(const std::string& name) {
    if (const Entry* found = find(name)) {
      return found->channel;
    }
    const std::string layer = name.substr(0, name.find('.'));
    unsigned index = 0;
    for (const Entry& entry : mEntries) {
      index += entry.layer == layer ? 1 : 0;
    }
    mEntries.push_back({layer, index, name, unsigned(mEntries.size() + 23)});
    bubbleSort();
    return mEntries.back().channel;
  }

  const Entry* find(const std::string& name) const {
    for (auto it = mEntries.rbegin(); it != mEntries.rend(); ++it) {
      if (it->name == name) {
        return &*it;
      }
    }
    return nullptr;
  }

private:
  void bubbleSort() {
    for (bool swapped = true; swapped;) {
      swapped = false;
      for (std::size_t i = 1; i < mEntries.size(); ++i) {
        Entry& x = mEntries[i - 1];
        Entry& y = mEntries[i];
        if (x.layer > y.layer || (x.layer == y.layer && x.index > y.index)) {
          std::swap(x, y);
          swapped = true;
        }
      }
    }
  }

  std::vector<Entry> mEntries;
};

void createAndAssign(benchmark::State& state) {
  const std::vector<std::string> names = userChannelNames(int(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    resetRegistry();
    state.ResumeTiming();
    for (const std::string& name : names) {
      benchmark::DoNotOptimize(ChannelDesc::create(name.c_str(), true)->assignChannel());
    }
  }
  resetRegistry();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void createAndAssignWritten(benchmark::State& state) {
  const std::vector<std::string> names = userChannelNames(int(state.range(0)));
  for (auto _ : state) {
    WrittenRegistry registry;
    for (const std::string& name : names) {
      benchmark::DoNotOptimize(registry.create(name));
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The registry holds range(0) channels in all, the 22 built-ins included; the name looked up
// (remapped first on both sides) is one in the middle of the user channels.
void lookUpFullName(benchmark::State& state) {
  resetRegistry();
  const std::vector<std::string> names = userChannelNames(int(state.range(0)) - 22);
  for (const std::string& name : names) {
    ChannelDesc::create(name.c_str(), true)->assignChannel();
  }
  const std::string& wanted = names[names.size() / 2];
  for (auto _ : state) {
    benchmark::DoNotOptimize(channels[wanted.c_str()]);
  }
  resetRegistry();
}

void lookUpFullNameWritten(benchmark::State& state) {
  WrittenRegistry registry;
  const std::vector<std::string> names = userChannelNames(int(state.range(0)) - 22);
  for (const std::string& name : names) {
    registry.create(name);
  }
  const std::string& wanted = names[names.size() / 2];
  for (auto _ : state) {
    // A name is remapped before it is looked up, as the registry does.
    benchmark::DoNotOptimize(registry.find(ChannelDesc::RemapName(wanted)));
  }
}

const std::vector<long> kCreateSizes = tiny() ? std::vector<long>{10, 100} : std::vector<long>{100, 1000};
const std::vector<long> kLookupSizes = tiny() ? std::vector<long>{30, 100} : std::vector<long>{30, 1000};

void createSizes(benchmark::internal::Benchmark* benchmark) {
  for (long size : kCreateSizes) {
    benchmark->Arg(size);
  }
  benchmark->Unit(benchmark::kMicrosecond);
}

void lookupSizes(benchmark::internal::Benchmark* benchmark) {
  for (long size : kLookupSizes) {
    benchmark->Arg(size);
  }
}

BENCHMARK(createAndAssign)->Apply(createSizes);
BENCHMARK(createAndAssignWritten)->Apply(createSizes);
BENCHMARK(lookUpFullName)->Apply(lookupSizes);
BENCHMARK(lookUpFullNameWritten)->Apply(lookupSizes);

} // namespace

BENCHMARK_MAIN();
