#pragma once

#include <TesselUI/TesselUIExport.h>

#include <TesselBase/Time.h>
#include <TesselBase/TimeBase.h>

#include <QObject>
#include <QString>

namespace Tessel::UI {

// Turns frame times into text and back, as frame numbers or as non-drop-frame timecode
// (HH:MM:SS:FF at the whole frame rate nearest to the time base). GUI thread only.
class TESSEL_UI_EXPORT TimeFormatter : public QObject {
  Q_OBJECT
public:
  enum Format { Frames = 0, Timecode = 1 };
  Q_ENUM(Format)

  explicit TimeFormatter(QObject* parent = nullptr);

  Format format() const { return m_format; }
  void setFormat(Format format);
  Base::TimeBase timeBase() const { return m_timeBase; }
  void setTimeBase(Base::TimeBase timeBase);
  // Frames per timecode second: the rate rounded to a whole number, at least 1.
  int framesPerSecond() const;

  // offset is added before formatting timecode (a clip whose first frame reads 01:00:00:00).
  QString toString(Base::Time time, Base::Time timecodeOffset = 0) const;
  // Reads either form whatever the current format; kInvalidTime for text that is neither.
  Base::Time fromString(const QString& text, Base::Time timecodeOffset = 0) const;

signals:
  void formatChanged();

private:
  Format m_format = Frames;
  Base::TimeBase m_timeBase{24, 1};
};

} // namespace Tessel::UI
