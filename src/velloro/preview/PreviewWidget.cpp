// GLEW comes first and stays in this file.
#include <GL/glew.h>

#include <velloro/preview/PreviewWidget.h>

#include <velloro/preview/internal/PreviewOps.h>

#include <QOpenGLShaderProgram>

PreviewWidget::PreviewWidget(QWidget* parent)
    : Tessel::UI::GLWidget(parent, Qt::WindowFlags()) {}

PreviewWidget::~PreviewWidget() {
  // The texture and the program belong to this widget's context.
  if (m_texture != 0 || m_program) {
    makeCurrent();
    if (m_texture != 0) {
      glDeleteTextures(1, &m_texture);
    }
    delete m_program;
    doneCurrent();
  }
}

void PreviewWidget::initializeGL() {
  Tessel::UI::GLWidget::initializeGL();
  // Only OpenGL 1.1 entry points are called directly; they work even where GLEW cannot load
  // the rest (an EGL context), so its result does not matter here.
  glewExperimental = GL_TRUE;
  glewInit();
  delete m_program;
  m_program = new QOpenGLShaderProgram;
  m_program->addShaderFromSourceCode(QOpenGLShader::Vertex, m_vertexShader);
  m_program->addShaderFromSourceCode(QOpenGLShader::Fragment, m_fragmentShader);
  m_program->link();
}

void PreviewWidget::resizeGL(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, width, height, 0.0, 0.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  m_width = width;
  m_height = height;
}

void PreviewWidget::paintGL() {
  const unsigned char* picture = Velloro::Preview::existingPreviewBuffer();
  if (!m_program || !picture) {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    return;
  }

  glEnable(GL_TEXTURE_2D);
  if (m_texture != 0) {
    glDeleteTextures(1, &m_texture);
  }
  glGenTextures(1, &m_texture);
  glBindTexture(GL_TEXTURE_2D, m_texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, Velloro::Preview::kPreviewWidth, Velloro::Preview::kPreviewHeight, 0,
               GL_RGB, GL_UNSIGNED_BYTE, picture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  m_program->bind();
  m_program->setUniformValue("gTexture", 0);

  // Keep the picture's 2:1 shape: wider widgets narrow it, taller ones flatten it.
  const float aspect = m_height > 0 ? float(m_width) / float(m_height) : 2.0f;
  const float scaleX = aspect > 2.0f ? 2.0f / aspect : 1.0f;
  const float scaleY = aspect > 2.0f ? 1.0f : aspect / 2.0f;
  const GLfloat vertices[] = {-scaleX, -scaleY, scaleX, -scaleY, -scaleX, scaleY, scaleX, scaleY};
  static const GLfloat textureCoordinates[] = {0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f};
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, vertices);
  glTexCoordPointer(2, GL_FLOAT, 0, textureCoordinates);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);

  m_program->release();
  glBindTexture(GL_TEXTURE_2D, 0);
}
