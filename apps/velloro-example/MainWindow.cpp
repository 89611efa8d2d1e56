#include "MainWindow.h"

#include "ExampleViewer.h"
#include "FileBrowser.h"
#include "LocalisationPanel.h"
#include "PlaybackPanel.h"
#include "ViewerWidget.h"

#include <velloro/eventgraph/EventAdderProxy.h>
#include <velloro/eventgraph/EventUserDataFileAndFrame.h>
#include <velloro/knobs/UserKnobEditor.h>
#include <velloro/pixelanalyser/PixelAnalyserManager.h>
#include <velloro/pixelanalyser/PixelAnalyserWidget.h>
#include <velloro/views/StereoControls.h>
#include <velloro/views/ViewDataModel.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace Velloro::Example {

namespace {

int CostInKibibytes(std::size_t bytes) {
  return int(std::max<std::size_t>(1, bytes / 1024));
}

// Room for the sample sequence many times over, and still small on any disk.
constexpr std::uint64_t kCacheLimitBytes = 2ull << 30;

} // namespace

MainWindow::MainWindow(const QString& cacheFolder, QWidget* parent)
    : QMainWindow(parent)
    , m_views(std::make_shared<ViewDataModel>()) {
  setWindowTitle(tr("Velloro example"));
  m_views->setUpViewForMono();

  auto* central = new QWidget(this);
  m_viewer = new ViewerWidget(central);
  m_playback = new PlaybackPanel(central);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_viewer, 1);
  layout->addWidget(m_playback);
  setCentralWidget(central);

  auto* viewerBar = addToolBar(tr("Viewer"));
  viewerBar->setObjectName(QStringLiteral("viewerBar"));
  viewerBar->setMovable(false);
  m_transforms = new QComboBox(viewerBar);
  m_transforms->setToolTip(tr("Display transform"));
  m_transforms->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  m_layers = new QComboBox(viewerBar);
  m_layers->setToolTip(tr("Layer"));
  m_stereo = new StereoControls(m_views, viewerBar);
  viewerBar->addWidget(new QLabel(tr(" Layer "), viewerBar));
  viewerBar->addWidget(m_layers);
  viewerBar->addSeparator();
  viewerBar->addWidget(m_stereo);
  viewerBar->addSeparator();
  viewerBar->addWidget(new QLabel(tr(" Display "), viewerBar));
  viewerBar->addWidget(m_transforms);

  viewerBar->addSeparator();
  m_recordAction = viewerBar->addAction(tr("Profile"));
  m_recordAction->setCheckable(true);
  m_recordAction->setToolTip(tr("Record profiling events"));
  connect(m_recordAction, &QAction::toggled, this, &MainWindow::setProfiling);
  QAction* exportAction = viewerBar->addAction(tr("Export trace"));
  exportAction->setToolTip(tr("Save the profiling events recorded as a Chrome trace"));
  connect(exportAction, &QAction::triggered, this, [this] {
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export trace"), QStringLiteral("velloro-trace.json"), tr("Chrome trace (*.json)"));
    if (!path.isEmpty()) {
      exportTrace(path);
    }
  });

  auto* knobBar = new QToolBar(tr("User knobs"), this);
  knobBar->setObjectName(QStringLiteral("knobBar"));
  m_knobEditor = new UserKnobEditor(knobBar);
  knobBar->addWidget(m_knobEditor);
  addToolBarBreak();
  addToolBar(knobBar);

  m_item = std::make_unique<ExampleViewer>(*this);
  m_pixelAnalyser = PixelAnalyser::PixelAnalyserManager::Get().createPixelAnalyserWidget();
  m_pixelDock = new QDockWidget(tr("Pixel analyser"), this);
  m_pixelDock->setObjectName(QStringLiteral("pixelDock"));
  m_pixelDock->setWidget(m_pixelAnalyser);
  addDockWidget(Qt::RightDockWidgetArea, m_pixelDock);
  // Its number boxes would otherwise take half the window from the picture.
  m_pixelAnalyser->setMaximumWidth(440);

  m_browser = new FileBrowser(this);
  m_browserDock = new QDockWidget(tr("File browser"), this);
  m_browserDock->setObjectName(QStringLiteral("browserDock"));
  m_browserDock->setWidget(m_browser);
  addDockWidget(Qt::LeftDockWidgetArea, m_browserDock);
  connect(m_browser, &FileBrowser::sequenceChosen, this, &MainWindow::openSequence);

  try {
    QDir().mkpath(cacheFolder);
    m_localisation = new LocalisationPanel(cacheFolder, kCacheLimitBytes, this);
    m_localisationDock = new QDockWidget(tr("Localisation"), this);
    m_localisationDock->setObjectName(QStringLiteral("localisationDock"));
    m_localisationDock->setWidget(m_localisation);
    addDockWidget(Qt::RightDockWidgetArea, m_localisationDock);
    tabifyDockWidget(m_pixelDock, m_localisationDock);
    m_pixelDock->raise();
  } catch (const std::exception& failure) {
    m_localisation = nullptr;
    report(tr("No localisation: the cache %1 cannot be opened (%2)")
               .arg(cacheFolder, QString::fromUtf8(failure.what())),
           true);
  }

  connect(m_playback, &PlaybackPanel::frameChanged, this, &MainWindow::refresh);
  connect(m_stereo, &StereoControls::viewChanged, this, [this](int picker) {
    if (picker == StereoControls::ePrimary) {
      refresh();
    }
  });
  connect(m_viewer, &ViewerWidget::pixelSelected, this,
          [this](const QPoint& pixel) { m_item->selectPixel(pixel); });
  connect(m_transforms, &QComboBox::textActivated, this, &MainWindow::setDisplayTransform);
  connect(m_layers, &QComboBox::textActivated, this, &MainWindow::setLayer);
  if (!m_statusIsProblem) {
    report(tr("Ready"));
  }
}

