#pragma once

#include <KXImage/Iop.h>
#include <KXImage/KXImageExport.h>

#include <memory>
#include <string>
#include <vector>

namespace KX::Image {

// Runs ops' GLSL on the GPU. Each op's declaration and body texts have "$$" in front of their
// own names; the context replaces it with a prefix of the op's own, so that several ops live in
// one fragment shader. A body reads and changes the vec4 `color` (the pixel so far) and may use
// gl_FragCoord, whose xy are the pixel's window coordinates (pixel centres at .5).
//
// Threads: the thread whose OpenGL context is current; render() needs one.
class KXIMAGE_EXPORT GPUContext {
public:
  GPUContext();
  ~GPUContext();
  GPUContext(const GPUContext&) = delete;
  GPUContext& operator=(const GPUContext&) = delete;

  // The prefix of the index-th op of a shader.
  static std::string OpPrefix(int index);
  // The fragment shader that applies the ops, in order, to the input image.
  static std::string FragmentShader(const std::vector<const Iop*>& ops);

  // While an op binds its uniforms: its prefix.
  const std::string& currentOpPrefix() const { return m_currentPrefix; }
  // Sets a float uniform (or array) of the shader: elements values of components floats each.
  void bind(const std::string& uniform, int components, int elements, const float* values);

  // Renders the op's input on the CPU, then the op's GLSL over it on the GPU. An op without
  // GLSL passes its input through. False (with the reason in error) when the shader does not
  // build or OpenGL fails.
  bool render(Iop& op, ImagePlane& result, std::string* error = nullptr);

private:
  struct Resources;
  std::unique_ptr<Resources> m_resources;
  std::string m_currentPrefix;
};

} // namespace KX::Image
