#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/viewerui/ViewerModelInterface.h>

#include <QAbstractListModel>
#include <QList>

namespace Velloro {

class ViewerModelItem;

// The process-wide list of the host's open viewers, as a one-column list model: row 0 is
// "None", row 1 the active viewer ("Active Viewer (title)"), and row 2 + i the i-th viewer in
// order of registration. Viewers are not owned; the host removes each one before destroying it
// and calls shutdown() before destroying them all.
//
// Threads: the GUI thread only; only the creation of the instance is thread-safe.
class VELLORO_EXPORT ViewersModel : public QAbstractListModel, public ViewerModelInterface {
  Q_OBJECT

public:
  static ViewersModel& Instance();

  // Adds the viewer at the end; a viewer already listed is not added again.
  void addViewer(ViewerModelItem* viewer);
  // Removes the viewer, clearing the active viewer first when it is this one.
  void removeViewer(ViewerModelItem* viewer);
  // The active viewer need not be listed.
  void setActiveViewer(ViewerModelItem* viewer);
  // Clears the active viewer, removes every viewer and drops every connection of the model.
  void shutdown();

  const QList<ViewerModelItem*>& viewers() const { return m_viewers; }
  ViewerModelItem* activeViewer() const override { return m_activeViewer; }
  QString activeViewerTitle() override;
  // "Active Viewer", or "Active Viewer (title)" with titles above 10 characters cut to their
  // first and last four around "..".
  static QString ActiveViewerTitleForViewer(ViewerModelItem* viewer);

  QAbstractItemModel* getModel() override { return this; }
  // The active viewer for row 1; null for row 0 and invalid indexes.
  ViewerModelItem* viewerForIndex(const QModelIndex& index) const override;
  ViewerModelItem* viewerForIndex(int row) const override;
  // Row 0 for null; otherwise the viewer's own row (never row 1), or an invalid index.
  QModelIndex indexForViewer(ViewerModelItem* viewer) override;
  bool indexIsActiveViewer(int row) const override;

  QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

signals:
  void activeViewerChanged(Velloro::ViewerModelItem* viewer);
  void viewerAdded(Velloro::ViewerModelItem* viewer);
  void viewerRemoved(Velloro::ViewerModelItem* viewer);
  void viewerAboutToBeAdded(Velloro::ViewerModelItem* viewer);
  void viewerAboutToBeRemoved(Velloro::ViewerModelItem* viewer);

public slots:
  // Connected to the titleChanged() signal of each listed viewer's object.
  void titleChanged();

private:
  explicit ViewersModel(QObject* parent = nullptr);

  static constexpr int kFirstViewerRow = 2;

  QList<ViewerModelItem*> m_viewers;
  ViewerModelItem* m_activeViewer = nullptr;
};

} // namespace Velloro
