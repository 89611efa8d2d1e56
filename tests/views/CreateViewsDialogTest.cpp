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

using Action = std::function<void(QMessageBox&)>;

// Waits for the box from inside its own event loop, then lets the user act on it.
void whenBoxShows(Action act) {
  QTimer::singleShot(0, [act] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
        act(*box);
        return;
      }
    }
    whenBoxShows(act);
  });
}

// Buttons in the order the box shows them: "Add Views", "Replace Views", "No".
Action click(int button) {
  return [button](QMessageBox& box) { QTest::mouseClick(box.buttons().value(button), Qt::LeftButton); };
}

Action press(Qt::Key key) {
  return [key](QMessageBox& box) { QTest::keyClick(&box, key); };
}

CreateViewsResult answer(const std::vector<std::string>& names, const QString& project, Action act) {
  whenBoxShows(std::move(act));
  return Velloro::showCreateViewsDialog(names, project);
}

// Lets `look` examine the box, then dismisses it with Escape.
void lookThenEscape(const std::vector<std::string>& names, const QString& project, Action look) {
  answer(names, project, [look](QMessageBox& box) {
    look(box);
    QTest::keyClick(&box, Qt::Key_Escape);
  });
}

QWidget* parentOfBox() {
  QWidget* parent = nullptr;
  lookThenEscape({"left"}, QString(), [&parent](QMessageBox& box) { parent = box.parentWidget(); });
  return parent;
}

void showActive(QWidget& window, const char* objectName) {
  window.setObjectName(objectName);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace

TEST(CreateViewsDialog, ShowsTheQuestionAndItsTextWithThreeButtons) {
  lookThenEscape({"left", "right"}, QString(), [](QMessageBox& box) {
    EXPECT_EQ(box.windowTitle(), "Create missing views?");
    EXPECT_EQ(box.text(),
              "The imported clips contain the views \"left\" and \"right\". These views don't exist, "
              "do you want to create them?");
    EXPECT_EQ(box.icon(), QMessageBox::Question);
    EXPECT_EQ(box.textFormat(), Qt::PlainText);
    QStringList buttons;
    for (QAbstractButton* button : box.buttons()) {
      buttons << button->text();
    }
    EXPECT_EQ(buttons, (QStringList{"Add Views", "Replace Views", "No"}));
    EXPECT_EQ(box.defaultButton(), box.buttons().value(2));
    EXPECT_EQ(box.escapeButton(), box.buttons().value(2));
    EXPECT_EQ(box.parentWidget(), nullptr);
  });

  // One view or several, with or without a project.
  auto expectText = [](const std::vector<std::string>& names, const QString& project, const QString& text) {
    lookThenEscape(names, project, [&text](QMessageBox& box) { EXPECT_EQ(box.text(), text); });
  };
  expectText(
      {"left"}, QString(),
      "The imported clips contain the view \"left\". This view doesn't exist, do you want to create it?");
  expectText({"main"}, "Grade <b>v2</b>",
             "The imported clips contain the view \"main\". This view doesn't exist in the project "
             "\"Grade <b>v2</b>\", do you want to create it?");
  expectText({"a", "b", "c", "d%2"}, "Reel 1",
             "The imported clips contain the views \"a\", \"b\", \"c\" and \"d%2\". These views don't "
             "exist in the project \"Reel 1\", do you want to create them?");
}

TEST(CreateViewsDialog, EveryAnswer) {
  EXPECT_EQ(answer({"left", "right"}, "p", click(0)), Velloro::eAddMissingViews);
  EXPECT_EQ(answer({"left", "right"}, "p", click(1)), Velloro::eReplaceProjectViews);
  EXPECT_EQ(answer({"left", "right"}, "p", click(2)), Velloro::eCreateNoViews);
  EXPECT_EQ(answer({"left", "right"}, "p", press(Qt::Key_Escape)), Velloro::eCreateNoViews);
  EXPECT_EQ(answer({"left", "right"}, "p", [](QMessageBox& box) { box.close(); }), Velloro::eCreateNoViews);
}

TEST(CreateViewsDialog, ParentIsTheWindowBeneathProgressAndActivityWindows) {
  QWidget main;
  showActive(main, "main");
  EXPECT_EQ(parentOfBox(), &main);

  for (const char* name : {"Progress.1", Velloro::kHostActivityWindowObjectName}) {
    QDialog busy(&main);
    showActive(busy, name);
    EXPECT_EQ(parentOfBox(), &main) << name;
  }

  QDialog other(&main);
  showActive(other, "Progress.2");
  EXPECT_EQ(parentOfBox(), &other);
}
