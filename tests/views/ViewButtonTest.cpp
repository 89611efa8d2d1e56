#include <velloro/views/ViewButton.h>
#include <velloro/views/ViewDataModel.h>

#include <TesselUI/Button.h>
#include <TesselUI/Menu.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using Velloro::ViewButton;
using Velloro::ViewDataModel;

namespace {

// The push buttons on show; those being replaced are hidden until deleted.
QList<QPushButton*> pushButtons(const ViewButton& button) {
  QList<QPushButton*> shown;
  for (QPushButton* each : button.findChildren<QPushButton*>()) {
    if (!each->isHidden()) {
      shown.append(each);
    }
  }
  return shown;
}

class ViewButtonTest : public ::testing::Test {
protected:
  ViewButtonTest() { model->setUpViewsForStereo(); }

  std::shared_ptr<ViewDataModel> model = std::make_shared<ViewDataModel>();
};

} // namespace

TEST_F(ViewButtonTest, PushButtonsShowTheViewsUntilTheModelIsGone) {
  const std::string longName(80, 'w');
  model->addView(longName, QColor(Qt::blue));
  ViewButton button(model, true, false, false);
  button.update(1);

  const QList<QPushButton*> shown = pushButtons(button);
  ASSERT_EQ(shown.size(), 3);
  EXPECT_EQ(shown[0]->text(), "left");
  EXPECT_TRUE(shown[0]->toolTip().isEmpty());
  EXPECT_TRUE(shown[2]->text().endsWith(QChar(0x2026)));
  EXPECT_LE(shown[2]->fontMetrics().horizontalAdvance(shown[2]->text()), ViewButton::kMaxNameWidth);
  EXPECT_EQ(shown[2]->toolTip().toStdString(), longName);
  EXPECT_EQ(shown[1]->palette().color(QPalette::ButtonText), QColor(Qt::red));

  // A click reports the row, moves the red and checks the menu's entry.
  QSignalSpy toggled(&button, &ViewButton::viewToggled);
  shown[0]->click();
  EXPECT_EQ(toggled.takeFirst().at(0).toInt(), 0);
  EXPECT_EQ(button.selectedView(), 0);
  EXPECT_TRUE(button.overflowMenu()->actions().at(0)->isChecked());
  EXPECT_NE(shown[1]->palette().color(QPalette::ButtonText), QColor(Qt::red));

  // With view colours every button shows its own, checked or not; nothing checked is possible.
  model->setShowColours(true);
  model->removeView(longName);
  button.update(std::set<int>());
  EXPECT_EQ(pushButtons(button).size(), 2);
  EXPECT_EQ(button.selectedView(), -1);
  EXPECT_EQ(shown[1]->palette().color(QPalette::ButtonText), QColor(Qt::green));

  model.reset();
  EXPECT_TRUE(pushButtons(button).isEmpty());
  EXPECT_TRUE(button.overflowMenu()->actions().isEmpty());
}

TEST_F(ViewButtonTest, MenuModeTitlesAndSwitchingBack) {
  model->setDisplayMode(ViewButton::eDropDownMenu);
  ViewButton button(model, true, true, true);
  button.setMenuTitle("Primary");
  button.update(0);

  EXPECT_TRUE(pushButtons(button).isEmpty());
  EXPECT_EQ(button.overflowMenu()->actions().at(1)->text(), "right");
  auto* title = button.findChild<Tessel::UI::Button*>();
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), "Primary (left)");

  QSignalSpy toggled(&button, &ViewButton::viewToggled);
  button.overflowMenu()->actions().at(1)->trigger();
  EXPECT_EQ(toggled.takeFirst().at(0).toInt(), 1);
  EXPECT_EQ(button.selectedView(), 1);
  EXPECT_EQ(title->text(), "Primary (right)");

  model->setDisplayMode(ViewButton::ePushButtons);
  button.update(1);
  EXPECT_EQ(pushButtons(button).size(), 2);
  EXPECT_TRUE(title->isHidden());
  EXPECT_EQ(button.selectedView(), 1);

  // Without the selection in its title the menu's button still shows, named after the view.
  model->setDisplayMode(ViewButton::eDropDownMenu);
  ViewButton plain(model, true, true, false);
  plain.update(1);
  ASSERT_NE(plain.findChild<Tessel::UI::Button*>(), nullptr);
  EXPECT_EQ(plain.findChild<Tessel::UI::Button*>()->text(), "right");

  // Several views at a time: always a menu, its title lists them.
  ViewButton several(model, false, true, false);
  several.update(std::set<int>{0, 1});
  EXPECT_TRUE(several.isMenuMode());
  EXPECT_EQ(several.overflowMenu()->title(), "left, right");
  for (QAction* action : several.overflowMenu()->actions()) {
    action->trigger();
  }
  EXPECT_EQ(several.overflowMenu()->title(), "[none]");
}

TEST_F(ViewButtonTest, SingleViewCollapsesAndVisibilityIsKept) {
  model->setUpViewForMono();
  ViewButton collapsing(model, true, true, false);
  ViewButton single(model, true, false, false);
  for (ViewButton* button : {&collapsing, &single}) {
    button->update(0);
    button->show();
  }
  EXPECT_TRUE(collapsing.showOnlyOneView());
  EXPECT_FALSE(pushButtons(collapsing).first()->isVisible());
  EXPECT_FALSE(single.showOnlyOneView());
  EXPECT_TRUE(pushButtons(single).first()->isVisible());

  single.setPermanantVisibility(false);
  single.update(0);
  EXPECT_FALSE(single.isVisible());
  single.setPermanantVisibility(true);
  EXPECT_TRUE(pushButtons(single).first()->isVisible());
}
