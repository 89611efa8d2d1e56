#include <TesselUI/GLWidget.h>

#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace Tessel {
namespace UI {

GLWidget::GLWidget(QWidget* parent, Qt::WindowFlags flags)
    : QOpenGLWidget(parent, flags) {}

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

} // namespace UI
} // namespace Tessel
