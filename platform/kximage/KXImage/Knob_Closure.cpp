#include <KXImage/Knob_Closure.h>

#include <KXImage/Knob.h>

namespace KX::Image {

Knob_Closure::Knob_Closure(Op* op)
    : m_op(op) {}

Knob_Closure::~Knob_Closure() = default;

Knob* Knob_Closure::operator()(int type, float* storage, const char* name) {
  m_knobs.push_back(std::make_unique<Knob>(m_op, type, storage, name ? name : ""));
  return m_knobs.back().get();
}

void SetFlags(Knob_Closure& f, int flags) {
  if (Knob* knob = f.last()) {
    knob->setFlags(flags);
  }
}

void SetRange(Knob_Closure& f, double minimum, double maximum) {
  if (Knob* knob = f.last()) {
    knob->setRange(minimum, maximum);
  }
}

} // namespace KX::Image
