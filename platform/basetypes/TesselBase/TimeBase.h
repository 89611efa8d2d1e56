#pragma once

#include <TesselBase/TesselBaseExport.h>

#include <QMetaType>

#include <cstdint>
#include <string>

namespace Tessel::Base {

// A rational rate (frames or samples per second). A denominator of 0 marks an invalid rate.
// A plain value: any thread may use its own copies.
class TESSEL_BASE_EXPORT TimeBase {
public:
  TimeBase() = default;
  TimeBase(std::int64_t numerator, std::int64_t denominator);
  // The rate nearest to a decimal figure, snapping to whole and NTSC rates.
  explicit TimeBase(float rate);

  // 0 gives the invalid rate; n gives n/1, or n*1000/1001 for an NTSC rate.
  static TimeBase FromWholeRate(int rate, bool ntsc);
  // Indexes 0 to 7 stand for 24, 25, 30, 50, 60, 23.976, 29.97 and 59.94; others change nothing.
  void setStandardRate(int index);

  std::int64_t numerator() const { return m_numerator; }
  std::int64_t denominator() const { return m_denominator; }
  bool isValid() const { return m_denominator != 0; }

  // 0 for an invalid rate.
  float toFloat() const;
  explicit operator float() const { return toFloat(); }

  // "Invalid", a whole number ("24") or two decimals ("23.98", "12.50").
  std::string label() const;

  bool operator==(const TimeBase& other) const;
  bool operator!=(const TimeBase& other) const { return !(*this == other); }

private:
  std::int64_t m_numerator = 0;
  std::int64_t m_denominator = 0;
};

} // namespace Tessel::Base

Q_DECLARE_METATYPE(Tessel::Base::TimeBase)
