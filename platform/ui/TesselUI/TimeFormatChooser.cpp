#include <TesselUI/TimeFormatChooser.h>

#include <TesselUI/TimeField.h>
#include <TesselUI/TimeFormatter.h>

namespace Tessel::UI {

TimeFormatChooser::TimeFormatChooser(TimeFormatter* formatter, int style, QWidget* parent)
    : ChoiceButton(parent)
    , m_formatter(formatter) {
  const bool shortLabels = style == ShortLabels;
  QAction* frames =
      addItem(shortLabels ? QStringLiteral("F") : QStringLiteral("Frames"), nullptr, nullptr, true);
  QAction* timecode =
      addItem(shortLabels ? QStringLiteral("TC") : QStringLiteral("Timecode"), nullptr, nullptr, true);
  frames->setToolTip(QStringLiteral("Show times as frame numbers"));
  timecode->setToolTip(QStringLiteral("Show times as timecode"));
  setToolTip(QStringLiteral("Time display format"));
  if (m_formatter && m_formatter->format() == TimeFormatter::Timecode) {
    setCurrentIndex(1);
  }
  connect(this, &ChoiceButton::currentIndexChanged, this, &TimeFormatChooser::applyIndex);
}

void TimeFormatChooser::addTimeField(TimeField* field) {
  if (field) {
    field->setFormatter(m_formatter);
    m_fields.append(field);
  }
}

bool TimeFormatChooser::showsTimecode() const {
  return currentIndex() == 1;
}

void TimeFormatChooser::setTimeDisplay(bool showTimecode, bool applyTimecodeStart, Base::Time timecodeStart,
                                       Base::Time firstFrame) {
  if (applyTimecodeStart) {
    for (const QPointer<TimeField>& field : m_fields) {
      if (field) {
        field->setTimecodeStart(timecodeStart - firstFrame);
      }
    }
  }
  setCurrentIndex(showTimecode ? 1 : 0);
}

void TimeFormatChooser::showFrames() {
  setCurrentIndex(0);
}

void TimeFormatChooser::showTimecode() {
  setCurrentIndex(1);
}

void TimeFormatChooser::applyIndex(int index) {
  if (m_formatter) {
    m_formatter->setFormat(index == 1 ? TimeFormatter::Timecode : TimeFormatter::Frames);
  }
}

} // namespace Tessel::UI
