#include <TesselBase/TimeBase.h>

#include <QString>

#include <cmath>

namespace Tessel {
namespace Base {

namespace {

constexpr float kWholeTolerance = 0.0001f;
constexpr float kNtscTolerance = 0.011f;

const TimeBase& NtscRate(int index) {
  static const TimeBase rates[] = {TimeBase(24000, 1001), TimeBase(30000, 1001), TimeBase(60000, 1001)};
  return rates[index];
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
  if (std::fabs(rate) < kWholeTolerance) {
    *this = TimeBase(0, 1);
    return;
  }
  const float whole = std::round(rate);
  if (std::fabs(rate - whole) < kWholeTolerance) {
    *this = TimeBase(static_cast<std::int64_t>(whole), 1);
    return;
  }
  for (int index = 0; index < 3; ++index) {
    if (std::fabs(rate - NtscRate(index).toFloat()) < kNtscTolerance) {
      *this = NtscRate(index);
      return;
    }
  }
  *this = TimeBase(static_cast<std::int64_t>(std::round(rate * 100.0f)), 100);
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
  return static_cast<float>(m_numerator) / static_cast<float>(m_denominator);
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
    return QString::number(static_cast<qint64>(std::round(rate))).toStdString();
  }
  return QString::number(rate, 'f', 2).toStdString();
}

bool TimeBase::operator==(const TimeBase& other) const {
  if (isValid() != other.isValid()) {
    return false;
  }
  return std::fabs(toFloat() - other.toFloat()) < kWholeTolerance;
}

} // namespace Base
} // namespace Tessel
