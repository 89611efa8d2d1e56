#include <KXImage/GPUContext.h>

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QOpenGLShaderProgram>
#include <QVector2D>

#include <boost/algorithm/string/replace.hpp>

namespace KX::Image {

namespace {

constexpr const char* kVertexShader = "#version 120\n"
                                      "attribute vec2 kxPosition;\n"
                                      "void main() { gl_Position = vec4(kxPosition, 0.0, 1.0); }\n";

bool fail(std::string* error, const std::string& reason) {
  if (error) {
    *error = reason;
  }
  return false;
}

} // namespace

struct GPUContext::Resources {
  QOpenGLShaderProgram program;
};

GPUContext::GPUContext() = default;

GPUContext::~GPUContext() = default;

std::string GPUContext::OpPrefix(int index) {
  return "kxop" + std::to_string(index) + "_";
}

std::string GPUContext::FragmentShader(const std::vector<const Iop*>& ops) {
  std::string text = "#version 120\n"
                     "uniform sampler2D kxInput;\n"
                     "uniform vec2 kxInputSize;\n";
  std::string calls;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    const char* declarations = ops[i]->gpuEngine_decl();
    const char* body = ops[i]->gpuEngine_body();
    if (body == nullptr) {
      continue;
    }
    const std::string prefix = OpPrefix(int(i));
    text += boost::replace_all_copy(std::string(declarations ? declarations : ""), "$$", prefix) + "\n";
    text += "void " + prefix + "engine(inout vec4 color) {\n" +
            boost::replace_all_copy(std::string(body), "$$", prefix) + "\n}\n";
    calls += "  " + prefix + "engine(color);\n";
  }
  text += "void main() {\n"
          "  vec4 color = texture2D(kxInput, gl_FragCoord.xy / kxInputSize);\n" +
          calls + "  gl_FragColor = color;\n}\n";
  return text;
}

void GPUContext::bind(const std::string& uniform, int components, int elements, const float* values) {
  if (m_resources && components >= 1 && components <= 4) {
    m_resources->program.setUniformValueArray(uniform.c_str(), values, elements, components);
  }
}

bool GPUContext::render(Iop& op, ImagePlane& result, std::string* error) {
  QOpenGLContext* context = QOpenGLContext::currentContext();
  if (context == nullptr) {
    return fail(error, "no current OpenGL context");
  }
  ImagePlane input;
  if (Iop* source = op.inputIop(0)) {
    input = source->renderImage();
  } else {
    input = ImagePlane(op.format());
  }
  const int width = input.width();
  const int height = input.height();
  if (width <= 0 || height <= 0) {
    result = input;
    return true;
  }

  m_resources = std::make_unique<Resources>();
  QOpenGLShaderProgram& program = m_resources->program;
  if (!program.addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader) ||
      !program.addShaderFromSourceCode(QOpenGLShader::Fragment,
                                       QByteArray::fromStdString(FragmentShader({&op}))) ||
      !program.link()) {
    return fail(error, program.log().toStdString());
  }

  QOpenGLExtraFunctions* gl = context->extraFunctions();
  QOpenGLFramebufferObjectFormat targetFormat;
  targetFormat.setInternalTextureFormat(GL_RGBA32F);
  QOpenGLFramebufferObject target(width, height, targetFormat);
  if (!target.isValid() || !target.bind()) {
    return fail(error, "cannot make a float render target");
  }

  GLuint texture = 0;
  gl->glGenTextures(1, &texture);
  gl->glActiveTexture(GL_TEXTURE0);
  gl->glBindTexture(GL_TEXTURE_2D, texture);
  gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  gl->glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, width, height, 0, GL_RGBA, GL_FLOAT, input.pixels.data());

  program.bind();
  program.setUniformValue("kxInput", 0);
  program.setUniformValue("kxInputSize", QVector2D(float(width), float(height)));
  m_currentPrefix = OpPrefix(0);
  op.gpuEngine_GL_begin(this);
  m_currentPrefix.clear();

  static const GLfloat corners[] = {-1.0f, -1.0f, 1.0f, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f};
  const int position = program.attributeLocation("kxPosition");
  gl->glBindBuffer(GL_ARRAY_BUFFER, 0);
  program.enableAttributeArray(position);
  program.setAttributeArray(position, corners, 2);
  gl->glViewport(0, 0, width, height);
  gl->glDisable(GL_BLEND);
  gl->glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  program.disableAttributeArray(position);
  program.release();

  result = ImagePlane(input.format);
  gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
  gl->glReadPixels(0, 0, width, height, GL_RGBA, GL_FLOAT, result.pixels.data());
  const GLenum status = gl->glGetError();
  gl->glBindTexture(GL_TEXTURE_2D, 0);
  gl->glDeleteTextures(1, &texture);
  target.release();
  m_resources.reset();
  if (status != GL_NO_ERROR) {
    return fail(error, "OpenGL error " + std::to_string(status));
  }
  return true;
}

} // namespace KX::Image
