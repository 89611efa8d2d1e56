#include <velloro/knobs/UserKnobEditor.h>

#include <TesselUI/DragButton.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QSet>
#include <QSignalSpy>

#include <algorithm>
#include <memory>
#include <stdexcept>

using Tessel::UI::DragButton;
using Velloro::KnobTypeInfo;
using Velloro::UserKnobEditor;

namespace {

const QString kPlaceholder = UserKnobEditor::kPlaceholderMimeType;

long shownButtons(const QWidget& toolbar) {
  const QList<DragButton*> all = toolbar.findChildren<DragButton*>();
  return std::count_if(all.begin(), all.end(), [](DragButton* button) { return !button->isHidden(); });
}

DragButton* buttonLabelled(const QWidget& toolbar, const QString& label) {
  const QList<DragButton*> all = toolbar.findChildren<DragButton*>();
  const auto found =
      std::find_if(all.begin(), all.end(), [&](DragButton* button) { return button->text() == label; });
  return found == all.end() ? nullptr : *found;
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
  EXPECT_EQ(shownButtons(*toolbar), 1);
  DragButton* edit = buttonLabelled(*toolbar, "Edit");
  ASSERT_FALSE(edit->isHidden());
  EXPECT_EQ(edit->shortcut(), QKeySequence("Ctrl+Alt+E"));
  EXPECT_EQ(edit->toolTip(),
            "Click to enable user knob editing (Ctrl+Alt+E) and drag the icon to float the panel.");

  QSignalSpy modes(&editor, &UserKnobEditor::editModeChanged);
  edit->click();
  EXPECT_TRUE(editor.isEditingEnabled());
  EXPECT_EQ(shownButtons(*toolbar), 24);
  EXPECT_EQ(buttonLabelled(*toolbar, "Python Custom"), nullptr);
  EXPECT_TRUE(edit->isChecked());
  EXPECT_TRUE(edit->toolTip().startsWith("Click to disable"));

  editor.setEditingEnabled(true);
  editor.setEditingEnabled(false);
  EXPECT_EQ(modes.size(), 2);
  EXPECT_EQ(shownButtons(*toolbar), 1);
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
  QSet<QRgb> opaque;
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) {
      if (qAlpha(size.pixel(x, y)) == 255) {
        opaque.insert(size.pixel(x, y));
      }
    }
  }
  EXPECT_EQ(opaque, QSet<QRgb>{QColor(0, 200, 0).rgb()});
}

TEST_F(UserKnobEditorTest, FloatingAndClosing) {
  // Dragging Edit off an embedded bar floats the editor, one 20-pixel cell per button; the
  // floating bar's own Edit does not drag.
  emit buttonLabelled(*toolbar, "Edit")->dragged();
  EXPECT_TRUE(editor.isFloating());
  EXPECT_EQ(editor.width(), 24 * 20 + 8);
  EXPECT_FALSE(buttonLabelled(editor, "Edit")->dragEnabled());
  editor.setFloating(false);

  QSignalSpy embedded(&editor, &UserKnobEditor::embededPanelVisible);
  editor.setFloating(true);
  EXPECT_TRUE(editor.isVisible());
  EXPECT_FALSE(toolbar->isVisible());
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
}

TEST(UserKnobEditor, OneToolWindowForTheApplication) {
  UserKnobEditor& editor = UserKnobEditor::Get();
  EXPECT_EQ(editor.parentWidget(), nullptr);
  EXPECT_TRUE(editor.windowFlags().testFlag(Qt::Tool));
  EXPECT_EQ(editor.knobTypes().size(), 27u);
}
