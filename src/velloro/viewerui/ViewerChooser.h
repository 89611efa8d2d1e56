#pragma once

#include <velloro/VelloroExport.h>

#include <QComboBox>

namespace Velloro {

class ViewerModelInterface;
class ViewerModelItem;

// A combo box over a list of viewers (ViewersModel's by default). It starts on the
// active-viewer row and then follows whichever viewer is active; on a viewer's own row it keeps
// that viewer until the viewer is removed, and then falls back to "None".
//
// Threads: the GUI thread only.
class VELLORO_EXPORT ViewerChooser : public QComboBox {
  Q_OBJECT

public:
  // A null model means ViewersModel::Instance(). The model is not owned.
  explicit ViewerChooser(QWidget* parent = nullptr, ViewerModelInterface* model = nullptr);

  ViewerModelItem* viewer() const { return m_viewer; }
  bool isUsingActiveViewer() const;
  // Null chooses "None"; a viewer that is not listed changes nothing.
  void setCurrentViewer(ViewerModelItem* viewer);

signals:
  void viewerChanged(Velloro::ViewerModelItem* viewer);
  // The viewer chosen so far, just before another takes its place.
  void viewerDisabled(Velloro::ViewerModelItem* viewer);

public slots:
  void activeViewerChanged(Velloro::ViewerModelItem* viewer);
  void viewerRemoved(Velloro::ViewerModelItem* viewer);
  void viewerIndexChanged(int index);

private slots:
  void viewerAboutToBeRemoved(Velloro::ViewerModelItem* viewer);

private:
  void selectNoneSilently();

  ViewerModelInterface* m_model;
  ViewerModelItem* m_viewer = nullptr;
};

} // namespace Velloro
