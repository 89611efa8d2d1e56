#pragma once

#include <KXImage/Iop.h>
#include <KXImage/KXImageExport.h>

namespace KX::Image {

// A black image of a given format, one frame long.
class KXIMAGE_EXPORT Black : public Iop {
public:
  explicit Black(const Format& format = Format());

  const char* Class() const override { return "Black"; }
  void setBlackFormat(const Format& format) { m_blackFormat = format; }

protected:
  void _validate(bool forReal) override;
  // Rows come out of get() already black.
  void engine(int, int, int, const ChannelSet&, Row&) override {}

private:
  Format m_blackFormat;
};

} // namespace KX::Image
