#include <TesselUI/CoreUIUtils.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPalette>

namespace Tessel::UI {

namespace {

// The icons are compiled into the library, so that an installed copy finds them too.
void RegisterIconSearchPath() {
  QDir::addSearchPath(QStringLiteral("icons"), CoreUIUtils::iconDirectory());
}

// Runs when the application object is made, or at once when the library loads later.
Q_COREAPP_STARTUP_FUNCTION(RegisterIconSearchPath)

} // namespace

namespace CoreUIUtils {

QString iconDirectory() {
  return QStringLiteral(":/tessel/icons");
}

QIcon createIcon(const QString& name) {
  for (const QString& candidate : {name + QStringLiteral(".svg"), name + QStringLiteral(".png"), name}) {
    const QString path = QStringLiteral("icons:") + candidate;
    if (QFileInfo(path).isFile()) {
      return QIcon(path);
    }
  }
  return QIcon();
}

} // namespace CoreUIUtils

QIcon CreateToolButtonIcon(const QString& path, bool tintCheckedState) {
  const QPixmap normal(path);
  if (normal.isNull()) {
    return QIcon();
  }
  QIcon icon;
  icon.addPixmap(normal, QIcon::Normal, QIcon::Off);
  icon.addPixmap(normal, QIcon::Normal, QIcon::On);
  QPixmap faded(normal.size());
  faded.fill(Qt::transparent);
  {
    QPainter painter(&faded);
    painter.setOpacity(0.35);
    painter.drawPixmap(0, 0, normal);
  }
  icon.addPixmap(faded, QIcon::Disabled, QIcon::Off);
  icon.addPixmap(faded, QIcon::Disabled, QIcon::On);
  if (tintCheckedState) {
    icon.addPixmap(ColorPixmap(normal, QApplication::palette().color(QPalette::Highlight)), QIcon::Normal,
                   QIcon::On);
  }
  return icon;
}

QPixmap ColorPixmap(const QPixmap& pixmap, const QColor& colour) {
  QPixmap tinted(pixmap.size());
  tinted.setDevicePixelRatio(pixmap.devicePixelRatio());
  tinted.fill(Qt::transparent);
  QPainter painter(&tinted);
  painter.drawPixmap(0, 0, pixmap);
  painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
  painter.fillRect(tinted.rect(), colour);
  return tinted;
}

} // namespace Tessel::UI
