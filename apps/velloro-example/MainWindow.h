#pragma once

#include "DisplayPipeline.h"
#include "FrameSequence.h"
#include "Profiler.h"

#include <QCache>
#include <QMainWindow>

#include <memory>

class QComboBox;
class QDockWidget;

namespace Velloro {
class StereoControls;
class UserKnobEditor;
class ViewDataModel;
} // namespace Velloro

namespace Velloro::Example {

class ExampleViewer;
class FileBrowser;
class LocalisationPanel;
class PlaybackPanel;
class ViewerWidget;

// The example host: a viewer with its transport, the view pickers, the display transform and
// layer choosers, the user-knob tool bar, a dockable pixel analyser and a file browser with the
// preview, all on one sequence.
//
// Frames are read once and kept; the 8-bit display picture of each frame, view and layer is
// kept too, until the display transform changes, so that replaying costs only the drawing.
//
// Threads: the GUI thread only.
class MainWindow : public QMainWindow {
  Q_OBJECT
public:
  // Localised copies of the sequences go into the cache folder.
  explicit MainWindow(const QString& cacheFolder, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Both report a problem in the status bar (and the viewer) and keep whatever still works.
  bool loadColourConfig(const QString& path);
  bool openSequence(const QString& pattern);

  bool setDisplayTransform(const QString& name);
  bool setLayer(const QString& layer);
  // Shows a view of the sequence by name ("left", "right"); false when there is no such view.
  bool setView(const QString& view);
  QString currentView() const;
  QString currentLayer() const;

  ViewerWidget* viewer() const { return m_viewer; }
  PlaybackPanel* playback() const { return m_playback; }
  ExampleViewer& viewerItem() const { return *m_item; }
  QWidget* pixelAnalyser() const { return m_pixelAnalyser; }
  FileBrowser* fileBrowser() const { return m_browser; }
  // Null when the cache folder could not be opened.
  LocalisationPanel* localisation() const { return m_localisation; }
  QString displayTransform() const { return QString::fromStdString(m_pipeline.displayTransform()); }
  StereoControls* stereoControls() const { return m_stereo; }
  UserKnobEditor* knobEditor() const { return m_knobEditor; }
  // The last problem or notice shown in the status bar.
  const QString& statusText() const { return m_status; }
  std::shared_ptr<const Frame> currentFrame() const { return m_frame; }

  Profiler& profiler() { return m_profiler; }
  void setProfiling(bool recording);
  // The profiling events recorded so far, as a Chrome trace.
  bool exportTrace(const QString& path);

  // The whole window, then each panel, as PNG files in the folder.
  bool saveScreenshots(const QString& folder);

private:
  struct Picture {
    std::shared_ptr<const Frame> frame;
    QImage image;
  };

  void refresh();
  void report(const QString& message, bool problem = false);
  std::shared_ptr<const Frame> frameFor(const std::string& view, int frame);

  Profiler m_profiler;
  DisplayPipeline m_pipeline;
  FrameSequence m_sequence;
  std::shared_ptr<ViewDataModel> m_views;
  // Costs in kibibytes: room for a few hundred high-definition frames.
  QCache<QString, std::shared_ptr<const Frame>> m_frames{4 * 1024 * 1024};
  QCache<QString, QImage> m_pictures{1024 * 1024};
  std::shared_ptr<const Frame> m_frame;
  QString m_layer = QStringLiteral("rgba");
  QString m_status;
  bool m_statusIsProblem = false;

  ViewerWidget* m_viewer = nullptr;
  PlaybackPanel* m_playback = nullptr;
  QWidget* m_pixelAnalyser = nullptr;
  QDockWidget* m_pixelDock = nullptr;
  FileBrowser* m_browser = nullptr;
  QDockWidget* m_browserDock = nullptr;
  LocalisationPanel* m_localisation = nullptr;
  QDockWidget* m_localisationDock = nullptr;
  StereoControls* m_stereo = nullptr;
  UserKnobEditor* m_knobEditor = nullptr;
  // Last, so that it leaves the viewers model before the panels go.
  std::unique_ptr<ExampleViewer> m_item;
  QComboBox* m_transforms = nullptr;
  QComboBox* m_layers = nullptr;
  QAction* m_recordAction = nullptr;
};

} // namespace Velloro::Example