MainWindow::~MainWindow() = default;

void MainWindow::report(const QString& message, bool problem) {
  m_status = message;
  m_statusIsProblem = problem;
  statusBar()->showMessage(message);
}

bool MainWindow::loadColourConfig(const QString& path) {
  const bool loaded = m_pipeline.loadConfig(path.toStdString());
  {
    const QSignalBlocker block(m_transforms);
    m_transforms->clear();
    for (const std::string& name : m_pipeline.displayTransforms()) {
      m_transforms->addItem(QString::fromStdString(name));
    }
    m_transforms->setCurrentText(QString::fromStdString(m_pipeline.displayTransform()));
    m_transforms->setEnabled(loaded);
  }
  m_pictures.clear();
  refresh();
  if (!loaded) {
    report(m_pipeline.error() + tr(" (showing values unconverted)"), true);
  }
  return loaded;
}

bool MainWindow::setDisplayTransform(const QString& name) {
  if (!m_pipeline.setDisplayTransform(name.toStdString())) {
    report(m_pipeline.error(), true);
    return false;
  }
  m_transforms->setCurrentText(name);
  m_pictures.clear();
  refresh();
  return true;
}

bool MainWindow::openSequence(const QString& pattern) {
  m_playback->stop();
  m_sequence = FrameSequence(pattern);
  m_browser->setFolder(QFileInfo(pattern).absolutePath());
  m_frames.clear();
  m_pictures.clear();
  if (m_sequence.isMultiView()) {
    if (m_views->getViewNames() != std::vector<std::string>{"left", "right"}) {
      m_views->setUpViewsForStereo();
    }
  } else if (m_views->getViewNames() != std::vector<std::string>{"main"}) {
    m_views->setUpViewForMono();
  }
  int first = 1;
  int last = 1;
  const bool found = m_sequence.findRange(currentView().toStdString(), first, last);
  m_playback->setRange(first, last);
  if (!found) {
    m_frame.reset();
    const QString message = tr("No frames found for %1").arg(pattern);
    m_viewer->setMessage(message);
    report(message, true);
    return false;
  }
  if (m_localisation) {
    std::vector<std::vector<QString>> paths;
    for (int frame = first; frame <= last; ++frame) {
      paths.emplace_back();
      for (const std::string& view : m_views->getViewNames()) {
        paths.back().push_back(m_sequence.framePath(view, frame));
      }
    }
    m_localisation->setFiles(first, m_views->getViewNames(), paths);
  }
  report(tr("Opened %1, frames %2 to %3").arg(QDir::toNativeSeparators(pattern)).arg(first).arg(last));
  refresh();
  return m_frame && m_frame->isValid();
}

QString MainWindow::currentView() const {
  const int row = m_stereo->selectedView(StereoControls::ePrimary);
  return row < 0 ? QString() : QString::fromStdString(m_views->view(row).name());
}

bool MainWindow::setView(const QString& view) {
  const auto names = m_views->getViewNames();
  const auto found = std::find(names.begin(), names.end(), view.toStdString());
  if (found == names.end()) {
    return false;
  }
  m_stereo->setView(StereoControls::ePrimary, int(found - names.begin()));
  return true;
}

QString MainWindow::currentLayer() const {
  return m_layer;
}

bool MainWindow::setLayer(const QString& layer) {
  if (m_frame && m_frame->isValid() && m_frame->layerChannels(layer.toStdString()).empty()) {
    return false;
  }
  m_layer = layer;
  refresh();
  return true;
}

