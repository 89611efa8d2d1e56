#pragma once

#include <QList>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>
#include <vector>

class QGroupBox;

namespace Velloro {
class ViewDataModel;
}

// One window with every widget of the widget library and the library's small widgets, in
// labelled groups.
class Gallery : public QWidget {
  Q_OBJECT
public:
  explicit Gallery(QWidget* parent = nullptr);

  // Writes the whole window and each group as PNG files into the folder, and a Chrome trace
  // of the rendering beside them. False when a file cannot be written.
  bool saveScreenshots(const QString& folder);

private:
  QGroupBox* addGroup(const QString& title, const QString& fileName, QWidget* contents);
  QWidget* makeTimeLine();
  QWidget* makeTransport();
  QWidget* makePlaybackControls();
  QWidget* makeToolbars();
  QWidget* makeSpinBoxes();
  QWidget* makeSmallWidgets();
  QWidget* makePreview();
  QWidget* makeViewPickers();
  QWidget* makeKnobEditor();
  QWidget* makePixelAnalyser();
  QWidget* makeCursorFrame();

  struct Group {
    QGroupBox* box;
    QString fileName;
  };
  QList<Group> m_groups;
  // The projects whose views the pickers show; pickers hold them weakly.
  std::vector<std::shared_ptr<Velloro::ViewDataModel>> m_viewModels;
  // Sample pictures the preview reads, written when the gallery opens.
  QTemporaryDir m_samples;
};
