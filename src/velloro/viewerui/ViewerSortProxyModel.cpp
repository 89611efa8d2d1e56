#include <velloro/viewerui/ViewerSortProxyModel.h>

#include <velloro/viewerui/ViewersModel.h>

namespace Velloro {

namespace {

// Rows before this one ("None", the active viewer) keep their place in front.
constexpr int kFirstSortedRow = 2;

} // namespace

ViewerSortProxyModel::ViewerSortProxyModel(QObject* parent)
    : QSortFilterProxyModel(parent) {
  setSourceModel(&ViewersModel::Instance());
  sort(0, Qt::AscendingOrder);
  setDynamicSortFilter(true);
}

void ViewerSortProxyModel::setRowHidden(int sourceRow, bool hidden) {
  if (hidden) {
    if (m_hiddenRows.insert(sourceRow).second) {
      invalidateFilter();
    }
  } else if (m_hiddenRows.erase(sourceRow) > 0) {
    invalidateFilter();
  }
}

bool ViewerSortProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
  if (m_hiddenRows.count(sourceRow) > 0) {
    return false;
  }
  return QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent);
}

bool ViewerSortProxyModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  if (left.row() >= kFirstSortedRow && right.row() >= kFirstSortedRow) {
    return QSortFilterProxyModel::lessThan(left, right);
  }
  return left.row() < right.row();
}

} // namespace Velloro
