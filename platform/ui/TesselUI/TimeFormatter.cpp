#include <TesselUI/TimeFormatter.h>

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace Tessel::UI {

using Base::Time;

TimeFormatter::TimeFormatter(QObject* parent)
    : QObject(parent) {}

void TimeFormatter::setFormat(Format format) {
  if (format != m_format) {
    m_format = format;
    emit formatChanged();
  }
}

void TimeFormatter::setTimeBase(Base::TimeBase timeBase) {
  if (!timeBase.isValid() || timeBase.toFloat() <= 0.0f) {
    return;
  }
  const bool changed =
      timeBase.numerator() != m_timeBase.numerator() || timeBase.denominator() != m_timeBase.denominator();
  m_timeBase = timeBase;
  if (changed && m_format == Timecode) {
    emit formatChanged();
  }
}

int TimeFormatter::framesPerSecond() const {
  return std::max(1, static_cast<int>(std::lround(m_timeBase.toFloat())));
}

QString TimeFormatter::toString(Time time, Time timecodeOffset) const {
  if (!Base::IsValidTime(time)) {
    return QString();
  }
  if (m_format == Frames) {
    return QString::number(time);
  }
  Time frames = time + timecodeOffset;
  const bool negative = frames < 0;
  frames = negative ? -frames : frames;
  const Time fps = framesPerSecond();
  const Time seconds = frames / fps;
  const auto field = [](Time value) { return QString::number(value).rightJustified(2, QLatin1Char('0')); };
  return QStringLiteral("%1%2:%3:%4:%5")
      .arg(negative ? QStringLiteral("-") : QString())
      .arg(field(seconds / 3600))
      .arg(field(seconds / 60 % 60))
      .arg(field(seconds % 60))
      .arg(field(frames % fps));
}

Time TimeFormatter::fromString(const QString& text, Time timecodeOffset) const {
  const QString trimmed = text.trimmed();
  bool ok = false;
  const Time frames = trimmed.toLongLong(&ok);
  if (ok) {
    return frames;
  }
  static const QRegularExpression timecode(
      QStringLiteral("^(-?)(?:(\\d+)[:;])?(?:(\\d+)[:;])?(?:(\\d+)[:;])(\\d+)$"));
  const QRegularExpressionMatch match = timecode.match(trimmed);
  if (!match.hasMatch()) {
    return Base::kInvalidTime;
  }
  // Fields fill from the right: "1:00" is one second, "1:00:00:00" one hour.
  QStringList fields;
  for (int group = 2; group <= 5; ++group) {
    if (!match.captured(group).isEmpty()) {
      fields.append(match.captured(group));
    }
  }
  const Time fps = framesPerSecond();
  const Time weights[] = {3600 * fps, 60 * fps, fps, 1};
  Time total = 0;
  const int first = 4 - static_cast<int>(fields.size());
  for (int index = 0; index < fields.size(); ++index) {
    total += fields[index].toLongLong() * weights[first + index];
  }
  if (match.captured(1) == QLatin1String("-")) {
    total = -total;
  }
  return total - timecodeOffset;
}

} // namespace Tessel::UI
