#include "RegistryFixture.h"

#include <velloro/image/ConcreteChannelDesc.h>
#include <velloro/image/StereoChannelDesc.h>

#include <KXImage/OutputContext.h>

#include <memory>
#include <random>
#include <sstream>
#include <utility>

namespace {

using namespace Velloro::Image;
using KX::Image::Channel;
using Strings = std::vector<std::string>;

using ChannelDescTest = RegistryFixture;

TEST_F(ChannelDescTest, BuiltInsAreListedWithTheirNumbersPurposesAndOwners) {
  const Strings expected = {"rgba.red",         "rgba.green",         "rgba.blue",         "rgba.alpha",
                            "depth.Z",          "forward.u",          "forward.v",         "backward.u",
                            "backward.v",       "deep.front",         "deep.back",         "disparityL.x",
                            "disparityL.y",     "disparityR.x",       "disparityR.y",      "mask.a",
                            "rotopaint_mask.a", "mask_planartrack.a", "mask_splinewarp.a", "sample.coverage",
                            "cutout.alpha",     "cutout.depth"};
  EXPECT_EQ(listedNames(0), expected);
  const std::vector<unsigned> numbers = {1,  2,  3,  4,  5,  6,  7,  8,  9,  16, 17,
                                         10, 11, 12, 13, 14, 15, 18, 19, 20, 21, 22};
  const std::vector<unsigned> purposes = {1, 2, 3, 4, 5, 6, 7, 6, 7,  16, 17,
                                          6, 7, 6, 7, 4, 4, 4, 4, 20, 4,  5};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const ChannelDescPtr descriptor = channels[i];
    EXPECT_EQ(descriptor->channel(), numbers[i]) << expected[i];
    EXPECT_EQ(descriptor->purpose(), purposes[i]) << expected[i];
    EXPECT_TRUE(descriptor->builtIn()) << expected[i];
    EXPECT_EQ(channels[descriptor->channel()], descriptor) << "table entry of " << expected[i];
  }
  EXPECT_EQ(channels[Channel(23)], nullptr);
  EXPECT_EQ(channels[Channel(0)], nullptr);

  EXPECT_STREQ(channels["rgba.red"]->layerName(), "rgb");
  EXPECT_STREQ(channels["rgba.alpha"]->layerName(), "rgba");
  EXPECT_EQ(channels["rgba.alpha"]->layerIndex(), 3u);
  EXPECT_STREQ(channels["backward.v"]->layerName(), "motion");
  EXPECT_EQ(channels["backward.v"]->layerIndex(), 3u);
  EXPECT_STREQ(channels["disparityR.y"]->layerName(), "disparity");
  EXPECT_STREQ(channels["cutout.depth"]->layerName(), "cutout");
  EXPECT_EQ(channels["rgba.blue"]->brother(0), KX::Image::eChannelRed);
  EXPECT_EQ(channels["rgba.blue"]->brother(3), KX::Image::eChannelNone) << "rgb has three entries";
}

TEST_F(ChannelDescTest, StereoChannelsAreVisibleOnlyWithSeveralViews) {
  const ChannelDescPtr disparity = channels["disparityL.x"];
  ASSERT_TRUE(std::dynamic_pointer_cast<StereoChannelDesc>(disparity));
  EXPECT_FALSE(std::dynamic_pointer_cast<StereoChannelDesc>(channels["depth.Z"]));
  EXPECT_FALSE(disparity->visible());
  const auto previous = KX::Image::OutputContext::hasMultipleViews;
  KX::Image::OutputContext::hasMultipleViews = [](const KX::Image::Op*) { return true; };
  EXPECT_TRUE(disparity->visible());
  EXPECT_TRUE(channels["depth.Z"]->visible());
  KX::Image::OutputContext::hasMultipleViews = previous;
}

