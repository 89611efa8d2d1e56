#include <velloro/viewerui/EditableFrameRateChooser.h>

#include <QDoubleValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>

namespace Velloro {

using Tessel::Base::TimeBase;

EditableFrameRateChooser::EditableFrameRateChooser(QWidget* parent)
    : FrameRateChooser(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  connect(lineEdit(), &QLineEdit::editingFinished, this, &EditableFrameRateChooser::handleLineEditChange);
  auto* validator = new QDoubleValidator(0.1, 1000.0, 2, this);
  validator->setNotation(QDoubleValidator::StandardNotation);
  // Rates are read with a decimal point whatever the user's locale (a comma would pass the
  // validator of a German locale, then fail to parse, and the typed rate would be ignored).
  validator->setLocale(QLocale::c());
  setValidator(validator);
  valueChanged();
}

void EditableFrameRateChooser::syncTimeBase(TimeBase timeBase) {
  // Both blocked for the whole update: selecting an entry would otherwise announce it.
  const QSignalBlocker editBlocker(lineEdit());
  const QSignalBlocker chooserBlocker(this);
  if (!setToExistingEntry(timeBase)) {
    // A rate the list lacks is added, as a typed one would be, rather than left unselected.
    addTimeBaseToList(timeBase);
    setToExistingEntry(timeBase);
  }
  valueChanged();
}

bool EditableFrameRateChooser::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool typesRate = (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Period ||
                           key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Backspace ||
                           key == Qt::Key_Delete;
    if (typesRate) {
      event->accept();
      return true;
    }
  }
  return FrameRateChooser::event(event);
}

void EditableFrameRateChooser::focusInEvent(QFocusEvent* event) {
  FrameRateChooser::focusInEvent(event);
  if (currentIndex() >= 0) {
    lineEdit()->setText(QString::number(timeBase().toFloat(), 'g', 6));
  }
}

void EditableFrameRateChooser::handleLineEditChange() {
  bool isNumber = false;
  const float typed = lineEdit()->text().toFloat(&isNumber);
  if (!isNumber) {
    return;
  }
  const TimeBase rate(typed);
  const int index = findData(QVariant::fromValue(rate));
  setCurrentIndex(index);
  if (index >= 0) {
    valueChanged();
  } else {
    // Selecting the appended entry announces the change once.
    addTimeBaseToList(rate);
    setTimeBase(rate);
  }
}

} // namespace Velloro
