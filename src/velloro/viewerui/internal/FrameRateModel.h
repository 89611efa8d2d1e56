#pragma once

#include <QStandardItemModel>

namespace Velloro {

// The entries of a frame-rate chooser. Looking up a rate (Qt::UserRole) finds the first entry
// from the start row on whose rate equals it within the rate's tolerance, so that 23.976 finds
// 24000/1001. Other roles match as usual. GUI thread only.
class FrameRateModel : public QStandardItemModel {
  Q_OBJECT
public:
  explicit FrameRateModel(QObject* parent = nullptr);

  QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits = 1,
                        Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith |
                                                              Qt::MatchWrap)) const override;
};

} // namespace Velloro