TEST_F(ChannelDescTest, NamesAreRemappedThroughAliasesOtherAndExtraTwins) {
  EXPECT_EQ(ChannelDesc::RemapName("rgb.red"), "rgba.red");
  EXPECT_EQ(ChannelDesc::RemapName("rbg.alpha"), "rgba.alpha");
  EXPECT_EQ(ChannelDesc::RemapName("RGB.red"), "RGB.red") << "aliases are case-sensitive";
  EXPECT_EQ(ChannelDesc::RemapName("alpha"), "other.alpha");
  EXPECT_EQ(ChannelDesc::RemapName(""), "other.");
  EXPECT_EQ(ChannelDesc::RemapName("rgba.foo"), "rgba_extra.foo");
  EXPECT_EQ(ChannelDesc::RemapName("rgba.red"), "rgba.red");
  EXPECT_EQ(ChannelDesc::RemapName("rgb.alpha"), "rgb_extra.alpha") << "rgb has no alpha entry";
  EXPECT_EQ(ChannelDesc::RemapName("uv.x"), "uv_extra.x") << "uv is the forward layer";
  EXPECT_EQ(ChannelDesc::RemapName("mylayer.x.y"), "mylayer.x.y");
  EXPECT_EQ(ChannelDesc::LayerName("mylayer.x.y"), "mylayer");
  EXPECT_EQ(ChannelDesc::LayerName("plain"), "");

  EXPECT_EQ(ChannelDesc::purpose("ALPHA"), 4u);
  EXPECT_EQ(ChannelDesc::purpose("Green"), 2u);
  EXPECT_EQ(ChannelDesc::purpose("B"), 3u);
  EXPECT_EQ(ChannelDesc::purpose("r"), 1u);
  EXPECT_EQ(ChannelDesc::purpose("re"), 0u);
  EXPECT_EQ(ChannelDesc::purpose(""), 0u);

  const ChannelDescPtr other = ChannelDesc::createNew("alpha", false);
  EXPECT_EQ(other->name(), "other.alpha");
  EXPECT_EQ(other->purpose(), 4u);
  EXPECT_STREQ(other->subname(), "alpha");
  EXPECT_EQ(other->layer(), nullptr);
  EXPECT_EQ(other->layerName(), nullptr);
  EXPECT_EQ(other->colourIndex(), 3u);
  EXPECT_EQ(ChannelDesc::createNew("rgba.foo", true)->name(), "rgba.foo") << "kept as given";

  other->name("layer.Red");
  EXPECT_EQ(other->name(), "layer.Red");
  EXPECT_EQ(other->purpose(), 1u);
  EXPECT_EQ(channels["layer.Red"], other);
  EXPECT_EQ(channels["other.alpha"], nullptr) << "the old name no longer finds it";
  std::ostringstream text;
  text << *other;
  EXPECT_EQ(text.str(), "layer.Red");
}

TEST_F(ChannelDescTest, CreateFindsKnownChannelsBeforeMakingNewOnes) {
  const ChannelDescPtr green = ChannelDesc::create("rgb.green", true);
  EXPECT_EQ(green, channels[KX::Image::eChannelGreen]);
  EXPECT_EQ(green->assignChannel(), KX::Image::eChannelGreen);
  EXPECT_EQ(ChannelDesc::create("red", true)->name(), "rgba.red");
  EXPECT_EQ(ChannelDesc::create("Z", true)->name(), "depth.Z");
  EXPECT_EQ(ChannelDesc::create("alpha", true)->name(), "rgba.alpha") << "found by its channel name";
  EXPECT_EQ(channels.size(), 22u);

  EXPECT_EQ(channels["g"]->name(), "rgba.green");
  EXPECT_EQ(channels["A"]->name(), "rgba.alpha");
  EXPECT_EQ(channels["u"]->name(), "forward.u") << "the first listed wins";
  EXPECT_EQ(channels["COVERAGE"]->name(), "sample.coverage");
  EXPECT_EQ(channels["uv.u"]->name(), "forward.u");
  EXPECT_EQ(channels["nothing.here"], nullptr);
  EXPECT_EQ(channels["q"], nullptr);
  EXPECT_EQ(channels[static_cast<const char*>(nullptr)], nullptr);
  EXPECT_EQ(channels.size(), 22u) << "lookups make nothing";

  const ChannelDescPtr foo = ChannelDesc::create("rgba.foo", true);
  EXPECT_EQ(foo->name(), "rgba_extra.foo");
  EXPECT_STREQ(foo->layerName(), "rgba_extra");
  EXPECT_EQ(foo->channel(), KX::Image::eChannelNone) << "numbers are given by assignChannel";
  EXPECT_EQ(rgbaLayer->size(), 4u) << "the built-in layer takes no new channel";
  EXPECT_EQ(ChannelDesc::create("rgba.foo", true), foo);
  EXPECT_EQ(ChannelDesc::create("rgba_extra.foo", true), foo);
  EXPECT_EQ(ChannelDesc::create("foo", true), foo) << "a bare channel name finds it too";

  // A later descriptor of the same full name wins the lookup.
  const ChannelDescPtr twin = ChannelDesc::createNew("rgba_extra.foo", true);
  EXPECT_EQ(channels["rgba_extra.foo"], twin);
  EXPECT_EQ(channels["foo"], foo) << "by channel name, the first listed wins";
}

