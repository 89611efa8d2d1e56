#pragma once

#include <velloro/VelloroExport.h>

#include <QModelIndex>
#include <QString>

class QAbstractItemModel;

namespace Velloro {

class ViewerModelItem;

// A list of viewers as a viewer chooser shows it: an item model whose row 0 stands for no viewer
// and row 1 for whichever viewer is active. ViewersModel is the one the library provides.
//
// Threads: the GUI thread only.
class VELLORO_EXPORT ViewerModelInterface {
public:
  virtual ~ViewerModelInterface();

  virtual QAbstractItemModel* getModel() = 0;
  virtual ViewerModelItem* viewerForIndex(const QModelIndex& index) const = 0;
  virtual ViewerModelItem* viewerForIndex(int row) const = 0;
  virtual QModelIndex indexForViewer(ViewerModelItem* viewer) = 0;
  virtual ViewerModelItem* activeViewer() const = 0;
  virtual QString activeViewerTitle() = 0;
  virtual bool indexIsActiveViewer(int row) const = 0;
};

} // namespace Velloro
