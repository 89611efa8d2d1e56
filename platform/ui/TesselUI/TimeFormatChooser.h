#pragma once

#include <TesselUI/ChoiceButton.h>

#include <TesselBase/Time.h>
#include <TesselUI/TimeField.h>
#include <TesselUI/TimeFormatter.h>

#include <QList>
#include <QPointer>

namespace Tessel::UI {

// Switches a formatter, and every time field registered with it, between frame numbers and
// timecode. GUI thread only.
class TESSEL_UI_EXPORT TimeFormatChooser : public ChoiceButton {
  Q_OBJECT
public:
  enum Style { LongLabels = 0, ShortLabels = 1 };

  // style 1 labels the items "F" and "TC" for a compact tool bar; 0 spells them out.
  TimeFormatChooser(TimeFormatter* formatter, int style, QWidget* parent = nullptr);

  TimeFormatter* formatter() const { return m_formatter; }
  void addTimeField(TimeField* field);
  bool showsTimecode() const;

  // Sets the format and, when applyTimecodeStart is true, makes every registered field read
  // the timecode timecodeStart (counted in frames) at the clip's first frame.
  void setTimeDisplay(bool showTimecode, bool applyTimecodeStart, Base::Time timecodeStart,
                      Base::Time firstFrame);

public slots:
  void showFrames();
  void showTimecode();

private:
  void applyIndex(int index);

  QPointer<TimeFormatter> m_formatter;
  QList<QPointer<TimeField>> m_fields;
};

} // namespace Tessel::UI
