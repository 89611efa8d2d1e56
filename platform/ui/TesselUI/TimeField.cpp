#include <TesselUI/TimeField.h>

#include <TesselUI/TimeFormatter.h>

#include <QKeyEvent>
#include <QRegularExpression>

#include <algorithm>

namespace Tessel::UI {

using Base::Time;

TimeField::TimeField(bool allowNegative, bool isDuration, QWidget* parent)
    : QLineEdit(parent)
    , m_allowNegative(allowNegative)
    , m_isDuration(isDuration) {
  setAlignment(Qt::AlignCenter);
  refreshText();
  connect(this, &QLineEdit::returnPressed, this, &TimeField::commitText);
}

void TimeField::setTime(Time time, bool notify) {
  if (!Base::IsValidTime(time)) {
    return;
  }
  const bool changed = time != m_time;
  m_time = time;
  refreshText();
  if (notify && changed) {
    emit timeChanged(m_time);
  }
}

void TimeField::setMinTime(Time time) {
  m_min = time;
}

void TimeField::setMaxTime(Time time) {
  m_max = time;
}

void TimeField::setTimecodeStart(Time start) {
  m_timecodeStart = start;
  refreshText();
}

void TimeField::setFormatter(TimeFormatter* formatter) {
  if (m_formatter) {
    disconnect(m_formatter, nullptr, this, nullptr);
  }
  m_formatter = formatter;
  if (m_formatter) {
    connect(m_formatter, &TimeFormatter::formatChanged, this, &TimeField::refreshText);
  }
  refreshText();
}

void TimeField::refreshText() {
  const Time offset = m_isDuration ? 0 : m_timecodeStart;
  setText(m_formatter ? m_formatter->toString(m_time, offset) : QString::number(m_time));
}

Time TimeField::parse(const QString& text) const {
  const Time offset = m_isDuration ? 0 : m_timecodeStart;
  const Time time = m_formatter ? m_formatter->fromString(text, offset) : [&] {
    bool ok = false;
    const Time frames = text.trimmed().toLongLong(&ok);
    return ok ? frames : Base::kInvalidTime;
  }();
  if (Base::IsValidTime(time) && time < 0 && !m_allowNegative) {
    return Base::kInvalidTime;
  }
  return time;
}

Time TimeField::clamp(Time time) const {
  if (Base::IsValidTime(m_min)) {
    time = std::max(time, m_min);
  }
  if (Base::IsValidTime(m_max)) {
    time = std::min(time, m_max);
  }
  return time;
}

void TimeField::commitText() {
  if (isReadOnly()) {
    return;
  }
  // A range: two times joined by "..", or by "-" after the first character (a leading "-"
  // is a sign).
  static const QRegularExpression range(
      QStringLiteral("^\\s*(-?[^-.\\s]+)\\s*(?:\\.\\.|-)\\s*(-?[^-.\\s]+)\\s*$"));
  const QRegularExpressionMatch match = range.match(text());
  if (match.hasMatch()) {
    const Time first = parse(match.captured(1));
    const Time last = parse(match.captured(2));
    if (Base::IsValidTime(first) && Base::IsValidTime(last) && first <= last) {
      refreshText();
      emit rangeChanged(first, last);
      return;
    }
  }
  const Time time = parse(text());
  if (!Base::IsValidTime(time)) {
    refreshText();
    return;
  }
  setTime(clamp(time), true);
}

void TimeField::keyPressEvent(QKeyEvent* event) {
  if (!isReadOnly() && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
    const Time step = event->key() == Qt::Key_Up ? 1 : -1;
    const Time next = clamp(m_time + step);
    if (next >= 0 || m_allowNegative) {
      setTime(next, true);
    }
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TimeField::focusOutEvent(QFocusEvent* event) {
  // Text left half-typed reverts to the time shown before.
  refreshText();
  QLineEdit::focusOutEvent(event);
}

} // namespace Tessel::UI
