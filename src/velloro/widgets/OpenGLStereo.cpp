#include <velloro/widgets/OpenGLStereo.h>

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>

namespace Velloro {

namespace {

bool ProbeStereo() {
  QSurfaceFormat format = QSurfaceFormat::defaultFormat();
  format.setStereo(true);
  QOpenGLContext context;
  context.setFormat(format);
  if (!context.create()) {
    return false;
  }
  return context.format().stereo();
}

} // namespace

bool IsOpenGLStereoAvailable() {
  // Without an application there is no platform to ask; the answer is kept only once there is.
  if (!QGuiApplication::instance()) {
    return false;
  }
  static const bool available = ProbeStereo();
  return available;
}

} // namespace Velloro
