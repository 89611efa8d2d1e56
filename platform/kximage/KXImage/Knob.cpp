#include <KXImage/Knob.h>

#include <KXImage/Op.h>

#include <algorithm>
#include <utility>

namespace KX::Image {

ValueStuffI::~ValueStuffI() = default;

Knob::Knob(Op* op, int type, float* storage, std::string name)
    : m_op(op)
    , m_type(type)
    , m_storage(storage)
    , m_name(std::move(name))
    , m_values(std::size_t(ValueCount(type))) {
  if (m_storage) {
    std::copy(m_storage, m_storage + m_values.size(), m_values.begin());
  }
}

int Knob::ValueCount(int type) {
  switch (type) {
  case ePositionKnob:
  case eSizeKnob:
    return 2;
  case eColourKnob:
    return 4;
  default:
    return 1;
  }
}

double Knob::get_value(int index) const {
  return index >= 0 && index < valueCount() ? m_values[std::size_t(index)] : 0.0;
}

double Knob::limited(double value) const {
  return m_hasRange ? std::clamp(value, m_minimum, m_maximum) : value;
}

void Knob::set_value(double value, int index) {
  if (index < 0 || index >= valueCount()) {
    return;
  }
  m_values[std::size_t(index)] = limited(value);
  changed();
}

void Knob::set_values(const std::vector<double>& values) {
  const std::size_t count = std::min(values.size(), m_values.size());
  for (std::size_t i = 0; i < count; ++i) {
    m_values[i] = limited(values[i]);
  }
  changed();
}

void Knob::setRange(double minimum, double maximum) {
  m_hasRange = true;
  m_minimum = minimum;
  m_maximum = maximum;
}

void Knob::changed() {
  if (m_op && m_op->knob_changed(this) != 0) {
    return;
  }
  if (m_storage) {
    std::transform(m_values.begin(), m_values.end(), m_storage, [](double v) { return float(v); });
  }
}

} // namespace KX::Image
