#pragma once

#include <velloro/image/ChannelDesc.h>
#include <velloro/image/ChannelVector.h>
#include <velloro/image/Layer.h>
#include <velloro/image/LayerVector.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Every case starts from, and leaves behind, the registry as the library loads it.
class RegistryFixture : public ::testing::Test {
protected:
  void SetUp() override { reset(); }
  void TearDown() override { reset(); }

  static void reset() {
    Velloro::Image::ChannelDesc::ResetToBuiltIn();
    Velloro::Image::Layer::ResetToBuiltIn();
  }

  // The full names of the descriptor list from position first on.
  static std::vector<std::string> listedNames(std::size_t first = 22) {
    std::vector<std::string> names;
    for (std::size_t i = first; i < Velloro::Image::channels.size(); ++i) {
      names.push_back(Velloro::Image::channels[i]->name());
    }
    return names;
  }

  // The names of the layer list from position first on.
  static std::vector<std::string> layerNames(std::size_t first = 17) {
    std::vector<std::string> names;
    Velloro::Image::LayerVector& layers = Velloro::Image::getLayers();
    for (std::size_t i = first; i < layers.size(); ++i) {
      names.push_back(layers[i]->name());
    }
    return names;
  }

  // The full names of a layer's entries, "" for an empty one.
  static std::vector<std::string> entryNames(const Velloro::Image::Layer& layer) {
    std::vector<std::string> names;
    for (unsigned i = 0; i < layer.size(); ++i) {
      names.push_back(layer[i] ? layer[i]->name() : std::string());
    }
    return names;
  }
};
