#include <velloro/viewerui/ViewerFrameLockButton.h>
#include <velloro/viewerui/ViewerInOutObject.h>

#include <TesselUI/TimeSlider.h>

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using Tessel::UI::TimeSlider;
using Tessel::UI::TimeSliderModel;
using Velloro::ViewerUI::ViewerFrameLockButton;
using Velloro::ViewerUI::ViewerInOutObject;

TEST(ViewerInOutObject, FieldsFollowThePlaybackRangeAndTheLock) {
  // The application's dark theme: light text, which the unlocked fields dim.
  const QPalette appPalette = QApplication::palette();
  QPalette dark = appPalette;
  dark.setColor(QPalette::Text, QColor(200, 200, 200));
  QApplication::setPalette(dark);
  TimeSliderModel model;
  model.setRange(1, 100);
  auto* in = new ViewerInOutObject(&model, ViewerInOutObject::In);
  auto* out = new ViewerInOutObject(&model, ViewerInOutObject::Out);
  EXPECT_EQ(in->field()->time(), 1);
  EXPECT_EQ(out->field()->time(), 100);
  EXPECT_EQ(in->button()->text(), "I");
  EXPECT_EQ(out->button()->toolTip(),
            "Toggle the out point at the current frame (O)\nRight click to clear (Alt+O)");

  model.setInTime(20, true);
  model.setOutTime(60, true);
  const QColor unlockedText = in->field()->palette().color(QPalette::Text);
  const QColor unlockedLetter = in->button()->palette().color(QPalette::ButtonText);
  model.enableInOutLock(true);
  EXPECT_EQ(in->field()->time(), 20);
  EXPECT_EQ(out->field()->time(), 60);
  EXPECT_EQ(in->field()->maxTime(), 60);
  EXPECT_EQ(out->field()->minTime(), 20);
  EXPECT_LT(unlockedText.lightness(), in->field()->palette().color(QPalette::Text).lightness());
  EXPECT_EQ(in->button()->palette().color(QPalette::ButtonText), TimeSlider::InOutMarkerColor().lighter(115));
  EXPECT_NE(unlockedLetter, TimeSlider::InOutMarkerColor().lighter(115));

  // The panel holding the field may go first; the model keeps notifying the object.
  delete in->field();
  model.setInTime(25, true);
  QApplication::setPalette(appPalette);
}

TEST(ViewerFrameLockButton, TogglesAndFollowsTheModelsLock) {
  TimeSliderModel model;
  model.enableInOutLock(true);
  ViewerFrameLockButton button(&model);
  EXPECT_TRUE(button.isChecked());
  button.resize(24, 24);
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_FALSE(model.inOutLocked());
  model.enableInOutLock(true);
  EXPECT_TRUE(button.isChecked());
}