TEST_F(ChannelDescTest, UnusualNamesAreFiledLikeAnyOther) {
  const ChannelDescPtr empty = ChannelDesc::create("", true);
  EXPECT_EQ(empty->name(), "other.");
  EXPECT_STREQ(empty->subname(), "");
  EXPECT_EQ(empty->purpose(), 0u);
  EXPECT_EQ(ChannelDesc::create("", true), empty);

  const ChannelDescPtr dots = ChannelDesc::create("...", true);
  EXPECT_EQ(dots->name(), "...");
  EXPECT_STREQ(dots->layerName(), "") << "a layer without a name";
  EXPECT_EQ(channels["..."], dots);

  const std::string longName = "long." + std::string(100000, 'x');
  const ChannelDescPtr longest = ChannelDesc::create(longName.c_str(), true);
  EXPECT_EQ(longest->name(), longName);
  EXPECT_EQ(channels[longName.c_str()], longest);

  const char* notUtf8 = "\xff\xfe.\x80\xc3";
  const ChannelDescPtr bytes = ChannelDesc::create(notUtf8, true);
  EXPECT_EQ(bytes->name(), notUtf8);
  EXPECT_EQ(channels["\x80\xc3"], bytes) << "found by its channel name, byte for byte";
  EXPECT_EQ(ChannelDesc::purpose("\xe9"), 0u);

  EXPECT_EQ(ChannelDesc::create(nullptr, true), nullptr);
  EXPECT_EQ(Layer::create(nullptr), nullptr);
  EXPECT_EQ(ChannelDesc::createNew(nullptr, false)->name(), "other.");
}

TEST_F(ChannelDescTest, ChannelNumbersStartAt23AndStopAtTheLimitWithOneMessage) {
  const ChannelDescPtr first = ChannelDesc::create("user.first", true);
  EXPECT_EQ(first->assignChannel(), Channel(23));
  EXPECT_EQ(first->assignChannel(), Channel(23)) << "a number, once given, stays";
  EXPECT_EQ(channels[Channel(23)], first);
  EXPECT_EQ(ChannelDesc::createNew("loose", false)->assignChannel(), Channel(24));

  ConcreteChannelDesc unshared("unshared.x", false);
  EXPECT_THROW(unshared.assignChannel(), std::bad_weak_ptr);

  ::testing::internal::CaptureStderr();
  for (unsigned number = 25; number <= 1023; ++number) {
    ASSERT_EQ(ChannelDesc::create(("fill.c" + std::to_string(number)).c_str(), false)->assignChannel(),
              Channel(number));
  }
  const ChannelDescPtr over = ChannelDesc::create("fill.over", false);
  EXPECT_EQ(over->assignChannel(), KX::Image::eChannelNone);
  EXPECT_EQ(over->assignChannel(), KX::Image::eChannelNone);
  EXPECT_EQ(ChannelDesc::create("fill.over2", false)->assignChannel(), KX::Image::eChannelNone);
  std::string error = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(error, "Script contains more than 1023 channels.\n");

  reset();
  EXPECT_EQ(channels.size(), 22u);
  EXPECT_EQ(channels[Channel(23)], nullptr);
  EXPECT_EQ(channels["rgba.red"]->channel(), KX::Image::eChannelRed);
  EXPECT_EQ(ChannelDesc::create("user.again", true)->assignChannel(), Channel(23));

  ::testing::internal::CaptureStderr();
  for (unsigned number = 24; number <= 1024; ++number) {
    ChannelDesc::create(("fill.c" + std::to_string(number)).c_str(), false)->assignChannel();
  }
  error = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(error, "") << "the limit is reported once per process";
}

