#pragma once

#include <KXImage/KXImageExport.h>

#include <string>

namespace KX::Image {

// What a Read op knows about its file: the frame range (first and last frame, both included;
// 1 to 1 for a single file) and the frame asked for. In preview mode (process-wide) readers
// read pixels at 8-bit precision, which is enough for a thumbnail and quicker for deep files.
//
// Threads: a reader belongs to its Read op's editing thread; the preview mode may be switched
// from the GUI thread between renders.
class KXIMAGE_EXPORT Reader {
public:
  int firstFrame() const { return m_first; }
  int lastFrame() const { return m_last; }
  int frame() const { return m_frame; }
  void setFrame(int frame) { m_frame = frame; }
  void setFrameRange(int first, int last);

  static void setInPreviewMode(bool preview);
  static bool inPreviewMode();

private:
  int m_first = 1;
  int m_last = 1;
  int m_frame = 1;
};

} // namespace KX::Image
