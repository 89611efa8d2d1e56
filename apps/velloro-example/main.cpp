#include "FileBrowser.h"
#include "LocalisationPanel.h"
#include "MainWindow.h"
#include "PlaybackPanel.h"
#include "SampleMedia.h"
#include "ViewerWidget.h"

#include <velloro/knobs/UserKnobEditor.h>

#include <style/DarkStyle.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

namespace {

// Lets the event loop run for a while, so that playback and painting happen as they would; it
// sleeps between events rather than spinning, as the application's own loop does.
void RunFor(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

} // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("velloro-example"));
  UseDarkStyle();

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("A host application showing Velloro's panels on real images."));
  parser.addHelpOption();
  const QCommandLineOption screenshots(
      QStringLiteral("screenshots"),
      QStringLiteral("Render the window and each panel to PNG files in <dir> and exit."),
      QStringLiteral("dir"));
  const QCommandLineOption media(QStringLiteral("media"),
                                 QStringLiteral("Folder of the sample media, written there on first run."),
                                 QStringLiteral("dir"));
  const QCommandLineOption sequence(
      QStringLiteral("sequence"),
      QStringLiteral("Image or sequence to show instead (%V for the view, #### for the frame)."),
      QStringLiteral("pattern"));
  const QCommandLineOption config(
      QStringLiteral("config"), QStringLiteral("OpenColorIO configuration to use."), QStringLiteral("file"));
  parser.addOptions({screenshots, media, sequence, config});
  parser.process(application);

  const QString mediaFolder = parser.isSet(media)
                                  ? parser.value(media)
                                  : QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
                                        .filePath(QStringLiteral("media"));
  Velloro::Example::SampleMedia sample(mediaFolder);
  Velloro::Example::MainWindow window(mediaFolder + QStringLiteral("-cache"));
  // The screenshot run is profiled, so that its trace shows the frames being read and converted.
  if (parser.isSet(screenshots)) {
    window.setProfiling(true);
  }
  if (!sample.ensure()) {
    std::fprintf(stderr, "%s\n", qPrintable(sample.error()));
  }
  window.loadColourConfig(parser.isSet(config) ? parser.value(config) : sample.configPath());
  window.openSequence(parser.isSet(sequence) ? parser.value(sequence) : sample.sequencePattern());
  window.resize(1440, 760);
  window.show();

  if (!parser.isSet(screenshots)) {
    return QApplication::exec();
  }
  // Something to look at in every panel: a pixel on the ball, the right eye, the knob types
  // offered while editing, two seconds of playback.
  window.knobEditor()->setEditingEnabled(true);
  // The sequence localised first, so that the copies do not compete with playback.
  if (window.localisation()) {
    window.localisation()->localiseAll();
    while (window.localisation()->pendingTasks() > 0) {
      RunFor(20);
    }
    RunFor(50);
  }
  window.fileBrowser()->select(QDir(mediaFolder).filePath(QStringLiteral("shot.left.0006.exr")));
  window.viewer()->selectPixel(QPoint(110, 130));
  window.setView(QStringLiteral("right"));
  // One pass over the frames fills the viewer's caches, as a first playback would.
  for (int frame = Velloro::Example::SampleMedia::kFirstFrame;
       frame <= Velloro::Example::SampleMedia::kLastFrame; ++frame) {
    window.playback()->setFrame(frame);
  }
  window.playback()->setFrame(Velloro::Example::SampleMedia::kFirstFrame);
  window.playback()->play();
  RunFor(2100);
  const QString folder = parser.value(screenshots);
  if (!window.saveScreenshots(folder) ||
      !window.exportTrace(QDir(folder).filePath(QStringLiteral("example-trace.json")))) {
    std::fprintf(stderr, "cannot write the screenshots into %s\n", qPrintable(folder));
    return 1;
  }
  std::printf("screenshots and a Chrome trace written to %s (playback at %.2f fps)\n",
              qPrintable(QDir(folder).absolutePath()), window.playback()->achievedRate());
  return 0;
}
