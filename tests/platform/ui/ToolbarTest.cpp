#include <TesselUI/BubbleWidget.h>
#include <TesselUI/Button.h>
#include <TesselUI/ChoiceButton.h>
#include <TesselUI/CollapsibleToolbar.h>
#include <TesselUI/CollapsibleToolbarItem.h>
#include <TesselUI/CollapsibleToolbarItemGroup.h>
#include <TesselUI/CoreUIUtils.h>
#include <TesselUI/DragButton.h>
#include <TesselUI/DraggableToolbar.h>
#include <TesselUI/Menu.h>
#include <TesselUI/VerticalDivider.h>

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Tessel::UI;

TEST(Button, RightClickIsNotAClick) {
  Button button;
  button.show();
  QSignalSpy clicks(&button, &Button::clicked);
  QSignalSpy rightClicks(&button, &Button::rightClicked);
  QTest::mouseClick(&button, Qt::RightButton);
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_EQ(rightClicks.count(), 1);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 1);
}

TEST(ChoiceButton, ItemsIndexAndMenuChoice) {
  ChoiceButton choice;
  QSignalSpy changes(&choice, &ChoiceButton::currentIndexChanged);
  const QIcon icon = CoreUIUtils::createIcon(QStringLiteral("PlayBounce"));
  const QVariant data(42);
  QAction* first = choice.addItem(QStringLiteral("Global"), nullptr, nullptr, true);
  QAction* second = choice.addItem(QStringLiteral("Bounce"), &icon, &data, false);
  QAction* third = choice.addItem(QStringLiteral("Visible"), nullptr, nullptr, true);
  EXPECT_EQ(choice.count(), 3);
  EXPECT_EQ(choice.currentIndex(), 0); // the first item is chosen as it arrives
  EXPECT_EQ(choice.text(), "Global");
  EXPECT_EQ(choice.itemData(1).toInt(), 42);

  choice.setCurrentIndex(1);
  EXPECT_TRUE(second->isChecked());
  EXPECT_FALSE(first->isChecked());
  EXPECT_FALSE(choice.icon().isNull()); // an icon item shows its icon
  choice.setCurrentIndex(1);
  choice.setCurrentIndex(7);
  ASSERT_EQ(changes.count(), 2);
  EXPECT_EQ(changes.last().at(0).toInt(), 1);

  // A disabled item cannot be chosen from the menu; an enabled one can.
  third->setEnabled(false);
  choice.show();
  QTest::mouseClick(&choice, Qt::LeftButton);
  Menu* menu = choice.menuOfItems();
  ASSERT_TRUE(menu->isVisible());
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(third).center());
  EXPECT_EQ(choice.currentIndex(), 1);
  menu->hide();
  QTest::mouseClick(&choice, Qt::LeftButton);
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(first).center());
  EXPECT_EQ(choice.currentIndex(), 0);
  EXPECT_EQ(changes.last().at(0).toInt(), 0);
}

TEST(CollapsibleToolbar, CollapsesLowPriorityFirstAndGroupsTogether) {
  CollapsibleToolbar toolbar;
  auto makeButton = [](const char* name) {
    auto* button = new Button;
    button->setObjectName(name);
    button->setFixedSize(40, 20);
    return button;
  };
  auto* group = new CollapsibleToolbarItemGroup(&toolbar);
  Button* setIn = makeButton("setIn");
  auto* important =
      CollapsibleToolbarItem::CreateOverflowItem(makeButton("important"), "Important", 9, 0, nullptr);
  auto* in = CollapsibleToolbarItem::CreateOverflowItem(setIn, "Set In", 5, 1, group);
  auto* out = CollapsibleToolbarItem::CreateOverflowItem(makeButton("setOut"), "Set Out", 7, 2, group);
  auto* lowest = CollapsibleToolbarItem::CreateOverflowItem(makeButton("lowest"), "Lowest", 1, 3, nullptr);
  for (auto* item : {important, in, out, lowest}) {
    toolbar.addItem(item);
  }
  toolbar.resize(400, 24);
  toolbar.show();

  // Room for three buttons and the overflow button.
  const int overflow = toolbar.overflowButton()->sizeHint().width() + 2;
  toolbar.resize(3 * 40 + 2 * 2 + overflow, 24);
  EXPECT_TRUE(lowest->isCollapsed());
  EXPECT_FALSE(in->isCollapsed());
  EXPECT_TRUE(toolbar.overflowButton()->isVisible());

  toolbar.resize(3 * 40 + 2 * 2 + overflow - 1, 24);
  EXPECT_TRUE(in->isCollapsed());
  EXPECT_TRUE(out->isCollapsed()); // with its group, though its own priority is higher
  EXPECT_FALSE(important->isCollapsed());

  // The overflow menu offers the collapsed items in menu order and clicks their buttons.
  QStringList offered;
  for (QAction* action : toolbar.overflowMenu()->actions()) {
    if (action->isVisible()) {
      offered << action->text();
    }
  }
  EXPECT_EQ(offered, QStringList({"Set In", "Set Out", "Lowest"}));
  QSignalSpy clicks(setIn, &Button::clicked);
  in->overflowAction()->trigger();
  EXPECT_EQ(clicks.count(), 1);

  // With room for all, nothing stays collapsed.
  toolbar.resize(400, 24);
  for (auto* item : {in, out, lowest}) {
    EXPECT_FALSE(item->isCollapsed());
  }
  EXPECT_FALSE(toolbar.overflowButton()->isVisible());
}

