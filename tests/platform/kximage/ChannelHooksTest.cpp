#include <KXImage/ChannelHooks.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace KX::Image;

// Before a host installs its registry, the SDK answers from its own rgba model.
TEST(ChannelHooks, DefaultModelIsRgba) {
  EXPECT_EQ(pGetChannelCount(), 4u);
  EXPECT_EQ(pFindChannel("rgba.blue"), eChannelBlue);
  EXPECT_EQ(pFindChannel("alpha"), eChannelAlpha);
  EXPECT_EQ(pFindChannel("depth.Z"), eChannelNone);
  EXPECT_EQ(pFindChannel(nullptr), eChannelNone);
  EXPECT_EQ(pGetChannel("rgba.green", true), eChannelGreen);
  EXPECT_EQ(pGetChannel("mine.x", true), eChannelNone) << "the SDK alone makes no channels";
  EXPECT_STREQ(pGetName(eChannelRed), "rgba.red");
  EXPECT_EQ(pGetName(Channel(5)), nullptr);
  EXPECT_STREQ(pGetLayerName(eChannelAlpha), "rgba");
  EXPECT_EQ(pGetLayerName(eChannelNone), nullptr);
  EXPECT_EQ(pColourIndex(eChannelGreen, nullptr), 1u);
  EXPECT_EQ(pColourIndex(Channel(9), nullptr), 3u);
  EXPECT_EQ(brother(eChannelRed, 3), eChannelAlpha);
  EXPECT_EQ(brother(eChannelRed, 4), eChannelNone);
  EXPECT_EQ(brother(Channel(9), 0), eChannelNone);
  EXPECT_TRUE(pCompareChannels(eChannelRed, eChannelBlue));
  EXPECT_FALSE(pCompareChannels(eChannelBlue, eChannelRed));

  LayerI* rgba = pGetLayer("rgba");
  ASSERT_NE(rgba, nullptr);
  EXPECT_EQ(rgba->name(), "rgba");
  EXPECT_TRUE(rgba->builtIn());
  EXPECT_TRUE(rgba->visible());
  EXPECT_EQ(rgba->getChannelSet(), ChannelSet(eMaskRGBA));
  EXPECT_EQ(pGetLayer("depth"), nullptr);
}

} // namespace
