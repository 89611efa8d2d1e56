#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/GLWidget.h>

class QOpenGLShaderProgram;

// Draws the shared preview picture (512 x 256), letterboxed to keep its 2:1 shape, on black.
// The texture is made anew from the picture on every paint, so a panel always shows the last
// preview rendered by any panel. GUI thread only (the widget's OpenGL context).
class VELLORO_EXPORT PreviewWidget : public Tessel::UI::GLWidget {
  Q_OBJECT
public:
  static constexpr const char* kVertexShader =
      "void main() { gl_TexCoord[0].st = gl_MultiTexCoord0.st; gl_Position = gl_Vertex; }";
  static constexpr const char* kFragmentShader =
      "uniform sampler2D gTexture; void main() { gl_FragColor = texture2D( gTexture, gl_TexCoord[0].st ); }";

  explicit PreviewWidget(QWidget* parent = nullptr);
  ~PreviewWidget() override;

protected:
  void initializeGL() override;
  void resizeGL(int width, int height) override;
  void paintGL() override;

private:
  const char* m_vertexShader = kVertexShader;
  const char* m_fragmentShader = kFragmentShader;
  unsigned int m_texture = 0;
  QOpenGLShaderProgram* m_program = nullptr;
  int m_width = 0;
  int m_height = 0;
};
