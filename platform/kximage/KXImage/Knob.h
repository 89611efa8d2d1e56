#pragma once

#include <KXImage/KXImageExport.h>

#include <string>
#include <vector>

namespace KX::Image {

class Op;

// Knob type codes an op declares its knobs with; each fixes how many values the knob holds.
enum KnobType : int {
  eFloatKnob = 8,     // one value
  ePositionKnob = 12, // x, y
  eSizeKnob = 14,     // width, height
  eColourKnob = 19,   // r, g, b, a
};

// Knob flags; the SDK keeps them for the host's knob panels.
enum KnobFlag : int {
  eKnobLogSlider = 4,
  eKnobNoAnimation = 16,
  eKnobAlwaysSaved = 0x10000,
};

// Reads the values of a knob.
class KXIMAGE_EXPORT ValueStuffI {
public:
  virtual ~ValueStuffI();
  // Value index of the knob, or 0 beyond its last value.
  virtual double get_value(int index = 0) const = 0;
};

// A named, typed parameter of an op, holding its own values. Setting a value keeps it within
// the knob's range and tells the op through knob_changed(); when the op does not take the
// change itself, the knob writes its values into the op member it was declared on.
//
// Threads: knobs belong to the thread that edits the op (the GUI thread), never to rendering.
class KXIMAGE_EXPORT Knob : public ValueStuffI {
public:
  Knob(Op* op, int type, float* storage, std::string name);

  // True when the knob has this name.
  bool is(const char* name) const { return m_name == name; }
  const std::string& name() const { return m_name; }
  int type() const { return m_type; }
  int flags() const { return m_flags; }
  double minimum() const { return m_minimum; }
  double maximum() const { return m_maximum; }
  bool hasRange() const { return m_hasRange; }
  int valueCount() const { return int(m_values.size()); }

  double get_value(int index = 0) const override;
  void set_value(double value, int index = 0);
  // Sets all values at once and tells the op once.
  void set_values(const std::vector<double>& values);

  void setFlags(int flags) { m_flags |= flags; }
  void setRange(double minimum, double maximum);

  // How many values a knob of this type holds (1 for unknown types).
  static int ValueCount(int type);

private:
  void changed();
  double limited(double value) const;

  Op* m_op;
  int m_type;
  float* m_storage;
  std::string m_name;
  std::vector<double> m_values;
  int m_flags = 0;
  bool m_hasRange = false;
  double m_minimum = 0.0;
  double m_maximum = 0.0;
};

} // namespace KX::Image
