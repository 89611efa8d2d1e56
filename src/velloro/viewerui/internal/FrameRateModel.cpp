#include <velloro/viewerui/internal/FrameRateModel.h>

#include <TesselBase/TimeBase.h>

#include <algorithm>

namespace Velloro {

using Tessel::Base::TimeBase;

FrameRateModel::FrameRateModel(QObject* parent)
    : QStandardItemModel(parent) {}

QModelIndexList FrameRateModel::match(const QModelIndex& start, int role, const QVariant& value, int hits,
                                      Qt::MatchFlags flags) const {
  if (role != Qt::UserRole) {
    return QStandardItemModel::match(start, role, value, hits, flags);
  }
  const TimeBase wanted = value.value<TimeBase>();
  for (int row = std::max(start.row(), 0); row < rowCount(start.parent()); ++row) {
    const QModelIndex candidate = index(row, start.column(), start.parent());
    const QVariant rate = candidate.data(Qt::UserRole);
    // The separator holds no rate; without this check an invalid rate would select it.
    if (rate.metaType() == QMetaType::fromType<TimeBase>() && rate.value<TimeBase>() == wanted) {
      return {candidate};
    }
  }
  return {};
}

} // namespace Velloro