std::shared_ptr<const Frame> MainWindow::frameFor(const std::string& view, int frame) {
  const QString key = QStringLiteral("%1/%2").arg(QString::fromStdString(view)).arg(frame);
  if (auto* cached = m_frames.object(key)) {
    return *cached;
  }
  const QString path = m_sequence.framePath(view, frame);
  std::shared_ptr<const Frame> read;
  {
    const EventAdderProxy timing(m_profiler.readTrack(),
                                 std::make_shared<UI::EventUserDataFileAndFrame>(path.toStdString(), frame),
                                 false);
    read = FrameSequence::Read(path);
  }
  // A frame that failed is not kept: the file may be fixed or finish copying meanwhile.
  if (read->isValid()) {
    m_frames.insert(key, new std::shared_ptr<const Frame>(read),
                    CostInKibibytes(read->pixels.size() * sizeof(float)));
  }
  return read;
}

void MainWindow::refresh() {
  if (m_sequence.pattern().isEmpty()) {
    return;
  }
  const std::string view = currentView().toStdString();
  const int number = m_playback->frame();
  m_frame = frameFor(view, number);
  if (!m_frame->isValid()) {
    m_viewer->setMessage(m_frame->error);
    report(m_frame->error, true);
    m_item->frameShown(m_frame, m_layer.toStdString());
    return;
  }
  const std::vector<std::string> layers = m_frame->layers();
  QStringList layerNames;
  for (const std::string& layer : layers) {
    layerNames << QString::fromStdString(layer);
  }
  // Rebuilt only when the layers change: during playback they never do.
  QStringList shownNames;
  for (int index = 0; index < m_layers->count(); ++index) {
    shownNames << m_layers->itemText(index);
  }
  if (shownNames != layerNames) {
    const QSignalBlocker block(m_layers);
    m_layers->clear();
    m_layers->addItems(layerNames);
  }
  QString layer = m_layer;
  if (m_frame->layerChannels(layer.toStdString()).empty()) {
    if (layers.empty()) {
      const QString message = tr("%1 has no channels to show").arg(m_sequence.framePath(view, number));
      m_viewer->setMessage(message);
      report(message, true);
      return;
    }
    layer = QString::fromStdString(layers.front());
    report(tr("%1 has no %2 layer: showing %3").arg(m_sequence.framePath(view, number), m_layer, layer),
           true);
  } else if (m_statusIsProblem) {
    report(tr("Frame %1").arg(number));
  }
  m_layers->setCurrentText(layer);

  const QString key = QStringLiteral("%1/%2/%3").arg(QString::fromStdString(view)).arg(number).arg(layer);
  if (const QImage* cached = m_pictures.object(key)) {
    m_viewer->setImage(*cached);
  } else {
    const EventAdderProxy timing(m_profiler.displayTrack(),
                                 std::make_shared<UI::EventUserDataFileAndFrame>(
                                     m_sequence.framePath(view, number).toStdString(), number),
                                 false);
    const std::vector<float> rgba = m_frame->layerAsRgba(layer.toStdString());
    auto* picture = new QImage(m_pipeline.toDisplay(rgba.data(), m_frame->width, m_frame->height));
    m_viewer->setImage(*picture);
    m_pictures.insert(key, picture, CostInKibibytes(std::size_t(picture->sizeInBytes())));
  }
  m_item->frameShown(m_frame, layer.toStdString());
}

void MainWindow::setProfiling(bool recording) {
  m_profiler.setRecording(recording);
  m_recordAction->setChecked(recording);
  report(recording ? tr("Recording profiling events") : tr("Profiling stopped"));
}

bool MainWindow::exportTrace(const QString& path) {
  const bool written = m_profiler.writeChromeTrace(path);
  report(written ? tr("Trace written to %1").arg(path) : tr("Cannot write the trace to %1").arg(path),
         !written);
  return written;
}

bool MainWindow::saveScreenshots(const QString& folder) {
  if (!QDir().mkpath(folder)) {
    return false;
  }
  const QDir target(folder);
  const std::pair<QWidget*, const char*> shots[] = {{this, "example-window.png"},
                                                    {m_viewer, "example-viewer.png"},
                                                    {m_playback, "example-playback.png"},
                                                    {m_pixelDock, "example-pixel-analyser.png"},
                                                    {m_browserDock, "example-file-browser.png"},
                                                    {m_localisationDock, "example-localisation.png"},
                                                    {m_stereo, "example-stereo.png"},
                                                    {m_knobEditor, "example-knob-editor.png"}};
  for (const auto& [widget, name] : shots) {
    if (!widget) {
      continue;
    }
    // A dock sharing its place with another is brought to the front to be drawn.
    if (auto* dock = qobject_cast<QDockWidget*>(widget)) {
      dock->raise();
      QCoreApplication::processEvents();
    }
    if (!widget->grab().save(target.filePath(QLatin1String(name)))) {
      return false;
    }
  }
  return true;
}

} // namespace Velloro::Example
