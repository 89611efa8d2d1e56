#include <velloro/views/CreateViewsDialog.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using Velloro::CreateViewsResult;

namespace {

// What the user saw in the box.
struct Seen {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::TextFormat format = Qt::AutoText;
  QStringList buttons;
  QList<QMessageBox::ButtonRole> roles;
  QString defaultButton;
  QString escapeButton;
  QWidget* parent = nullptr;
  bool modal = false;
};

QMessageBox* shownBox() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
      return box;
    }
  }
  return nullptr;
}

// Waits for the box from inside its own event loop, notes what it shows, then lets the user act.
void whenBoxShows(Seen& seen, std::function<void(QMessageBox&)> act) {
  QTimer::singleShot(0, [&seen, act] {
    QMessageBox* box = shownBox();
    if (!box) {
      whenBoxShows(seen, act);
      return;
    }
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.format = box->textFormat();
    for (QAbstractButton* button : box->buttons()) {
      seen.buttons << button->text();
      seen.roles << box->buttonRole(button);
    }
    seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
    seen.escapeButton = box->escapeButton() ? box->escapeButton()->text() : QString();
    seen.parent = box->parentWidget();
    seen.modal = box->isModal();
    act(*box);
  });
}

std::function<void(QMessageBox&)> click(const QString& text) {
  return [text](QMessageBox& box) {
    for (QAbstractButton* button : box.buttons()) {
      if (button->text() == text) {
        QTest::mouseClick(button, Qt::LeftButton);
        return;
      }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    box.reject();
  };
}

std::function<void(QMessageBox&)> press(Qt::Key key) {
  return [key](QMessageBox& box) { QTest::keyClick(&box, key); };
}

CreateViewsResult answer(const std::vector<std::string>& names, const QString& project,
                         std::function<void(QMessageBox&)> act, Seen* seen = nullptr) {
  Seen ignored;
  whenBoxShows(seen ? *seen : ignored, std::move(act));
  return Velloro::showCreateViewsDialog(names, project);
}

} // namespace

TEST(CreateViewsDialog, ShowsTheQuestionWithThreeButtons) {
  Seen seen;
  EXPECT_EQ(answer({"left", "right"}, QString(), press(Qt::Key_Escape), &seen), Velloro::eCreateNoViews);
  EXPECT_EQ(seen.title, "Create missing views?");
  EXPECT_EQ(seen.text,
            "The imported clips contain the views \"left\" and \"right\". These views don't exist, do "
            "you want to create them?");
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(seen.format, Qt::PlainText);
  EXPECT_EQ(seen.buttons, (QStringList{"Add Views", "Replace Views", "No"}));
  EXPECT_EQ(seen.roles, (QList<QMessageBox::ButtonRole>{QMessageBox::AcceptRole, QMessageBox::AcceptRole,
                                                        QMessageBox::RejectRole}));
  EXPECT_EQ(seen.defaultButton, "No");
  EXPECT_EQ(seen.escapeButton, "No");
  EXPECT_TRUE(seen.modal);
  EXPECT_EQ(seen.parent, nullptr);
}

TEST(CreateViewsDialog, TextsForOneOrSeveralViewsWithOrWithoutProject) {
  Seen seen;
  answer({"left"}, QString(), press(Qt::Key_Escape), &seen);
  EXPECT_EQ(
      seen.text,
      "The imported clips contain the view \"left\". This view doesn't exist, do you want to create it?");

  seen = {};
  answer({"main"}, "Grade <b>v2</b>", press(Qt::Key_Escape), &seen);
  EXPECT_EQ(seen.text, "The imported clips contain the view \"main\". This view doesn't exist in the project "
                       "\"Grade <b>v2</b>\", do you want to create it?");

  seen = {};
  answer({"a", "b", "c", "d%2"}, "Reel 1", press(Qt::Key_Escape), &seen);
  EXPECT_EQ(seen.text,
            "The imported clips contain the views \"a\", \"b\", \"c\" and \"d%2\". These views don't "
            "exist in the project \"Reel 1\", do you want to create them?");
}

TEST(CreateViewsDialog, EveryAnswer) {
  EXPECT_EQ(answer({"left", "right"}, "p", click("Add Views")), Velloro::eAddMissingViews);
  EXPECT_EQ(answer({"left", "right"}, "p", click("Replace Views")), Velloro::eReplaceProjectViews);
  EXPECT_EQ(answer({"left", "right"}, "p", click("No")), Velloro::eCreateNoViews);
  EXPECT_EQ(answer({"left", "right"}, "p", press(Qt::Key_Escape)), Velloro::eCreateNoViews);
  // Return takes the default button.
  EXPECT_EQ(answer({"left", "right"}, "p", press(Qt::Key_Return)), Velloro::eCreateNoViews);
  EXPECT_EQ(answer({"left", "right"}, "p", [](QMessageBox& box) { box.close(); }), Velloro::eCreateNoViews);
}

TEST(CreateViewsDialog, ParentIsTheWindowBeneathProgressAndActivityWindows) {
  QWidget main;
  main.setObjectName("main");
  main.show();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  Seen seen;
  answer({"left"}, QString(), press(Qt::Key_Escape), &seen);
  EXPECT_EQ(seen.parent, &main);

  for (const char* name : {"Progress.1", Velloro::kHostActivityWindowObjectName}) {
    QDialog busy(&main);
    busy.setObjectName(name);
    busy.show();
    busy.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&busy));
    seen = {};
    answer({"left"}, QString(), press(Qt::Key_Escape), &seen);
    EXPECT_EQ(seen.parent, &main) << name;
  }

  QDialog other(&main);
  other.setObjectName("Progress.2");
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  seen = {};
  answer({"left"}, QString(), press(Qt::Key_Escape), &seen);
  EXPECT_EQ(seen.parent, &other);
}
