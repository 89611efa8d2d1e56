#include <TesselBase/TimeBase.h>

#include <QString>

#include <cmath>

namespace Tessel::Base {

namespace {

constexpr float kWholeTolerance = 0.0001f;
constexpr float kNtscTolerance = 0.011f;

// 2 to the power 63: no whole figure from here up fits the numerator.
constexpr float kLargestWhole = 9223372036854775808.0f;

// The NTSC rate (23.976, 29.97, 59.94, tried in that order) within tolerance of a figure.
const TimeBase* NearestNtscRate(double rate) {
  static const TimeBase rates[] = {TimeBase(24000, 1001), TimeBase(30000, 1001), TimeBase(60000, 1001)};
  for (const TimeBase& ntsc : rates) {
    if (std::fabs(static_cast<float>(rate) - ntsc.toFloat()) < kNtscTolerance) {
      return &ntsc;
    }
  }
  return nullptr;
}

// Registers the type under its full name as soon as the library loads, so that queued
// connections and QVariant conversions by name work without a call from the host.
const int kMetaTypeId = qRegisterMetaType<TimeBase>("Tessel::Base::TimeBase");

} // namespace

TimeBase::TimeBase(std::int64_t numerator, std::int64_t denominator)
    : m_numerator(numerator)
    , m_denominator(denominator) {}

TimeBase::TimeBase(float rate) {
  (void)kMetaTypeId;
  // Not a number, infinities and figures beyond 64 bits have no rate: they stay invalid.
  if (!std::isfinite(rate) || std::fabs(rate) >= kLargestWhole) {
    return;
  }
  if (std::fabs(rate) < kWholeTolerance) {
    *this = TimeBase(0, 1);
    return;
  }
  const float whole = std::round(rate);
  if (std::fabs(rate - whole) < kWholeTolerance) {
    *this = TimeBase(static_cast<std::int64_t>(whole), 1);
    return;
  }
  if (const TimeBase* ntsc = NearestNtscRate(static_cast<double>(rate))) {
    *this = *ntsc;
    return;
  }
  // In double precision, so that the hundredths are exact for every float. A figure just
  // outside the NTSC tolerance may round into it (23.965 gives 23.97); it then takes the NTSC
  // rate too, or its own label would read back as a different rate.
  const auto hundredths = static_cast<std::int64_t>(std::round(static_cast<double>(rate) * 100.0));
  const TimeBase* ntsc = NearestNtscRate(static_cast<double>(hundredths) / 100.0);
  *this = ntsc ? *ntsc : TimeBase(hundredths, 100);
}

TimeBase TimeBase::FromWholeRate(int rate, bool ntsc) {
  if (rate == 0) {
    return TimeBase();
  }
  return ntsc ? TimeBase(std::int64_t(rate) * 1000, 1001) : TimeBase(rate, 1);
}

void TimeBase::setStandardRate(int index) {
  static const TimeBase rates[] = {TimeBase(24, 1),       TimeBase(25, 1),      TimeBase(30, 1),
                                   TimeBase(50, 1),       TimeBase(60, 1),      TimeBase(24000, 1001),
                                   TimeBase(30000, 1001), TimeBase(60000, 1001)};
  if (index >= 0 && index < 8) {
    *this = rates[index];
  }
}

float TimeBase::toFloat() const {
  if (!isValid()) {
    return 0.0f;
  }
  // Divided in double precision: a numerator beyond 24 bits would lose digits as a float first.
  return static_cast<float>(static_cast<double>(m_numerator) / static_cast<double>(m_denominator));
}

std::string TimeBase::label() const {
  if (!isValid()) {
    return "Invalid";
  }
  const float rate = toFloat();
  bool nearNtsc = false;
  for (float ntsc : {23.976025f, 29.97003f, 59.94006f}) {
    nearNtsc = nearNtsc || std::fabs(rate - ntsc) < kNtscTolerance;
  }
  if (m_denominator != 1001 && !nearNtsc && std::fabs(rate - std::round(rate)) < kWholeTolerance) {
    // Printed from the floating-point value: a rate near 2 to the power 63 has no 64-bit whole
    // number; adding 0 turns -0 into 0.
    return QString::number(std::round(static_cast<double>(rate)) + 0.0, 'f', 0).toStdString();
  }
  return QString::number(rate, 'f', 2).toStdString();
}

bool TimeBase::operator==(const TimeBase& other) const {
  if (isValid() != other.isValid()) {
    return false;
  }
  return std::fabs(toFloat() - other.toFloat()) < kWholeTolerance;
}

} // namespace Tessel::Base
