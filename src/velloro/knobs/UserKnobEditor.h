#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/knobs/KnobTypeInfo.h>

#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <vector>

class QMimeData;

namespace Tessel::UI {
class DragButton;
class DraggableToolbar;
} // namespace Tessel::UI

namespace Velloro {

// The tool bar from which the user drags new knobs onto a node's control panel. Its "Edit"
// button switches user-knob editing on and off; while editing is on there is one button per
// knob type, and dragging one carries a placeholder for a knob of that type (the control panel
// decides what to make of it). Dragging the Edit button floats the tool bar as a tool window;
// closing that window embeds it again and ends editing.
//
// The editor is itself that tool window; createToolbar() also makes tool bars for the host's
// panels, which show while the editor does not float.
//
// Threads: the GUI thread only, like every widget.
class VELLORO_EXPORT UserKnobEditor : public QWidget {
  Q_OBJECT

public:
  static constexpr char kPlaceholderMimeType[] = "application/x-dndknobplaceholder";
  static constexpr char kLinkMimeType[] = "application/x-dndknoblink";
  static constexpr char kEditShortcut[] = "Ctrl+Alt+E";
  // The knob type that is never offered as a button.
  static constexpr std::int32_t kPythonCustomKnobType = 52;

  // The MIME type names are not copied: they must outlive the editor.
  UserKnobEditor(const std::vector<KnobTypeInfo>& types, const char* placeholderMime, const char* linkMime,
                 QWidget* parent = nullptr);
  // The standard knob types and MIME types.
  explicit UserKnobEditor(QWidget* parent = nullptr);

  // The editor of the application, made on first use without a parent. A widget cannot outlive
  // the application object, which ends before the library does, so it is never destroyed.
  static UserKnobEditor& Get();

  // A tool bar of the editor's buttons on the parent. Made for the editor itself it is the
  // floating window's bar; made for any other parent it is an embedded bar that hides while
  // the editor floats and floats the editor when its Edit button is dragged.
  QWidget* createToolbar(QWidget* parent);

  bool isEditingEnabled() const { return m_editing; }
  void setEditingEnabled(bool enabled);
  bool isFloating() const { return m_floating; }
  void setFloating(bool floating);
  // Floats the editor when embedded, embeds it when floating; a floated editor is centred on its
  // parent widget.
  void floatUserKnobEditor();

  const std::vector<KnobTypeInfo>& knobTypes() const { return m_knobTypes; }

  // Whether the data carries a knob placeholder or a knob link.
  bool dragContainsKnobs(const QMimeData* data) const;
  // A new payload (owned by the caller) naming the entry at index of knobTypes(), written as a
  // 32-bit integer.
  QMimeData* knobTemplateData(std::size_t index) const;
  // The entry a placeholder payload names. Throws std::out_of_range when the data holds no whole
  // index in the placeholder format, or an index outside knobTypes().
  const KnobTypeInfo& knobTemplateType(const QMimeData& data) const;

signals:
  void editModeChanged(bool enabled);
  void embededPanelVisible(bool visible);
  void knobPlaceholderDrag();
  void buttonColorChanged();

protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  Tessel::UI::DragButton* makeKnobButton(std::size_t index);
  void dragKnob(Tessel::UI::DragButton* button, std::size_t index);
  void floatFromToolbar(Tessel::UI::DraggableToolbar* toolbar, Tessel::UI::DragButton* editButton);
  void showFloating(bool floating);

  bool m_editing = false;
  bool m_floating = false;
  std::vector<KnobTypeInfo> m_knobTypes;
  const char* m_placeholderMime;
  const char* m_linkMime;
  QWidget* m_toolbar = nullptr;
};

} // namespace Velloro
