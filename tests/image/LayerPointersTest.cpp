#include "RegistryFixture.h"

#include <velloro/image/LayerPointers.h>

#include <KXImage/ChannelHooks.h>

namespace {

using namespace Velloro::Image;
using namespace KX::Image;

using LayerPointersTest = RegistryFixture;

// The SDK asks through its hook variables; once the host installs the library's functions,
// the answers come from the registry (the SDK's own rgba model knows no depth, and no more
// than four channels).
TEST_F(LayerPointersTest, SdkHooksAnswerFromTheRegistryOnceInstalled) {
  setLayerPointers();

  EXPECT_EQ(pGetChannelCount(), 22u);
  EXPECT_EQ(pFindChannel("depth.Z"), Channel(5));
  EXPECT_EQ(pFindChannel("b"), eChannelBlue);
  EXPECT_EQ(pFindChannel("user.x"), eChannelNone);
  EXPECT_EQ(channels.size(), 22u) << "finding makes nothing";

  EXPECT_EQ(pGetChannel("user.x", true), Channel(23));
  EXPECT_EQ(pGetChannel("user.x", true), Channel(23));
  EXPECT_EQ(pFindChannel("user.x"), Channel(23));
  EXPECT_EQ(pGetChannelCount(), 23u);
  EXPECT_STREQ(pGetName(Channel(23)), "user.x");
  EXPECT_STREQ(pGetName(Channel(16)), "deep.front");
  EXPECT_EQ(pGetName(Channel(24)), nullptr);
  EXPECT_STREQ(pGetLayerName(Channel(23)), "user");
  EXPECT_STREQ(pGetLayerName(eChannelRed), "rgb");
  EXPECT_STREQ(pGetLayerName(eChannelAlpha), "rgba");
  EXPECT_EQ(pGetLayerName(Channel(500)), nullptr);

  EXPECT_EQ(pColourIndex(eChannelAlpha, nullptr), 3u);
  EXPECT_EQ(pColourIndex(eChannelAlpha, "alpha"), 0u);
  EXPECT_EQ(pColourIndex(eChannelGreen, "rgba"), 1u);
  EXPECT_EQ(pColourIndex(Channel(5), "rgba"), 3u) << "not in the layer: its last index";
  // "uv" names no layer exactly: backward.u keeps its own index (2, in motion), where the layer
  // "uv" is looked up as ("forward", which lacks it) would give its last index (1).
  EXPECT_EQ(pColourIndex(Channel(8), "uv"), 2u) << "only an exact layer name counts";
  EXPECT_EQ(pColourIndex(Channel(500), nullptr), 3u);

  EXPECT_EQ(pBrother(eChannelRed, 2), eChannelBlue);
  EXPECT_EQ(brother(Channel(6), 3), Channel(9)) << "motion holds forward and backward";
  EXPECT_EQ(brother(Channel(23), 0), Channel(23));
  EXPECT_EQ(pBrother(Channel(500), 0), eChannelNone);

  EXPECT_TRUE(pCompareChannels(eChannelRed, eChannelGreen));
  EXPECT_FALSE(pCompareChannels(eChannelGreen, eChannelRed));
  EXPECT_TRUE(pCompareChannels(eChannelAlpha, Channel(23))) << "a purpose sorts first";
  EXPECT_FALSE(pCompareChannels(Channel(23), eChannelAlpha));
  EXPECT_EQ(pGetChannel("user.w", true), Channel(24));
  EXPECT_TRUE(pCompareChannels(Channel(24), Channel(23))) << "without purposes, by name";

  LayerI* forward = pGetLayer("uv");
  ASSERT_NE(forward, nullptr);
  EXPECT_EQ(forward->name(), "forward");
  EXPECT_TRUE(forward->builtIn());
  ChannelSet vectors;
  vectors += Channel(6);
  vectors += Channel(7);
  EXPECT_EQ(forward->getChannelSet(), vectors);
  EXPECT_EQ(pGetLayer("user"), getLayers()["user"].get());
  EXPECT_EQ(pGetLayer("nothing"), nullptr);
  EXPECT_EQ(pGetLayer("all"), nullptr);
}

} // namespace