TEST(DragButton, DragsInsteadOfClickingAndCanBeSwitchedOff) {
  DragButton button;
  button.resize(80, 30);
  button.show();
  QSignalSpy drags(&button, &DragButton::dragged);
  QSignalSpy clicks(&button, &DragButton::clicked);
  const auto drag = [&button] {
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(&button, QPoint(40, 5));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(40, 5));
  };
  drag();
  EXPECT_EQ(drags.count(), 1);
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_TRUE(button.isDragging());
  button.finishedDrag();
  EXPECT_FALSE(button.isDragging());

  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks.count(), 1);

  button.setDragEnabled(false);
  drag();
  EXPECT_EQ(drags.count(), 1);
}

TEST(DraggableToolbar, PersistentWidgetsSurviveClearing) {
  DraggableToolbar toolbar;
  auto* edit = new DragButton;
  auto* divider = new VerticalDivider;
  toolbar.pushWidget(edit);
  toolbar.addPersistentWidget(divider);
  QPointer<DragButton> knob = new DragButton;
  toolbar.pushWidget(knob);
  EXPECT_EQ(toolbar.widgets(), (QList<QWidget*>{edit, divider, knob}));
  toolbar.clearWidgets();
  EXPECT_TRUE(knob.isNull());
  EXPECT_EQ(toolbar.widgets(), QList<QWidget*>{divider}); // the leading button was not persistent
}

TEST(Icons, FoundUnderTheIconsPrefix) {
  // The leading slash is written by some callers.
  for (const char* path :
       {"icons:FrameRangeLock.png", "icons:ViewerRenderingSpinner.svg",
        "icons:ControlPanelBin/knob_default.png", "icons:ControlPanelBin/edit_on.png",
        "icons:/ControlPanelBin/edit_off.png", "icons:ControlPanelBin/CustomKnobPanelIcons/double.png"}) {
    EXPECT_TRUE(QFileInfo(QString::fromUtf8(path)).isFile()) << path;
  }
  for (const char* name : {"PlayRepeat", "PlayBounce", "PlayStop", "PlayContinue"}) {
    EXPECT_FALSE(CoreUIUtils::createIcon(name).isNull()) << name;
  }
  EXPECT_TRUE(CoreUIUtils::createIcon(QStringLiteral("NoSuchIcon")).isNull());

  const QIcon tool = CreateToolButtonIcon(QStringLiteral("icons:FrameRangeLock.png"), false);
  ASSERT_FALSE(tool.isNull());
  EXPECT_NE(tool.pixmap(16, QIcon::Disabled).toImage(), tool.pixmap(16, QIcon::Normal).toImage());
  EXPECT_TRUE(CreateToolButtonIcon(QStringLiteral("icons:Missing.png"), false).isNull());

  // A tinted copy keeps the shape and takes the colour.
  QPixmap shape(4, 4);
  shape.fill(Qt::transparent);
  QImage half = shape.toImage();
  half.setPixelColor(1, 1, QColor(10, 20, 30, 255));
  const QImage tinted = ColorPixmap(QPixmap::fromImage(half), Qt::red).toImage();
  EXPECT_EQ(tinted.pixelColor(1, 1), QColor(Qt::red));
  EXPECT_EQ(tinted.pixelColor(0, 0).alpha(), 0);
}

TEST(BubbleWidget, ShowsBelowItsAnchor) {
  Button anchor;
  anchor.show();
  BubbleWidget bubble(&anchor);
  bubble.setMessage(QStringLiteral("Frames are cached"));
  bubble.showBelow(&anchor);
  EXPECT_TRUE(bubble.isVisible());
  EXPECT_GE(bubble.y(), anchor.mapToGlobal(QPoint(0, anchor.height())).y());
}

TEST(Menu, StaysOpenWhileTogglingWhenAsked) {
  Menu menu;
  QAction* checkable = menu.addAction(QStringLiteral("Show colours"));
  checkable->setCheckable(true);
  QAction* plain = menu.addAction(QStringLiteral("Reset"));
  QSignalSpy resets(plain, &QAction::triggered);
  menu.setStaysOpenOnToggle(true);
  menu.popup(QPoint(10, 10));
  ASSERT_TRUE(menu.isVisible());
  QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(checkable).center());
  EXPECT_TRUE(checkable->isChecked());
  EXPECT_TRUE(menu.isVisible());
  QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(plain).center());
  EXPECT_EQ(resets.count(), 1);
  EXPECT_FALSE(menu.isVisible());

  menu.setStaysOpenOnToggle(false);
  menu.popup(QPoint(10, 10));
  QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(checkable).center());
  EXPECT_FALSE(checkable->isChecked());
  EXPECT_FALSE(menu.isVisible());
}
