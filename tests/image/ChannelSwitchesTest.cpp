// Cases that depend on the two channel switches read when the library loads; each runs in its
// own process, started by a ctest entry that sets or clears the variable it names.
#include "RegistryFixture.h"

#include <velloro/image/LayerPointers.h>

#include <KXImage/ChannelHooks.h>

#include <cstdlib>

namespace {

using namespace Velloro::Image;
using KX::Image::Channel;
using Strings = std::vector<std::string>;

using ChannelSwitches = RegistryFixture;

TEST_F(ChannelSwitches, RemappingDisabled) {
  EXPECT_TRUE(ChannelDesc::IsChannelRemappingDisabled());
  unsetenv("ORVIK_DISABLE_CHANNEL_REMAPPING");
  EXPECT_TRUE(ChannelDesc::IsChannelRemappingDisabled()) << "read once, when the library loads";

  EXPECT_EQ(ChannelDesc::RemapName("rgba.foo"), "rgba.foo");
  EXPECT_EQ(ChannelDesc::RemapName("alpha"), "other.alpha");
  EXPECT_EQ(ChannelDesc::RemapName("rgb.red"), "rgba.red");
  EXPECT_EQ(Layer::create("rgba"), rgbaLayer);

  const ChannelDescPtr foo = ChannelDesc::create("rgba.foo", true);
  EXPECT_EQ(foo->name(), "rgba.foo");
  EXPECT_EQ(foo->layer(), rgbaLayer);
  EXPECT_EQ(foo->layerIndex(), 4u);
  EXPECT_FALSE(rgbaLayer->builtIn());

  // The rgba layer now holds a user channel, so it goes with the user's layers.
  Layer::ResetToBuiltIn();
  EXPECT_EQ(getLayers().size(), 16u);
  EXPECT_EQ(Layer::get("rgba"), nullptr);
}

TEST_F(ChannelSwitches, RemappingEnabled) {
  EXPECT_FALSE(ChannelDesc::IsChannelRemappingDisabled());
  setenv("ORVIK_DISABLE_CHANNEL_REMAPPING", "1", 1);
  EXPECT_FALSE(ChannelDesc::IsChannelRemappingDisabled()) << "read once, when the library loads";
  EXPECT_EQ(ChannelDesc::RemapName("rgba.foo"), "rgba_extra.foo");
}

// The legacy rule lets a channel without a purpose go in front of one with a purpose, and a
// channel with a purpose in front of one without.
TEST_F(ChannelSwitches, LegacySorting) {
  for (const char* name : {"legacy.red", "legacy.blue", "legacy.m", "legacy.zz", "legacy.green"}) {
    ChannelDesc::create(name, true);
  }
  EXPECT_EQ(entryNames(*Layer::get("legacy")),
            (Strings{"legacy.green", "legacy.m", "legacy.zz", "legacy.red", "legacy.blue"}));

  setLayerPointers();
  const Channel m = KX::Image::pGetChannel("legacy.m", true);
  const Channel red = KX::Image::pGetChannel("legacy.red", true);
  EXPECT_TRUE(KX::Image::pCompareChannels(m, red));
  EXPECT_TRUE(KX::Image::pCompareChannels(red, m));
  EXPECT_FALSE(KX::Image::pCompareChannels(KX::Image::eChannelGreen, KX::Image::eChannelRed));
}

TEST_F(ChannelSwitches, NewSorting) {
  setenv("ORVIK_LEGACY_CHANNEL_SORTING", "1", 1);
  for (const char* name : {"legacy.red", "legacy.blue", "legacy.m", "legacy.zz", "legacy.green"}) {
    ChannelDesc::create(name, true);
  }
  EXPECT_EQ(entryNames(*Layer::get("legacy")),
            (Strings{"legacy.red", "legacy.green", "legacy.blue", "legacy.m", "legacy.zz"}))
      << "the rule is fixed when the library loads";

  setLayerPointers();
  const Channel m = KX::Image::pGetChannel("legacy.m", true);
  const Channel red = KX::Image::pGetChannel("legacy.red", true);
  EXPECT_FALSE(KX::Image::pCompareChannels(m, red));
  EXPECT_TRUE(KX::Image::pCompareChannels(red, m));
}

} // namespace
