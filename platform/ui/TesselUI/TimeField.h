#pragma once

#include <TesselUI/TesselUIExport.h>

#include <TesselBase/Time.h>
#include <TesselUI/TimeFormatter.h>

#include <QLineEdit>
#include <QPointer>

namespace Tessel::UI {

// A line edit that shows one time in its formatter's format (frames when it has none).
// Typing a time and pressing Return emits timeChanged(); typing a range such as "10-20" or
// "10..20" emits rangeChanged(); Up and Down step one frame. Entered times are kept within
// the minimum and maximum. GUI thread only.
class TESSEL_UI_EXPORT TimeField : public QLineEdit {
  Q_OBJECT
public:
  // A duration field shows a count of frames, which as timecode starts at zero whatever the
  // timecode start; allowNegative lets frame numbers below zero be typed.
  TimeField(bool allowNegative, bool isDuration, QWidget* parent = nullptr);

  Base::Time time() const { return m_time; }
  // Shows the time; emits timeChanged() when notify is true and the time changed.
  void setTime(Base::Time time, bool notify);
  void setMinTime(Base::Time time);
  void setMaxTime(Base::Time time);
  Base::Time minTime() const { return m_min; }
  Base::Time maxTime() const { return m_max; }
  // Added to a time before it shows as timecode: with 86400 at 24 fps, 0 reads 01:00:00:00.
  void setTimecodeStart(Base::Time start);
  void setFormatter(TimeFormatter* formatter);
  TimeFormatter* formatter() const { return m_formatter; }

signals:
  void timeChanged(Tessel::Base::Time time);
  void rangeChanged(Tessel::Base::Time first, Tessel::Base::Time last);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  void commitText();
  void refreshText();
  Base::Time parse(const QString& text) const;
  Base::Time clamp(Base::Time time) const;

  QPointer<TimeFormatter> m_formatter;
  Base::Time m_time = 0;
  Base::Time m_min = Base::kInvalidTime;
  Base::Time m_max = Base::kInvalidTime;
  Base::Time m_timecodeStart = 0;
  bool m_allowNegative;
  bool m_isDuration;
};

} // namespace Tessel::UI
