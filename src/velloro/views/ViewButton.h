#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/CollapsibleToolbarItem.h>

#include <QList>
#include <QPointer>
#include <QString>

#include <memory>
#include <set>

class QAction;
class QActionGroup;
class QButtonGroup;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace Tessel::UI {
class Button;
class CollapsibleToolbar;
class Menu;
} // namespace Tessel::UI

namespace Velloro {

class ViewDataModel;

// The tool-bar control that lets the user pick views of a project: a row of checkable push
// buttons, one per view, or a drop-down menu of the views, as the model's display mode says.
// The same views are always offered in a menu too, so that a collapsed tool bar can still list
// them.
//
// The model is held weakly: once the project's model is gone the control shows nothing. It
// rebuilds only when told to (update()); StereoControls does that on every change of the model.
//
// Threads: the GUI thread only.
class VELLORO_EXPORT ViewButton : public Tessel::UI::CollapsibleToolbarItem {
  Q_OBJECT

public:
  // How views are shown; the view model stores this choice so that every control of a project
  // agrees.
  enum Mode {
    ePushButtons = 0, // one checkable push button per view
    eDropDownMenu = 1 // one menu listing the views (any value other than 0 means a menu)
  };
  Q_ENUM(Mode)

  // The widest a view name is shown, in pixels; longer names are cut at their right end.
  static constexpr int kMaxNameWidth = 200;

  // exclusive: one view at a time. collapseSingleView: hide the choice when there is only one
  // view. titleShowsSelection: the menu's title reads "<title> (<chosen view>)".
  ViewButton(std::weak_ptr<ViewDataModel> model, bool exclusive, bool collapseSingleView,
             bool titleShowsSelection, QWidget* parent = nullptr);
  ~ViewButton() override;

  // Rebuilds for the model's current views and mode, with the given rows checked.
  void update(int row);
  void update(const std::set<int>& rows);

  // The chosen row, or -1 when none is.
  int selectedView() const;
  void setViewChecked(int row);

  // Whether the control may show at all; when it may, the choice still hides while collapsed.
  void setPermanantVisibility(bool visible);
  // True when there is nothing to choose: no model, no views, or a single view while single
  // views collapse.
  bool showOnlyOneView() const;

  // Takes a model to show; call update() to show it.
  void setViewDataModel(std::weak_ptr<ViewDataModel> model);
  void setMenuTitle(const QString& title);
  QString menuTitle() const { return m_menuTitle; }
  // Adds this control to the tool bar; when the bar collapses it, the bar's overflow menu offers
  // the views under the menu title. priority orders collapsing as for any tool-bar item.
  void addToOverflowMenu(Tessel::UI::CollapsibleToolbar* toolbar, int priority);

  // The menu that lists the views, and whether it (not the push buttons) holds the choice.
  Tessel::UI::Menu* overflowMenu() const { return m_overflowMenu; }
  bool isMenuMode() const { return m_menuMode; }

signals:
  void viewToggled(int view);

public slots:
  void toggled(bool checked);
  void overflowOptionSelected(QAction* action);
  void toolbarMenuChanged(QAction* action);

private:
  std::shared_ptr<ViewDataModel> lockedModel() const;
  void rebuildMenu(const std::set<int>& rows);
  void showPushButtons(const std::set<int>& rows);
  void showMenuTitleButton();
  void addButton();
  void refreshButton(QPushButton* button, int row, bool checked);
  void recolour(QPushButton* button);
  void setMenuTitleFromActionText();
  void showChoice();
  // The view name as shown: cut at its right end to kMaxNameWidth.
  QString shownName(const QString& name) const;
  QAction* actionForRow(int row) const;
  // Takes a button, title or action out at once but deletes it later: it may be the sender of
  // the signal being handled.
  void discard(QObject* object);

  QList<QPushButton*> m_buttons;
  QString m_menuTitle;
  QPointer<Tessel::UI::Button> m_titleWidget;
  std::weak_ptr<ViewDataModel> m_model;
  bool m_exclusive;
  bool m_collapseSingleView;
  bool m_permanentVisibility = true;
  QButtonGroup* m_buttonGroup;
  Tessel::UI::Menu* m_overflowMenu;
  QActionGroup* m_actionGroup;
  bool m_titleShowsSelection;
  bool m_menuMode = false;
  // Holds the buttons or the menu's title button, so that a collapsed choice hides in one go.
  QWidget* m_choice;
  QHBoxLayout* m_choiceLayout;
};

} // namespace Velloro