TEST_F(ChannelDescTest, ColourIndexFollowsThePlaceInTheLayer) {
  for (const char* name : {"six.c0", "six.c1", "six.c2", "six.c3", "six.c4", "six.c5"}) {
    ChannelDesc::create(name, false);
  }
  EXPECT_EQ(channels["six.c1"]->colourIndex(), 1u);
  EXPECT_EQ(channels["six.c3"]->colourIndex(), 3u);
  EXPECT_EQ(channels["six.c5"]->layerIndex(), 5u);
  EXPECT_EQ(channels["six.c5"]->colourIndex(), 3u);
  EXPECT_EQ(channels["rgba.green"]->colourIndex(), 1u);
}

// The list order as first written: after a change, neighbours swap until no pair does. The
// list shows the built-ins, then the channels of layers by layer name and position, then the
// channels without a layer by name; appending with createNew does not sort.
void bubbleSort(std::vector<ChannelDescPtr>& list) {
  const auto swaps = [](const ChannelDesc& x, const ChannelDesc& y) {
    const LayerPtr layerX = x.layer();
    const LayerPtr layerY = y.layer();
    if (!layerX || !layerY) {
      return (!layerX && layerY) || (!layerX && !layerY && x.name() > y.name());
    }
    return layerX != layerY ? layerX->name() > layerY->name() : x.layerIndex() > y.layerIndex();
  };
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (std::size_t i = 23; i < list.size(); ++i) {
      if (swaps(*list[i - 1], *list[i])) {
        std::swap(list[i - 1], list[i]);
        swapped = true;
      }
    }
  }
}

std::vector<ChannelDescPtr> listed() {
  std::vector<ChannelDescPtr> list;
  for (std::size_t i = 0; i < channels.size(); ++i) {
    list.push_back(channels[i]);
  }
  return list;
}

TEST_F(ChannelDescTest, ListOrderMatchesTheWrittenBubbleSort) {
  std::mt19937 random(20261206);
  const auto pick = [&random](std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
  };
  for (int step = 0; step < 600; ++step) {
    std::vector<ChannelDescPtr> expected = listed();
    const std::size_t operation = pick(10);
    if (operation < 5) {
      // Channel names with and without purposes, in a few layers, some of them repeated.
      static const char* const kChannels[] = {"red", "g", "blue", "alpha", "x", "y", "zz", "mm", "u", "a0"};
      const std::string name =
          "layer" + std::to_string(pick(8)) + "." + kChannels[pick(10)] + std::to_string(pick(4));
      const std::size_t before = channels.size();
      const ChannelDescPtr made = ChannelDesc::create(name.c_str(), operation < 3);
      if (channels.size() > before) {
        expected.push_back(made);
        bubbleSort(expected);
      }
    } else if (operation < 6) {
      const ChannelDescPtr made =
          ChannelDesc::createNew(("loose." + std::to_string(pick(50))).c_str(), false);
      expected.push_back(made);
    } else if (operation < 9 && getLayers().size() > 17) {
      const LayerPtr layer = getLayers()[17 + pick(getLayers().size() - 17)];
      if (layer->size() > 0) {
        layer->replace(unsigned(pick(layer->size())), expected[pick(expected.size())]);
        bubbleSort(expected);
      }
    } else if (getLayers().size() > 17) {
      // Every other rename takes the name of another layer: the list rule does not order the
      // channels of two layers of one name among themselves.
      const std::size_t userLayers = getLayers().size() - 17;
      const std::string name =
          step % 2 ? getLayers()[17 + pick(userLayers)]->name() : "renamed" + std::to_string(step);
      getLayers()[17 + pick(userLayers)]->name(name.c_str());
      bubbleSort(expected);
    }
    ASSERT_EQ(listed(), expected) << "after step " << step << ", operation " << operation;
  }
}

} // namespace
