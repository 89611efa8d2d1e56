#include <velloro/viewerui/ViewerChooser.h>

#include <velloro/viewerui/ViewersModel.h>

#include <QSignalBlocker>

namespace Velloro {

namespace {

constexpr int kNoneRow = 0;
constexpr int kActiveViewerRow = 1;
constexpr int kMaxVisibleItems = 50;

} // namespace

ViewerChooser::ViewerChooser(QWidget* parent, ViewerModelInterface* model)
    : QComboBox(parent)
    , m_model(model ? model : &ViewersModel::Instance()) {
  QAbstractItemModel* itemModel = m_model->getModel();
  setModel(itemModel);
  setMaxVisibleItems(kMaxVisibleItems);
  setCurrentIndex(kActiveViewerRow);
  setSizeAdjustPolicy(QComboBox::AdjustToContents);

  connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, &ViewerChooser::viewerIndexChanged);
  // Any model that offers these signals will do, so they are connected by name.
  connect(itemModel, SIGNAL(activeViewerChanged(Velloro::ViewerModelItem*)), this,
          SLOT(activeViewerChanged(Velloro::ViewerModelItem*)));
  connect(itemModel, SIGNAL(viewerRemoved(Velloro::ViewerModelItem*)), this,
          SLOT(viewerRemoved(Velloro::ViewerModelItem*)));
  connect(itemModel, SIGNAL(viewerAboutToBeRemoved(Velloro::ViewerModelItem*)), this,
          SLOT(viewerAboutToBeRemoved(Velloro::ViewerModelItem*)));

  m_viewer = ViewersModel::Instance().activeViewer();
  emit viewerChanged(m_viewer);
}

bool ViewerChooser::isUsingActiveViewer() const {
  return currentIndex() == kActiveViewerRow;
}

void ViewerChooser::setCurrentViewer(ViewerModelItem* viewer) {
  if (!viewer) {
    setCurrentIndex(kNoneRow);
    return;
  }
  const QModelIndex index = m_model->indexForViewer(viewer);
  if (index.isValid()) {
    setCurrentIndex(index.row());
  }
}

void ViewerChooser::viewerIndexChanged(int index) {
  ViewerModelItem* viewer = m_model->viewerForIndex(index);
  if (!viewer && currentIndex() == kActiveViewerRow) {
    viewer = m_model->activeViewer();
  }
  if (viewer != m_viewer) {
    emit viewerDisabled(m_viewer);
  }
  m_viewer = viewer;
  emit viewerChanged(viewer);
}

void ViewerChooser::activeViewerChanged(ViewerModelItem* viewer) {
  if (viewer == m_viewer || currentIndex() != kActiveViewerRow) {
    return;
  }
  emit viewerDisabled(m_viewer);
  m_viewer = viewer;
  emit viewerChanged(viewer);
  setItemText(kActiveViewerRow, m_model->activeViewerTitle());
  update();
}

void ViewerChooser::viewerAboutToBeRemoved(ViewerModelItem* viewer) {
  // Once the row is gone the combo box would pick a neighbouring viewer on its own, and the
  // removal could no longer be told apart from a choice of the user: leave the row first.
  if (viewer == m_viewer && currentIndex() != kNoneRow && currentIndex() != kActiveViewerRow) {
    selectNoneSilently();
  }
}

void ViewerChooser::viewerRemoved(ViewerModelItem* viewer) {
  if (viewer != m_viewer || currentIndex() == kActiveViewerRow || !viewer) {
    return;
  }
  selectNoneSilently();
  m_viewer = nullptr;
  emit viewerChanged(nullptr);
}

void ViewerChooser::selectNoneSilently() {
  const QSignalBlocker blocker(this);
  setCurrentIndex(kNoneRow);
}

} // namespace Velloro
