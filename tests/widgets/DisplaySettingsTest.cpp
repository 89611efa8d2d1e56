#include <velloro/widgets/HoverFocus.h>
#include <velloro/widgets/InfoBubble.h>
#include <velloro/widgets/PosterFrameSetting.h>

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace Velloro;

TEST(PosterFrameSetting, NamesBothWaysWithSafeResultsOutsideTheTable) {
  ASSERT_EQ(PosterFrameSettingNames().size(), 4u);
  EXPECT_EQ(PosterFrameSettingNames()[3].first, "Custom...");
  for (const auto& [name, value] : PosterFrameSettingNames()) {
    EXPECT_EQ(PosterFrameSettingFromString(name), value);
    EXPECT_EQ(PosterFrameSettingToString(value), name);
  }
  EXPECT_EQ(PosterFrameSettingFromString("Last"), Last);  // a stored name ("Middle": the static-init test)
  EXPECT_EQ(PosterFrameSettingFromString("last"), First); // not a name: case matters
  EXPECT_EQ(PosterFrameSettingFromString("Custom"), First);
  EXPECT_EQ(PosterFrameSettingFromString(""), First);
  EXPECT_EQ(PosterFrameSettingToString(static_cast<PosterFrameSetting>(9)), "First");
  EXPECT_EQ(PosterFrameSettingToString(static_cast<PosterFrameSetting>(-1)), "First");
}

TEST(HoverFocus, PropertySetClearedAndReadBack) {
  QLineEdit field;
  EXPECT_FALSE(IsHoverFocusWidget(field));
  RegisterForHoverFocus(field);
  EXPECT_TRUE(IsHoverFocusWidget(field));
  EXPECT_TRUE(field.property("tsHoverFocus").toBool());
  UnregisterForHoverFocus(field);
  EXPECT_FALSE(IsHoverFocusWidget(field));
  field.setProperty("tsHoverFocus", "true"); // set by a style sheet or script as text
  EXPECT_TRUE(IsHoverFocusWidget(field));
}

TEST(InfoBubble, AnyKeyClosesItAndIsPassedOn) {
  QLineEdit owner;
  owner.show();
  UI::InfoBubble bubble(&owner);
  bubble.setMessage(QStringLiteral("Playback is cached"));
  bubble.showBelow(&owner);
  ASSERT_TRUE(bubble.isVisible());
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  QApplication::sendEvent(&bubble, &key);
  EXPECT_FALSE(key.isAccepted());
  EXPECT_FALSE(bubble.isVisible());
}
