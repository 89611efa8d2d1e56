#include <velloro/viewerui/ViewerFrameLockButton.h>

#include <QTest>

#include <gtest/gtest.h>

using Tessel::UI::TimeSliderModel;
using Velloro::ViewerUI::ViewerFrameLockButton;

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
