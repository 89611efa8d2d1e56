#include <TesselUI/GLWidget.h>

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace Tessel::UI {

GLWidget::GLWidget(QWidget* parent, Qt::WindowFlags flags)
    : QOpenGLWidget(parent, flags) {}

bool GLWidget::IsOpenGLAvailable() {
  // Before the application exists there is no platform to ask yet; ask again later.
  if (!QGuiApplication::instance()) {
    return false;
  }
  static const bool available = [] {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
      return false;
    }
    QOpenGLContext probe;
    return probe.create();
  }();
  return available;
}

void GLWidget::setVisible(bool visible) {
  if (visible && !IsOpenGLAvailable()) {
    static bool warned = false;
    if (!warned) {
      qWarning("GLWidget: this platform has no OpenGL; OpenGL widgets stay hidden");
      warned = true;
    }
    return;
  }
  QOpenGLWidget::setVisible(visible);
}

void GLWidget::setClearColor(const QColor& colour) {
  m_clearColor = colour;
  update();
}

void GLWidget::initializeGL() {
  m_initialized = QOpenGLContext::currentContext() != nullptr;
}

void GLWidget::paintGL() {
  QOpenGLFunctions* gl = context()->functions();
  gl->glClearColor(m_clearColor.redF(), m_clearColor.greenF(), m_clearColor.blueF(), m_clearColor.alphaF());
  gl->glClear(GL_COLOR_BUFFER_BIT);
}

} // namespace Tessel::UI
