#pragma once

#include <velloro/VelloroExport.h>

#include <QSortFilterProxyModel>

#include <set>

namespace Velloro {

// The viewers model sorted for a chooser: "None" and the active-viewer row stay first, the
// viewers follow in ascending title order, and chosen source rows can be hidden.
//
// Threads: the GUI thread only.
class VELLORO_EXPORT ViewerSortProxyModel : public QSortFilterProxyModel {
  Q_OBJECT

public:
  explicit ViewerSortProxyModel(QObject* parent = nullptr);

  void setRowHidden(int sourceRow, bool hidden);

protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
  std::set<int> m_hiddenRows;
};

} // namespace Velloro
