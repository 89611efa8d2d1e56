#include <velloro/viewerui/FrameRateChooser.h>

#include <velloro/viewerui/internal/FrameRateModel.h>

#include <QLineEdit>

namespace Velloro {

using Tessel::Base::TimeBase;

namespace {

const TimeBase kFrameRates[] = {{8, 1},        {10, 1}, {12, 1},       {1250, 100},   {15, 1},
                                {24000, 1001}, {24, 1}, {25, 1},       {30000, 1001}, {30, 1},
                                {48, 1},       {50, 1}, {60000, 1001}, {60, 1}};

QString PlainRate(TimeBase timeBase) {
  return QString::number(timeBase.toFloat(), 'g', 6);
}

} // namespace

FrameRateChooser::FrameRateChooser(QWidget* parent)
    : TimeBaseChooser(parent) {
  setModel(new FrameRateModel(this));
  setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
  for (const TimeBase& rate : kFrameRates) {
    addTimeBaseToList(rate);
  }
  m_separatorIndex = count();
  insertSeparator(m_separatorIndex);
  connect(this, &QComboBox::currentIndexChanged, this, &FrameRateChooser::handleIndexChange);
}

TimeBase FrameRateChooser::timeBase() const {
  return timeBaseAt(currentIndex());
}

TimeBase FrameRateChooser::timeBaseAt(int index) const {
  return itemData(index).value<TimeBase>();
}

void FrameRateChooser::setTimeBase(TimeBase timeBase) {
  setToExistingEntry(timeBase);
  valueChanged();
}

bool FrameRateChooser::setToExistingEntry(TimeBase timeBase) {
  const int index = findData(QVariant::fromValue(timeBase));
  setCurrentIndex(index);
  return index >= 0;
}

void FrameRateChooser::addTimeBaseToList(TimeBase timeBase) {
  addItem(QString::fromStdString(timeBase.label()), QVariant::fromValue(timeBase));
}

void FrameRateChooser::setDefaultValue(TimeBase timeBase) {
  if (m_defaultIndex >= 0 && m_defaultIndex < count()) {
    setItemText(m_defaultIndex, PlainRate(timeBaseAt(m_defaultIndex)));
  }
  m_defaultIndex = findData(QVariant::fromValue(timeBase));
  if (m_defaultIndex < 0) {
    addTimeBaseToList(timeBase);
    m_defaultIndex = count() - 1;
  }
  setItemText(m_defaultIndex, PlainRate(timeBaseAt(m_defaultIndex)) + QLatin1Char('*'));
  if (m_defaultIndex == currentIndex()) {
    valueChanged();
  }
}

void FrameRateChooser::valueChanged() {
  if (QLineEdit* edit = lineEdit()) {
    QString text = QString::fromStdString(timeBase().label());
    if (currentIndex() == m_defaultIndex) {
      text += QLatin1Char('*');
    }
    edit->setText(text);
  }
}

void FrameRateChooser::handleIndexChange() {
  if (currentIndex() < 0) {
    return;
  }
  valueChanged();
  emit timeBaseChanged();
}

} // namespace Velloro
