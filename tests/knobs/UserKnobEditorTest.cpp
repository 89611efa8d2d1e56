#include <velloro/knobs/UserKnobEditor.h>

#include <TesselUI/DragButton.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QSignalSpy>

#include <memory>
#include <stdexcept>

using Tessel::UI::DragButton;
using Velloro::KnobTypeInfo;
using Velloro::UserKnobEditor;

namespace {

const QString kPlaceholder = UserKnobEditor::kPlaceholderMimeType;

QList<DragButton*> shownButtons(const QWidget& toolbar) {
  QList<DragButton*> shown;
  for (DragButton* button : toolbar.findChildren<DragButton*>()) {
    if (!button->isHidden()) {
      shown.append(button);
    }
  }
  return shown;
}

DragButton* buttonLabelled(const QWidget& toolbar, const QString& label) {
  for (DragButton* button : toolbar.findChildren<DragButton*>()) {
    if (button->text() == label) {
      return button;
    }
  }
  return nullptr;
}

QImage iconImage(const QIcon& icon) {
  return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

std::unique_ptr<QMimeData> withData(const QString& format, const QByteArray& bytes) {
  auto data = std::make_unique<QMimeData>();
  data->setData(format, bytes);
  return data;
}

class UserKnobEditorTest : public ::testing::Test {
protected:
  UserKnobEditorTest() { host.show(); }

  QWidget host;
  UserKnobEditor editor{&host};
  QWidget* toolbar = editor.createToolbar(&host);
};

} // namespace

TEST_F(UserKnobEditorTest, KnobButtonsShowOnlyWhileEditing) {
  const QList<DragButton*> editOnly = shownButtons(*toolbar);
  ASSERT_EQ(editOnly.size(), 1);
  DragButton* edit = editOnly.first();
  EXPECT_EQ(edit->text(), "Edit");
  EXPECT_EQ(edit->shortcut(), QKeySequence("Ctrl+Alt+E"));
  EXPECT_EQ(edit->toolTip(),
            "Click to enable user knob editing (Ctrl+Alt+E) and drag the icon to float the panel.");

  QSignalSpy modes(&editor, &UserKnobEditor::editModeChanged);
  edit->click();
  EXPECT_TRUE(editor.isEditingEnabled());
  EXPECT_EQ(shownButtons(*toolbar).size(), 24);
  EXPECT_EQ(buttonLabelled(*toolbar, "Python Custom"), nullptr);
  EXPECT_TRUE(edit->isChecked());
  EXPECT_TRUE(edit->toolTip().startsWith("Click to disable"));

  editor.setEditingEnabled(true);
  editor.setEditingEnabled(false);
  EXPECT_EQ(modes.size(), 2);
  EXPECT_EQ(shownButtons(*toolbar).size(), 1);
  EXPECT_FALSE(edit->isChecked());
}

TEST_F(UserKnobEditorTest, KnobDragCarriesItsIndex) {
  QSignalSpy dragged(&editor, &UserKnobEditor::knobPlaceholderDrag);
  emit buttonLabelled(*toolbar, "Size Knob")->dragged();
  ASSERT_EQ(dragged.size(), 1);
  auto* drag = editor.findChild<QDrag*>();
  ASSERT_NE(drag, nullptr);
  const QMimeData& data = *drag->mimeData();
  EXPECT_EQ(data.formats(), QStringList{kPlaceholder});
  EXPECT_EQ(data.data(kPlaceholder), QByteArray("\0\0\0\5", 4));
  EXPECT_EQ(editor.knobTemplateType(data).label, "Size Knob");

  EXPECT_TRUE(editor.dragContainsKnobs(withData(UserKnobEditor::kLinkMimeType, "x").get()));
  EXPECT_FALSE(editor.dragContainsKnobs(withData("text/plain", "x").get()));
  EXPECT_FALSE(editor.dragContainsKnobs(nullptr));

  // Anything but a whole index of an entry names no knob type.
  for (const QByteArray& bytes : {QByteArray(), QByteArray("\0\0\5", 3), QByteArray("\0\0\0\33", 4),
                                  QByteArray("\xff\xff\xff\xff", 4)}) {
    EXPECT_THROW(editor.knobTemplateType(*withData(kPlaceholder, bytes)), std::out_of_range)
        << bytes.toHex().toStdString();
  }
}

TEST_F(UserKnobEditorTest, IconsFallBackAndFollowThePalette) {
  const std::vector<KnobTypeInfo> types{{"Size Knob", "size", 16, 0}, {"Mystery", "no_such_type", 99, 0}};
  UserKnobEditor custom(types, "application/x-test-placeholder", "application/x-test-link");
  QWidget panel;
  QWidget* bar = custom.createToolbar(&panel);
  const QImage fallback = iconImage(QIcon("icons:ControlPanelBin/knob_default.png"));
  ASSERT_FALSE(fallback.isNull());
  EXPECT_EQ(iconImage(buttonLabelled(*bar, "Mystery")->icon()), fallback);
  EXPECT_NE(iconImage(buttonLabelled(*bar, "Size Knob")->icon()), fallback);
  EXPECT_EQ(iconImage(buttonLabelled(*toolbar, "Obsolete Knob")->icon()), fallback);

  const QPalette original = QApplication::palette();
  QPalette tinted = original;
  tinted.setColor(QPalette::Text, QColor(0, 200, 0));
  QApplication::setPalette(tinted);
  // Widgets hear of a new application palette through posted events.
  QCoreApplication::processEvents();
  const QImage size = iconImage(buttonLabelled(*bar, "Size Knob")->icon());
  QApplication::setPalette(original);
  int opaque = 0;
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) {
      const QColor pixel = size.pixelColor(x, y);
      if (pixel.alpha() == 255) {
        ++opaque;
        EXPECT_EQ(pixel.rgb(), QColor(0, 200, 0).rgb());
      }
    }
  }
  EXPECT_GT(opaque, 0);
}

TEST_F(UserKnobEditorTest, FloatingAndClosing) {
  QSignalSpy embedded(&editor, &UserKnobEditor::embededPanelVisible);
  editor.setFloating(true);
  editor.setFloating(true);
  EXPECT_TRUE(editor.isVisible());
  EXPECT_FALSE(toolbar->isVisible());
  EXPECT_EQ(embedded.size(), 1);
  EXPECT_FALSE(embedded.takeFirst().at(0).toBool());

  editor.setEditingEnabled(true);
  editor.close();
  EXPECT_FALSE(editor.isFloating());
  EXPECT_FALSE(editor.isVisible());
  EXPECT_TRUE(toolbar->isVisible());
  EXPECT_FALSE(editor.isEditingEnabled());
  EXPECT_TRUE(embedded.takeFirst().at(0).toBool());

  editor.floatUserKnobEditor();
  EXPECT_TRUE(editor.isFloating());
  EXPECT_FALSE(toolbar->isVisible());
  EXPECT_EQ(editor.geometry().center(), host.geometry().center());
  editor.floatUserKnobEditor();
  EXPECT_FALSE(editor.isVisible());
  EXPECT_TRUE(toolbar->isVisible());
}

TEST(UserKnobEditor, OneToolWindowForTheApplication) {
  UserKnobEditor& editor = UserKnobEditor::Get();
  EXPECT_EQ(&editor, &UserKnobEditor::Get());
  EXPECT_EQ(editor.parentWidget(), nullptr);
  EXPECT_TRUE(editor.windowFlags().testFlag(Qt::Tool));
  EXPECT_EQ(editor.knobTypes().size(), 27u);
}
