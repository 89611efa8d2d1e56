#include <TesselUI/TimeSliderModel.h>

#include <algorithm>

namespace Tessel::UI {

using Base::Time;

TimeSliderModel::TimeSliderModel(QObject* parent)
    : QObject(parent) {}

Time TimeSliderModel::playbackStartTime() const {
  return m_locked ? inOrStartTime() : m_start;
}

Time TimeSliderModel::playbackEndTime() const {
  return m_locked ? outOrEndTime() : m_end;
}

Time TimeSliderModel::clampToRange(Time time) const {
  return std::clamp(time, m_start, m_end);
}

void TimeSliderModel::notifyChanges(TimeFlags flags, bool notify) {
  if (notify && flags) {
    emit timeChanged(flags);
  }
}

void TimeSliderModel::setRange(Time start, Time end) {
  if (!Base::IsValidTime(start) || !Base::IsValidTime(end)) {
    return;
  }
  end = std::max(start, end);
  TimeFlags flags;
  if (start != m_start) {
    flags |= StartTimeChanged;
  }
  if (end != m_end) {
    flags |= EndTimeChanged;
  }
  m_start = start;
  m_end = end;
  if (hasInTime() && clampToRange(m_in) != m_in) {
    m_in = clampToRange(m_in);
    flags |= InTimeChanged;
  }
  if (hasOutTime() && clampToRange(m_out) != m_out) {
    m_out = clampToRange(m_out);
    flags |= OutTimeChanged;
  }
  if (clampToRange(m_current) != m_current) {
    m_current = clampToRange(m_current);
    flags |= CurrentTimeChanged;
  }
  notifyChanges(flags, true);
}

void TimeSliderModel::setInTime(Time time, bool notify) {
  if (!Base::IsValidTime(time)) {
    return;
  }
  time = std::clamp(time, m_start, outOrEndTime());
  if (time == m_in) {
    return;
  }
  const TimeFlags flags = hasInTime() ? TimeFlags(InTimeChanged) : (InTimeChanged | InMarkerChanged);
  m_in = time;
  notifyChanges(flags, notify);
}

void TimeSliderModel::setOutTime(Time time, bool notify) {
  if (!Base::IsValidTime(time)) {
    return;
  }
  time = std::clamp(time, inOrStartTime(), m_end);
  if (time == m_out) {
    return;
  }
  const TimeFlags flags = hasOutTime() ? TimeFlags(OutTimeChanged) : (OutTimeChanged | OutMarkerChanged);
  m_out = time;
  notifyChanges(flags, notify);
}

void TimeSliderModel::markIn() {
  if (m_in == m_current) {
    clearIn();
  } else {
    setInTime(m_current, true);
  }
}

void TimeSliderModel::markOut() {
  if (m_out == m_current) {
    clearOut();
  } else {
    setOutTime(m_current, true);
  }
}

void TimeSliderModel::clearIn() {
  if (hasInTime()) {
    m_in = Base::kInvalidTime;
    notifyChanges(InTimeChanged | InMarkerChanged, true);
  }
}

void TimeSliderModel::clearOut() {
  if (hasOutTime()) {
    m_out = Base::kInvalidTime;
    notifyChanges(OutTimeChanged | OutMarkerChanged, true);
  }
}

void TimeSliderModel::enableInOutLock(bool locked) {
  if (locked != m_locked) {
    m_locked = locked;
    // The playback range moves between the full range and the in/out range.
    notifyChanges(InTimeChanged | OutTimeChanged, true);
  }
}

void TimeSliderModel::setCurrentTime(Time time) {
  if (!Base::IsValidTime(time)) {
    return;
  }
  time = clampToRange(time);
  if (time != m_current) {
    m_current = time;
    notifyChanges(CurrentTimeChanged, true);
  }
}

} // namespace Tessel::UI
