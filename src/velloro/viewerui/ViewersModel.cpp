#include <velloro/viewerui/ViewersModel.h>

#include <velloro/viewerui/ViewerModelItem.h>

namespace Velloro {

namespace {

constexpr int kActiveViewerRow = 1;
constexpr int kLongestUncutTitle = 10;
constexpr int kTitleEndLength = 4;

} // namespace

ViewersModel::ViewersModel(QObject* parent)
    : QAbstractListModel(parent) {}

ViewersModel& ViewersModel::Instance() {
  static ViewersModel* sInstance = new ViewersModel(nullptr);
  return *sInstance;
}

void ViewersModel::addViewer(ViewerModelItem* viewer) {
  if (m_viewers.contains(viewer)) {
    return;
  }
  emit viewerAboutToBeAdded(viewer);
  const int row = int(m_viewers.size()) + kFirstViewerRow;
  beginInsertRows(QModelIndex(), row, row);
  m_viewers.append(viewer);
  endInsertRows();
  if (QObject* object = viewer->qObject()) {
    connect(object, SIGNAL(titleChanged()), this, SLOT(titleChanged()));
  }
  emit viewerAdded(viewer);
}

void ViewersModel::removeViewer(ViewerModelItem* viewer) {
  if (viewer == m_activeViewer) {
    setActiveViewer(nullptr);
  }
  const int position = int(m_viewers.indexOf(viewer));
  if (position < 0) {
    return;
  }
  emit viewerAboutToBeRemoved(viewer);
  const int row = position + kFirstViewerRow;
  beginRemoveRows(QModelIndex(), row, row);
  m_viewers.removeAt(position);
  endRemoveRows();
  // The same object that was connected on adding, whether or not the viewer is that object.
  if (QObject* object = viewer->qObject()) {
    disconnect(object, SIGNAL(titleChanged()), this, SLOT(titleChanged()));
  }
  emit viewerRemoved(viewer);
}

void ViewersModel::setActiveViewer(ViewerModelItem* viewer) {
  if (viewer == m_activeViewer) {
    return;
  }
  m_activeViewer = viewer;
  const QModelIndex activeRow = index(kActiveViewerRow, 0);
  emit dataChanged(activeRow, activeRow, {});
  emit activeViewerChanged(viewer);
}

void ViewersModel::shutdown() {
  setActiveViewer(nullptr);
  const QList<ViewerModelItem*> viewers = m_viewers;
  for (ViewerModelItem* viewer : viewers) {
    removeViewer(viewer);
  }
  disconnect();
  QObject::disconnect(nullptr, nullptr, this, nullptr);
}

QString ViewersModel::activeViewerTitle() {
  return ActiveViewerTitleForViewer(activeViewer());
}

QString ViewersModel::ActiveViewerTitleForViewer(ViewerModelItem* viewer) {
  if (!viewer) {
    return QStringLiteral("Active Viewer");
  }
  QString title = viewer->title();
  if (title.size() > kLongestUncutTitle) {
    title = title.left(kTitleEndLength) + QStringLiteral("..") + title.right(kTitleEndLength);
  }
  return QStringLiteral("Active Viewer (") + title + QLatin1Char(')');
}

ViewerModelItem* ViewersModel::viewerForIndex(const QModelIndex& index) const {
  if (index.isValid() && index.row() == kActiveViewerRow) {
    return m_activeViewer;
  }
  return static_cast<ViewerModelItem*>(index.internalPointer());
}

ViewerModelItem* ViewersModel::viewerForIndex(int row) const {
  return viewerForIndex(index(row, 0));
}

QModelIndex ViewersModel::indexForViewer(ViewerModelItem* viewer) {
  if (!viewer) {
    return index(0, 0);
  }
  const int position = int(m_viewers.indexOf(viewer));
  return position < 0 ? QModelIndex() : index(position + kFirstViewerRow, 0);
}

bool ViewersModel::indexIsActiveViewer(int row) const {
  const QModelIndex rowIndex = index(row, 0);
  return rowIndex.isValid() && rowIndex.row() == kActiveViewerRow;
}

QModelIndex ViewersModel::index(int row, int column, const QModelIndex& parent) const {
  if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) {
    return QModelIndex();
  }
  ViewerModelItem* viewer = row < kFirstViewerRow ? nullptr : m_viewers.at(row - kFirstViewerRow);
  return createIndex(row, column, viewer);
}

int ViewersModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(m_viewers.size()) + kFirstViewerRow;
}

int ViewersModel::columnCount(const QModelIndex&) const {
  return 1;
}

Qt::ItemFlags ViewersModel::flags(const QModelIndex& index) const {
  // The root is no item: item views and model checkers expect no flags for it.
  return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

QVariant ViewersModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) {
    return QVariant();
  }
  if (index.row() == 0) {
    return QStringLiteral("None");
  }
  if (index.row() == kActiveViewerRow) {
    return ActiveViewerTitleForViewer(m_activeViewer);
  }
  return viewerForIndex(index)->title();
}

void ViewersModel::titleChanged() {
  QObject* object = sender();
  // The sender is the viewer's object, which need not be the viewer itself.
  for (ViewerModelItem* viewer : std::as_const(m_viewers)) {
    if (viewer->qObject() != object) {
      continue;
    }
    const QModelIndex row = indexForViewer(viewer);
    emit dataChanged(row, row);
    if (viewer == m_activeViewer) {
      const QModelIndex activeRow = index(kActiveViewerRow, 0);
      emit dataChanged(activeRow, activeRow);
    }
    return;
  }
}

} // namespace Velloro
