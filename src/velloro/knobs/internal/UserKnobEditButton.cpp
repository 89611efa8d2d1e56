#include <velloro/knobs/internal/UserKnobEditButton.h>

#include <velloro/knobs/UserKnobEditor.h>

#include <QIcon>
#include <QKeySequence>

namespace Velloro {

UserKnobEditButton::UserKnobEditButton(UserKnobEditor& editor, QWidget* parent)
    : Tessel::UI::DragButton(parent) {
  setAutoRaise(true);
  setText(QStringLiteral("Edit"));
  setFocusPolicy(Qt::NoFocus);
  setCheckable(true);
  setShortcut(QKeySequence(QString::fromLatin1(UserKnobEditor::kEditShortcut)));
  setChecked(editor.isEditingEnabled());
  setIcons();
  setToolTipFor(editor.isEditingEnabled());
  connect(this, &QAbstractButton::clicked, &editor, &UserKnobEditor::setEditingEnabled);
  connect(&editor, &UserKnobEditor::editModeChanged, this, [this](bool editing) {
    setChecked(editing);
    setToolTipFor(editing);
  });
  connect(&editor, &UserKnobEditor::embededPanelVisible, this, &DragButton::finishedDrag);
  connect(&editor, &UserKnobEditor::buttonColorChanged, this, &UserKnobEditButton::setIcons);
}

void UserKnobEditButton::enterEvent(QEnterEvent*) {}

void UserKnobEditButton::setIcons() {
  // Each state shows what a click will do.
  QIcon icons;
  icons.addFile(QStringLiteral("icons:ControlPanelBin/edit_on.png"), QSize(), QIcon::Normal, QIcon::Off);
  icons.addFile(QStringLiteral("icons:/ControlPanelBin/edit_off.png"), QSize(), QIcon::Normal, QIcon::On);
  setIcon(icons);
}

void UserKnobEditButton::setToolTipFor(bool editing) {
  setToolTip(QStringLiteral("Click to ") + (editing ? QStringLiteral("disable") : QStringLiteral("enable")) +
             QStringLiteral(" user knob editing (") + QString::fromLatin1(UserKnobEditor::kEditShortcut) +
             QStringLiteral(") ") + QStringLiteral("and drag the icon to float the panel."));
}

} // namespace Velloro
