#include <velloro/views/StereoControls.h>

#include <velloro/views/ViewDataModel.h>

#include <QHBoxLayout>

#include <algorithm>

namespace Velloro {

StereoControls::StereoControls(const std::weak_ptr<ViewDataModel>& model, QWidget* parent)
    : Tessel::UI::CollapsibleToolbarItem(parent) {
  setObjectName(QStringLiteral("StereoControls"));
  itemLayout()->setSpacing(6);
  for (int which = 0; which < kPickers; ++which) {
    auto* button = new ViewButton(model, true, true, true, this);
    addWidget(button, Qt::AlignCenter);
    button->update(which);
    connect(button, &ViewButton::viewToggled, this, &StereoControls::viewToggled);
    m_buttons[which] = button;
  }
  m_buttons[ePrimary]->setMenuTitle(tr("Primary"));
  m_buttons[ePrimary]->setToolTip(tr("The primary view"));
  m_buttons[eSecondary]->setMenuTitle(tr("Secondary"));
  m_buttons[eSecondary]->setToolTip(tr("The secondary view"));
  setModel(model);
}

StereoControls::~StereoControls() = default;

void StereoControls::setModel(const std::weak_ptr<ViewDataModel>& model) {
  if (const auto previous = m_model.lock()) {
    disconnect(previous.get(), nullptr, this, nullptr);
  }
  m_model = model;
  if (const auto current = m_model.lock()) {
    ViewDataModel* source = current.get();
    connect(source, &ViewDataModel::displayModeChanged, this, &StereoControls::setButtonDisplayMode);
    connect(source, &ViewDataModel::showColoursChanged, this, &StereoControls::setShowColours);
    connect(source, &ViewDataModel::heroViewChanged, this, &StereoControls::heroViewChanged);
    connect(source, &ViewDataModel::rowsInserted, this, &StereoControls::modelChanged);
    connect(source, &ViewDataModel::rowsRemoved, this, &StereoControls::modelChanged);
    connect(source, &ViewDataModel::dataChanged, this, &StereoControls::modelDataChanged);
    connect(source, &ViewDataModel::modelAboutToBeReset, this, &StereoControls::modelAboutToBeReset);
    connect(source, &ViewDataModel::modelReset, this, &StereoControls::modelReset);
  }
  for (ViewButton* button : m_buttons) {
    button->setViewDataModel(m_model);
    button->update(0);
  }
}

ViewButton* StereoControls::viewButton(StereoViews which) const {
  return isPicker(which) ? m_buttons[which] : nullptr;
}

int StereoControls::selectedView(StereoViews which) const {
  return isPicker(which) ? m_buttons[which]->selectedView() : -1;
}

void StereoControls::setView(StereoViews which, int row) {
  if (!isPicker(which)) {
    return;
  }
  m_buttons[which]->setViewChecked(row);
  report(which);
}

void StereoControls::setViewInputVisible(unsigned which, bool visible) {
  if (which < unsigned(kPickers)) {
    m_buttons[which]->setPermanantVisibility(visible);
  }
}

void StereoControls::viewlist_changed() {
  const auto model = m_model.lock();
  if (!model) {
    return;
  }
  int primary = m_buttons[ePrimary]->selectedView();
  int secondary = m_buttons[eSecondary]->selectedView();
  if (m_followNames) {
    const auto rowNamed = [&model](const std::string& name) {
      const View found = model->viewFromName(name);
      return found.isValid() ? model->viewIndex(found) : -1;
    };
    primary = rowNamed(m_reportedNames[ePrimary]);
    secondary = rowNamed(m_reportedNames[eSecondary]);
  }
  // The primary stays on the hero; the view it showed moves to the secondary. Without a hero
  // there is nothing to keep it on, and the user's choice stands.
  const int hero = model->heroViewIndex();
  if (hero >= 0 && primary != hero) {
    secondary = primary;
    primary = hero;
  }
  if (primary == -1) {
    primary = secondary == 0 ? 1 : 0;
  }
  if (secondary == -1) {
    secondary = primary == 0 ? 1 : 0;
  }
  const int last = model->viewCount() - 1;
  const int rows[kPickers] = {std::min(primary, last), std::min(secondary, last)};
  for (int which = 0; which < kPickers; ++which) {
    m_buttons[which]->update(rows[which]);
    m_buttons[which]->setViewChecked(rows[which]);
    report(which);
  }
}

void StereoControls::refreshFollowingNames() {
  m_followNames = true;
  viewlist_changed();
  m_followNames = false;
}

void StereoControls::report(int which) {
  const int row = m_buttons[which]->selectedView();
  const auto model = m_model.lock();
  if (row == -1 || !model) {
    return;
  }
  const std::string name = model->view(row).name();
  if (row == m_reportedRows[which] && name == m_reportedNames[which]) {
    return;
  }
  m_reportedRows[which] = row;
  m_reportedNames[which] = name;
  emit viewChanged(which, row);
}

void StereoControls::setButtonDisplayMode(ViewButton::Mode) {
  viewlist_changed();
}

void StereoControls::setShowColours(bool) {
  viewlist_changed();
}

void StereoControls::heroViewChanged() {
  refreshFollowingNames();
}

void StereoControls::modelChanged(const QModelIndex&, int, int) {
  viewlist_changed();
}

void StereoControls::modelDataChanged(const QModelIndex&, const QModelIndex&) {
  refreshFollowingNames();
}

void StereoControls::modelAboutToBeReset() {
  m_followNames = true;
}

void StereoControls::modelReset() {
  refreshFollowingNames();
}

void StereoControls::viewToggled(int) {
  report(sender() == m_buttons[ePrimary] ? ePrimary : eSecondary);
}

} // namespace Velloro
