#include "Gallery.h"

#include <style/DarkStyle.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

namespace {

// Renders every SVG icon under the folder (the animated spinner aside) to a PNG beside it, for
// the places that look icons up as PNG files.
int RenderIcons(const QString& folder) {
  int written = 0;
  QDirIterator files(folder, {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString path = files.next();
    if (path.endsWith(QStringLiteral("ViewerRenderingSpinner.svg"))) {
      continue;
    }
    QSvgRenderer renderer(path);
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    QString target = path;
    target.replace(target.size() - 4, 4, QStringLiteral(".png"));
    if (!image.save(target)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
      return 1;
    }
    ++written;
  }
  std::printf("%d icons rendered\n", written);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  // Without a display the gallery can still render its screenshots offscreen.
  const bool screenshotOnly = [&] {
    for (int index = 1; index < argc; ++index) {
      const QString argument = QString::fromLocal8Bit(argv[index]);
      if (argument == QLatin1String("--screenshot") || argument == QLatin1String("--render-icons")) {
        return true;
      }
    }
    return false;
  }();
  if ((screenshotOnly || !std::getenv("DISPLAY")) && !std::getenv("QT_QPA_PLATFORM")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("velloro-gallery"));
  UseDarkStyle();
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Shows every widget of the widget library and the small widgets."));
  parser.addHelpOption();
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Render each widget to a PNG in <dir> and quit."),
                                      QStringLiteral("dir"));
  const QCommandLineOption renderIcons(QStringLiteral("render-icons"),
                                       QStringLiteral("Render the SVG icons under <dir> to PNGs and quit."),
                                       QStringLiteral("dir"));
  parser.addOption(screenshot);
  parser.addOption(renderIcons);
  parser.process(application);

  if (parser.isSet(renderIcons)) {
    return RenderIcons(parser.value(renderIcons));
  }
  Gallery gallery;
  const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
  if (parser.isSet(screenshot) || offscreen) {
    const QString folder = parser.isSet(screenshot) ? parser.value(screenshot) : QDir::currentPath();
    return gallery.saveScreenshots(folder) ? 0 : 1;
  }
  gallery.show();
  return QApplication::exec();
}
