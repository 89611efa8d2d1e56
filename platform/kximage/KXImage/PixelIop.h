#pragma once

#include <KXImage/Iop.h>
#include <KXImage/KXImageExport.h>

namespace KX::Image {

// An op whose output pixel depends only on the input pixel at the same place. For each row the
// driver fetches the input row, copies it to the output row, then lets pixel_engine() change
// what it wants; columns and channels it leaves alone keep the input's values.
//
// Threads: pixel_engine() runs for different rows on several threads at once.
class KXIMAGE_EXPORT PixelIop : public Iop {
public:
  explicit PixelIop(Node* node = nullptr);

protected:
  void engine(int y, int x, int r, const ChannelSet& channels, Row& row) final;
  virtual void pixel_engine(const Row& in, int y, int x, int r, const ChannelSet& channels, Row& out) = 0;
  // False to pass the input through untouched (a disabled op).
  virtual bool enabled() const { return true; }
};

} // namespace KX::Image
