#pragma once

#include <velloro/VelloroExport.h>

#include <memory>

namespace KX::Image {
class Black;
class Op;
class Read;
class ToBuffer;
} // namespace KX::Image

namespace Velloro::Preview {

// The picture every preview panel shows: 512 x 256 pixels of 8-bit RGB, rows from the bottom
// as the image SDK writes them (which is also the order OpenGL uploads them in).
constexpr int kPreviewWidth = 512;
constexpr int kPreviewHeight = 256;
constexpr int kPreviewBufferSize = kPreviewWidth * kPreviewHeight * 3;

// The shared preview picture, made on first call; null from existingPreviewBuffer() until then.
VELLORO_EXPORT unsigned char* previewBuffer();
VELLORO_EXPORT unsigned char* existingPreviewBuffer();
VELLORO_EXPORT void clearPreviewBuffer();

// Read -> Reformat (into the 512 x 256 box) -> ToBuffer; reformat is null when it could not
// be made, and the ToBuffer then reads the Read op directly.
struct ImageChain {
  std::unique_ptr<KX::Image::Read> read;
  std::unique_ptr<KX::Image::Op> reformat;
  std::unique_ptr<KX::Image::ToBuffer> toBuffer;
};

// Black (512 x 256) -> Text -> ToBuffer; text is null when it could not be made.
struct FontChain {
  std::unique_ptr<KX::Image::Black> black;
  std::unique_ptr<KX::Image::Op> text;
  std::unique_ptr<KX::Image::ToBuffer> toBuffer;
};

// Each chain is built once, on first use, and shared by every panel. (Exported, though not
// installed, for the library's tests.)
VELLORO_EXPORT ImageChain& imageChain();
VELLORO_EXPORT FontChain& fontChain();

} // namespace Velloro::Preview
