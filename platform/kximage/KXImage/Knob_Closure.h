#pragma once

#include <KXImage/KXImageExport.h>

#include <memory>
#include <vector>

namespace KX::Image {

class Knob;
class Op;

// What an op's knobs() is called with: each call declares one knob on a float member of the op;
// SetFlags and SetRange then refine the knob declared last. The closure owns the knobs it makes.
//
// Threads: the thread that builds the op.
class KXIMAGE_EXPORT Knob_Closure {
public:
  explicit Knob_Closure(Op* op);
  ~Knob_Closure();
  Knob_Closure(const Knob_Closure&) = delete;
  Knob_Closure& operator=(const Knob_Closure&) = delete;

  // Declares a knob of the type on the member at storage (as many floats as the type holds).
  Knob* operator()(int type, float* storage, const char* name);

  Knob* last() const { return m_knobs.empty() ? nullptr : m_knobs.back().get(); }
  const std::vector<std::unique_ptr<Knob>>& knobs() const { return m_knobs; }

private:
  Op* m_op;
  std::vector<std::unique_ptr<Knob>> m_knobs;
};

// Adds flags to the knob declared last.
KXIMAGE_EXPORT void SetFlags(Knob_Closure& f, int flags);
// Limits the values of the knob declared last.
KXIMAGE_EXPORT void SetRange(Knob_Closure& f, double minimum, double maximum);

} // namespace KX::Image
