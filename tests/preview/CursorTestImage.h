#pragma once

#include <KXImage/Iop.h>
#include <KXImage/Row.h>

// A test picture: a horizontal and vertical ramp in red and green, a constant blue and alpha, so
// that every pixel differs from the cursor's colours and from its neighbours.
class RampIop : public KX::Image::Iop {
public:
  RampIop(int width, int height)
      : m_format(0, 0, width, height) {}
  const char* Class() const override { return "Ramp"; }

protected:
  void _validate(bool) override { setFormat(m_format); }
  void engine(int y, int x, int r, const KX::Image::ChannelSet& channels, KX::Image::Row& row) override {
    for (KX::Image::Channel channel : channels) {
      float* out = row.writable(channel);
      for (int column = x; column < r; ++column) {
        out[column] = channel == KX::Image::eChannelRed     ? float(column) / float(m_format.width())
                      : channel == KX::Image::eChannelGreen ? float(y) / float(m_format.height())
                      : channel == KX::Image::eChannelBlue  ? 0.25f
                                                            : 0.5f;
      }
    }
  }

private:
  KX::Image::Format m_format;
};
