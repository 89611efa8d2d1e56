#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QColor>
#include <QOpenGLWidget>

namespace Tessel::UI {

// The widget library's OpenGL widget. Subclasses call GLWidget::initializeGL() from their own
// before setting up their resources; by default the widget clears to its clear colour.
// On a platform without OpenGL (the offscreen one, say) it stays hidden, because Qt cannot
// show an OpenGL widget there; a window that holds one cannot be shown there either. GUI thread only (its
// OpenGL context belongs to the widget).
class TESSEL_UI_EXPORT GLWidget : public QOpenGLWidget {
  Q_OBJECT
public:
  explicit GLWidget(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

  void setClearColor(const QColor& colour);
  QColor clearColor() const { return m_clearColor; }
  // True once initializeGL() has run with a working context.
  bool isGLInitialized() const { return m_initialized; }
  // Whether this platform can show OpenGL widgets; probed once.
  static bool IsOpenGLAvailable();

  void setVisible(bool visible) override;

protected:
  void initializeGL() override;
  void paintGL() override;

private:
  QColor m_clearColor{Qt::black};
  bool m_initialized = false;
};

} // namespace Tessel::UI
