#pragma once

#include <TesselUI/TesselUIExport.h>

#include <TesselBase/Time.h>

#include <QObject>

namespace Tessel::UI {

// The time line of a viewer: the full frame range, an optional in and out point, the in/out
// lock and the current frame. Playback runs between playbackStartTime() and playbackEndTime(),
// which are the in/out points while the lock is on and the full range otherwise.
// GUI thread only.
class TESSEL_UI_EXPORT TimeSliderModel : public QObject {
  Q_OBJECT
public:
  enum TimeFlag {
    StartTimeChanged = 0x01,
    EndTimeChanged = 0x02,
    InTimeChanged = 0x04,
    OutTimeChanged = 0x08,
    CurrentTimeChanged = 0x10,
    InMarkerChanged = 0x40,  // the in point was set where there was none, or cleared
    OutMarkerChanged = 0x80, // likewise for the out point
  };
  Q_DECLARE_FLAGS(TimeFlags, TimeFlag)
  Q_FLAG(TimeFlags)

  explicit TimeSliderModel(QObject* parent = nullptr);

  Base::Time startTime() const { return m_start; }
  Base::Time endTime() const { return m_end; }
  // The in and out points; kInvalidTime when cleared.
  Base::Time inTime() const { return m_in; }
  Base::Time outTime() const { return m_out; }
  bool hasInTime() const { return Base::IsValidTime(m_in); }
  bool hasOutTime() const { return Base::IsValidTime(m_out); }
  // The in/out range, falling back to the full range where a point is cleared.
  Base::Time inOrStartTime() const { return hasInTime() ? m_in : m_start; }
  Base::Time outOrEndTime() const { return hasOutTime() ? m_out : m_end; }
  Base::Time playbackStartTime() const;
  Base::Time playbackEndTime() const;
  // Number of frames played, both ends included.
  Base::Time inOutDuration() const { return playbackEndTime() - playbackStartTime() + 1; }
  bool inOutLocked() const { return m_locked; }
  Base::Time currentTime() const { return m_current; }

  // Sets the full range; an end before the start is raised to the start. In and out points
  // are kept inside the new range.
  void setRange(Base::Time start, Base::Time end);
  // Sets the in or out point, kept within the full range and on its own side of the other
  // point. Emits timeChanged() when notify is true and something changed.
  void setInTime(Base::Time time, bool notify);
  void setOutTime(Base::Time time, bool notify);

public slots:
  // Toggle the in (out) point at the current frame: set it there, or clear it when it is
  // already there.
  void markIn();
  void markOut();
  void clearIn();
  void clearOut();
  void enableInOutLock(bool locked);
  // Moves the current frame, kept within the full range.
  void setCurrentTime(Tessel::Base::Time time);

signals:
  void timeChanged(Tessel::UI::TimeSliderModel::TimeFlags flags);

private:
  void notifyChanges(TimeFlags flags, bool notify);
  Base::Time clampToRange(Base::Time time) const;

  Base::Time m_start = 1;
  Base::Time m_end = 100;
  Base::Time m_in = Base::kInvalidTime;
  Base::Time m_out = Base::kInvalidTime;
  Base::Time m_current = 1;
  bool m_locked = false;
};

} // namespace Tessel::UI

Q_DECLARE_OPERATORS_FOR_FLAGS(Tessel::UI::TimeSliderModel::TimeFlags)
