#pragma once

#include <KXImage/Iop.h>
#include <KXImage/Row.h>

// A test picture: a horizontal and vertical ramp in red and green, a constant blue and alpha, so
// that every pixel differs from the cursor's colours and from its neighbours.
class RampIop : public KX::Image::Iop {
public:
  RampIop(int width, int height, float blue = 0.25f, float alpha = 0.5f)
      : m_format(0, 0, width, height)
      , m_blue(blue)
      , m_alpha(alpha) {}
  const char* Class() const override { return "Ramp"; }

protected:
  void _validate(bool) override { setFormat(m_format); }
  void engine(int y, int x, int r, const KX::Image::ChannelSet& channels, KX::Image::Row& row) override {
    for (KX::Image::Channel channel : channels) {
      float* out = row.writable(channel);
      for (int column = x; column < r; ++column) {
        switch (channel) {
        case KX::Image::eChannelRed:
          out[column] = float(column) / float(m_format.width());
          break;
        case KX::Image::eChannelGreen:
          out[column] = float(y) / float(m_format.height());
          break;
        case KX::Image::eChannelBlue:
          out[column] = m_blue;
          break;
        default:
          out[column] = m_alpha;
        }
      }
    }
  }

private:
  KX::Image::Format m_format;
  float m_blue;
  float m_alpha;
};
