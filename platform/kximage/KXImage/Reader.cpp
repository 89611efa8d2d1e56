#include <KXImage/Reader.h>

#include <atomic>

namespace KX::Image {

namespace {

std::atomic<bool> sPreviewMode{false};

} // namespace

void Reader::setFrameRange(int first, int last) {
  m_first = first;
  m_last = last;
}

void Reader::setInPreviewMode(bool preview) {
  sPreviewMode = preview;
}

bool Reader::inPreviewMode() {
  return sPreviewMode;
}

} // namespace KX::Image
