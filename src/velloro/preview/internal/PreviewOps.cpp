#include <velloro/preview/internal/PreviewOps.h>

#include <KXImage/Black.h>
#include <KXImage/Read.h>
#include <KXImage/ToBuffer.h>

#include <algorithm>

namespace Velloro::Preview {

namespace {

std::unique_ptr<unsigned char[]>& buffer() {
  static std::unique_ptr<unsigned char[]> sBuffer;
  return sBuffer;
}

} // namespace

unsigned char* previewBuffer() {
  if (!buffer()) {
    buffer().reset(new unsigned char[kPreviewBufferSize]());
  }
  return buffer().get();
}

unsigned char* existingPreviewBuffer() {
  return buffer().get();
}

void clearPreviewBuffer() {
  if (buffer()) {
    std::fill_n(buffer().get(), kPreviewBufferSize, 0);
  }
}

ImageChain& imageChain() {
  static ImageChain sChain = [] {
    ImageChain chain;
    chain.read = std::make_unique<KX::Image::Read>();
    chain.reformat.reset(KX::Image::Op::create("Reformat", chain.read.get()));
    chain.toBuffer = std::make_unique<KX::Image::ToBuffer>();
    if (chain.reformat) {
      chain.reformat->set_field("type", 1);
      chain.reformat->set_field("box_width", kPreviewWidth);
      chain.reformat->set_field("box_height", kPreviewHeight);
      chain.reformat->set_field("resize", 3);
      chain.reformat->set_field("box_fixed", true);
      chain.reformat->set_field("center", true);
      chain.reformat->set_field("crop", true);
      chain.reformat->set_field("black_outside", true);
      chain.reformat->set_input(0, chain.read.get());
      chain.toBuffer->set_input(0, chain.reformat.get());
    } else {
      chain.toBuffer->set_input(0, chain.read.get());
    }
    previewBuffer();
    return chain;
  }();
  return sChain;
}

FontChain& fontChain() {
  static FontChain sChain = [] {
    FontChain chain;
    chain.black =
        std::make_unique<KX::Image::Black>(KX::Image::Format(0, 0, kPreviewWidth, kPreviewHeight, 1.0, ""));
    chain.text.reset(KX::Image::Op::create("Text", chain.black.get()));
    chain.toBuffer = std::make_unique<KX::Image::ToBuffer>();
    chain.toBuffer->set_input(0,
                              chain.text ? chain.text.get() : static_cast<KX::Image::Op*>(chain.black.get()));
    previewBuffer();
    return chain;
  }();
  return sChain;
}

} // namespace Velloro::Preview
