#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/views/ViewButton.h>
#include <velloro/views/ViewList_Listener.h>

#include <TesselUI/CollapsibleToolbarItem.h>

#include <array>
#include <memory>
#include <string>

class QModelIndex;

namespace Velloro {

class ViewDataModel;

// The viewer's pair of view pickers: the primary view, kept on the project's hero view, and the
// secondary view. Follows every change of the model (views added, removed, renamed, recoloured,
// reset, a new hero, the display settings) and reports each picker's view through viewChanged()
// whenever the row shown or the name of the view on it changes.
//
// Across a reset, a rename or a new hero it follows the views by name, so that the pickers stay
// on the views the user chose wherever those views now are.
//
// Threads: the GUI thread only.
class VELLORO_EXPORT StereoControls : public Tessel::UI::CollapsibleToolbarItem, public ViewList_Listener {
  Q_OBJECT

public:
  enum StereoViews { ePrimary = 0, eSecondary = 1 };
  Q_ENUM(StereoViews)

  explicit StereoControls(const std::weak_ptr<ViewDataModel>& model, QWidget* parent = nullptr);
  ~StereoControls() override;

  std::weak_ptr<ViewDataModel> model() const { return m_model; }
  void setModel(const std::weak_ptr<ViewDataModel>& model);

  // The row chosen on that picker; -1 when none is, or for a picker that does not exist.
  int selectedView(StereoViews which) const;
  void setView(StereoViews which, int row);
  void setViewInputVisible(unsigned which, bool visible);
  // The picker itself, for hosts that place it or read its state; null for any other value.
  ViewButton* viewButton(StereoViews which) const;

  void viewlist_changed() override;

signals:
  void viewChanged(int stereoView, int view);

public slots:
  void setButtonDisplayMode(Velloro::ViewButton::Mode mode);
  void setShowColours(bool enabled);
  void heroViewChanged();
  void modelChanged(const QModelIndex& parent, int start, int end);
  void modelDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
  void modelAboutToBeReset();
  void modelReset();

private slots:
  void viewToggled(int view);

private:
  static constexpr int kPickers = 2;

  static bool isPicker(int which) { return which == ePrimary || which == eSecondary; }
  // Refreshes both pickers following the views by name, then stops following them.
  void refreshFollowingNames();
  // Emits viewChanged() when the picker's row, or the name of the view there, changed since
  // last reported.
  void report(int which);

  std::weak_ptr<ViewDataModel> m_model;
  std::array<ViewButton*, kPickers> m_buttons{};
  std::array<int, kPickers> m_reportedRows{-1, -1};
  std::array<std::string, kPickers> m_reportedNames;
  bool m_followNames = false;
};

} // namespace Velloro
