#include <velloro/viewerui/EditableFrameRateChooser.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using Tessel::Base::TimeBase;
using Velloro::EditableFrameRateChooser;

namespace {

void TypeRate(EditableFrameRateChooser& chooser, const QString& text) {
  chooser.lineEdit()->selectAll();
  QTest::keyClicks(chooser.lineEdit(), text);
  QTest::keyClick(chooser.lineEdit(), Qt::Key_Return);
}

} // namespace

TEST(EditableFrameRateChooser, TypedRatesSelectMatchingEntriesOrAreAppended) {
  EditableFrameRateChooser chooser;
  chooser.setDefaultValue(TimeBase(24, 1));
  chooser.setTimeBase(TimeBase(25, 1));
  QSignalSpy changes(&chooser, &EditableFrameRateChooser::timeBaseChanged);

  TypeRate(chooser, "24");
  EXPECT_EQ(chooser.currentIndex(), 6);
  EXPECT_EQ(chooser.lineEdit()->text(), "24*");
  TypeRate(chooser, "23.976");
  EXPECT_EQ(chooser.timeBase(), TimeBase(24000, 1001));
  chooser.setTimeBase(TimeBase(25, 1));
  TypeRate(chooser, "23.97");
  EXPECT_EQ(chooser.currentIndex(), 5);
  changes.clear();
  TypeRate(chooser, "17");
  EXPECT_EQ(chooser.currentIndex(), chooser.count() - 1);
  EXPECT_GT(chooser.currentIndex(), chooser.separatorIndex());
  EXPECT_EQ(chooser.currentText(), "17");
  EXPECT_EQ(changes.count(), 1);

  changes.clear();
  TypeRate(chooser, "abc");
  chooser.lineEdit()->setText("24*");
  QTest::keyClick(chooser.lineEdit(), Qt::Key_Return);
  EXPECT_EQ(chooser.timeBase(), TimeBase(17, 1));
  EXPECT_EQ(changes.count(), 0);
}

TEST(EditableFrameRateChooser, ReadsADecimalPointInAnyLocale) {
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::German));
  EditableFrameRateChooser chooser;
  QLocale::setDefault(previous);
  TypeRate(chooser, "12.5");
  EXPECT_EQ(chooser.currentIndex(), 3);
}

TEST(EditableFrameRateChooser, FocusShowsThePlainRateAndRateKeysAreNotShortcuts) {
  EditableFrameRateChooser chooser;
  chooser.setDefaultValue(TimeBase(24, 1));
  chooser.setTimeBase(TimeBase(24, 1));
  EXPECT_EQ(chooser.lineEdit()->text(), "24*");
  chooser.show();
  chooser.activateWindow();
  chooser.setFocus();
  QApplication::processEvents();
  EXPECT_EQ(chooser.lineEdit()->text(), "24");

  // A plain editable combo box leaves Return and Enter to the application's shortcuts.
  for (int key : {int(Qt::Key_5), int(Qt::Key_Return), int(Qt::Key_Enter)}) {
    QKeyEvent overrideEvent(QEvent::ShortcutOverride, key, Qt::NoModifier);
    overrideEvent.ignore();
    EXPECT_TRUE(QApplication::sendEvent(&chooser, &overrideEvent)) << key;
    EXPECT_TRUE(overrideEvent.isAccepted()) << key;
  }
}

TEST(EditableFrameRateChooser, SyncSelectsOrAppendsWithoutAnnouncing) {
  EditableFrameRateChooser chooser;
  QSignalSpy changes(&chooser, &EditableFrameRateChooser::timeBaseChanged);
  chooser.syncTimeBase(TimeBase(50, 1));
  EXPECT_EQ(chooser.currentIndex(), 11);
  chooser.syncTimeBase(TimeBase(20, 1));
  EXPECT_EQ(chooser.timeBase(), TimeBase(20, 1));
  EXPECT_EQ(chooser.lineEdit()->text(), "20");
  EXPECT_EQ(changes.count(), 0);
}
