#include "RegistryFixture.h"

#include <velloro/image/ConcreteChannelDesc.h>
#include <velloro/image/ConcreteLayer.h>
#include <velloro/image/StereoLayer.h>

#include <QVariant>

#include <boost/algorithm/string/join.hpp>

#include <memory>
#include <sstream>

namespace {

using namespace Velloro::Image;
using KX::Image::Channel;
using Strings = std::vector<std::string>;

using LayerTest = RegistryFixture;

TEST_F(LayerTest, BuiltInLayersAndTheAllLayer) {
  EXPECT_EQ(boost::algorithm::join(layerNames(0), " "),
            "rgb rgba alpha depth motion forward backward disparity disparityL disparityR mask "
            "rotopaint_mask mask_planartrack mask_splinewarp sample cutout deep");
  for (std::size_t i = 0; i < getLayers().size(); ++i) {
    EXPECT_TRUE(getLayers()[i]->builtIn() && getLayers()[i]->visible()) << i;
  }
  EXPECT_EQ(rgbLayer, getLayers()["rgb"]);
  EXPECT_EQ(rgbaLayer, Layer::get("rgba"));
  EXPECT_EQ(entryNames(*rgbaLayer), (Strings{"rgba.red", "rgba.green", "rgba.blue", "rgba.alpha"}));
  EXPECT_EQ(entryNames(*getLayers()["motion"]),
            (Strings{"forward.u", "forward.v", "backward.u", "backward.v"}));
  EXPECT_TRUE(std::dynamic_pointer_cast<StereoLayer>(getLayers()["disparityR"]));
  EXPECT_FALSE(std::dynamic_pointer_cast<StereoLayer>(getLayers()["depth"]));

  ASSERT_TRUE(allLayer);
  EXPECT_EQ(allLayer->name(), "all");
  EXPECT_EQ(allLayer->size(), 0u);
  EXPECT_FALSE(allLayer->builtIn()) << "a layer without entries is not built in";
  EXPECT_EQ(Layer::get("all"), nullptr) << "the all layer is in no list";

  EXPECT_EQ(Layer::get("uv"), getLayers()["forward"]);
  EXPECT_EQ(Layer::get("UV"), nullptr);
  EXPECT_EQ(Layer::get(nullptr), nullptr);
  std::ostringstream text;
  text << *rgbaLayer;
  EXPECT_EQ(text.str(), "rgba");
}

TEST_F(LayerTest, CreateMakesExtraTwinsAndKeepsUserLayersSortedByName) {
  const LayerPtr extra = Layer::create("rgba");
  EXPECT_EQ(extra->name(), "rgba_extra");
  EXPECT_EQ(extra->size(), 0u);
  EXPECT_EQ(Layer::create("rgba"), extra) << "the twin is made once";
  EXPECT_EQ(Layer::create("rgba_extra"), extra);
  EXPECT_EQ(Layer::create("uv")->name(), "uv_extra");

  Layer::create("zeta");
  Layer::create("Alpha");
  const LayerPtr beta = Layer::create("beta");
  EXPECT_EQ(Layer::create("beta"), beta);
  EXPECT_EQ(layerNames(), (Strings{"Alpha", "beta", "rgba_extra", "uv_extra", "zeta"}));

  beta->name("zz");
  EXPECT_EQ(layerNames(), (Strings{"Alpha", "rgba_extra", "uv_extra", "zeta", "zz"}));
  EXPECT_EQ(Layer::get("zz"), beta);
  EXPECT_EQ(Layer::get("beta"), nullptr);

  Layer::ResetToBuiltIn();
  EXPECT_EQ(getLayers().size(), 17u);
  EXPECT_EQ(Layer::get("zeta"), nullptr);
  EXPECT_EQ(Layer::create("zeta")->size(), 0u);
}

TEST_F(LayerTest, SortedAddPlacesByPurposeAndMovesTheRestUp) {
  const LayerPtr colour = Layer::create("colour");
  colour->add(ChannelDesc::createNew("colour.red", false), true);
  colour->add(ChannelDesc::createNew("colour.blue", false), true);
  EXPECT_EQ(entryNames(*colour), (Strings{"colour.red", "colour.blue"}));
  const ChannelDescPtr green = ChannelDesc::createNew("colour.green", false);
  colour->add(green, true);
  EXPECT_EQ(entryNames(*colour), (Strings{"colour.red", "colour.green", "colour.blue"}));
  EXPECT_EQ(green->layerIndex(), 1u);
  EXPECT_EQ((*colour)[2]->layerIndex(), 2u) << "blue moved up";

  // Without a purpose a channel goes after those with one, by name among the rest.
  colour->add(ChannelDesc::createNew("colour.zz", false), true);
  colour->add(ChannelDesc::createNew("colour.mm", false), true);
  colour->add(ChannelDesc::createNew("colour.alpha", false), true);
  EXPECT_EQ(entryNames(*colour),
            (Strings{"colour.red", "colour.green", "colour.blue", "colour.alpha", "colour.mm", "colour.zz"}));
  for (unsigned i = 0; i < colour->size(); ++i) {
    EXPECT_EQ((*colour)[i]->layerIndex(), i);
    EXPECT_EQ((*colour)[i]->layer(), colour);
  }
  EXPECT_EQ(listedNames(),
            (Strings{"colour.red", "colour.green", "colour.blue", "colour.alpha", "colour.mm", "colour.zz"}));

  colour->add(ChannelDesc::createNew("colour.last", false), false);
  EXPECT_EQ((*colour)[6]->name(), "colour.last") << "unsorted goes to the end";
}

TEST_F(LayerTest, EntriesIndexesAndChannelSets) {
  const LayerPtr three = Layer::create("three");
  for (const char* name : {"three.a0", "three.a1", "three.a2"}) {
    ChannelDesc::create(name, false);
  }
  EXPECT_EQ(three->size(), 3u);
  EXPECT_EQ(three->channel(0), KX::Image::eChannelNone) << "no number yet";
  EXPECT_EQ(three->assignChannel(0), Channel(23));
  EXPECT_EQ(three->assignChannel(2), Channel(24));
  EXPECT_EQ(three->assignChannel(3), KX::Image::eChannelNone);
  EXPECT_EQ(three->channel(2), Channel(24));
  EXPECT_EQ(three->channel(7), KX::Image::eChannelNone);
  EXPECT_EQ(three->index(Channel(24)), 2);
  EXPECT_EQ(three->index(Channel(23)), 0);
  EXPECT_EQ(three->index(KX::Image::eChannelRed), 2) << "no match gives the last index";
  EXPECT_EQ(three->index(channels["three.a1"]), 1);
  EXPECT_EQ(three->index(channels["rgba.red"]), 2);
  EXPECT_EQ(Layer::create("empty")->index(KX::Image::eChannelRed), -1);
  EXPECT_FALSE(three->builtIn());

  KX::Image::ChannelSet set;
  set += Channel(24);
  set += Channel(23);
  EXPECT_EQ(three->getChannelSet(), set);
  EXPECT_TRUE(three->intersect(KX::Image::ChannelSet(Channel(24))));
  EXPECT_FALSE(three->intersect(KX::Image::ChannelSet(KX::Image::eMaskRGBA)));
  EXPECT_EQ(rgbLayer->getChannelSet(), KX::Image::ChannelSet(KX::Image::eMaskRGB));

  // Replacing past the end adds empty entries up to the new one.
  three->replace(5, channels["three.a1"]);
  EXPECT_EQ(entryNames(*three), (Strings{"three.a0", "three.a1", "three.a2", "", "", "three.a1"}));
  EXPECT_EQ(channels["three.a1"]->layerIndex(), 1u) << "it keeps the place it is owned at";
  three->replace(2, channels["three.a0"]);
  EXPECT_EQ(channels["three.a2"]->layer(), nullptr) << "the channel replaced loses its layer";
  three->add(ChannelDesc::createNew("three.fill", false), false);
  EXPECT_EQ((*three)[3]->name(), "three.fill") << "the first empty entry is filled";
}

TEST_F(LayerTest, ChannelsOfADroppedLayerLoseTheirOwner) {
  ChannelDesc::create("gone.x", false);
  const ChannelDescPtr x = channels["gone.x"];
  ASSERT_TRUE(x->layer());
  Layer::ResetToBuiltIn();
  EXPECT_EQ(x->layer(), nullptr);
  EXPECT_EQ(x->layerName(), nullptr);
  EXPECT_EQ(x->brother(0), KX::Image::eChannelNone);
  ChannelDesc::create("after.y", false);
  EXPECT_EQ(listedNames(), (Strings{"after.y", "gone.x"}));
}

TEST_F(LayerTest, LayerPointersTravelAsQtMetaType) {
  const QMetaType type = QMetaType::fromName("LayerPtr");
  ASSERT_TRUE(type.isValid());
  EXPECT_EQ(type.id(), qMetaTypeId<LayerPtr>());
  const QVariant value = QVariant::fromValue(rgbaLayer);
  EXPECT_EQ(value.value<LayerPtr>(), rgbaLayer);
}

} // namespace
