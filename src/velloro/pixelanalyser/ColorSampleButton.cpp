#include <velloro/pixelanalyser/ColorSampleButton.h>

#include <KXImage/LUT.h>

#include <QApplication>
#include <QByteArray>
#include <QDataStream>
#include <QDrag>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace Tessel::UI {

namespace {

constexpr int kWidth = 75;
constexpr int kHeight = 80;
constexpr int kHeaderHeight = 22;
constexpr QPoint kSwatchOffset{4, 26};
constexpr QSize kSwatchSize{65, 48};
constexpr int kWarningPointSize = 18;
constexpr int kWarningWeight = 600;

// The press position of the last button pressed: only one can be pressed at a time.
QPoint sPressPosition;

int DisplayByte(float value, const KX::Image::LUT& lut) {
  if (value < 0.0f) {
    return 0;
  }
  if (value > 1.0f) {
    return 255;
  }
  return int(lut.toByte(value));
}

} // namespace

ColorSampleButton::ColorSampleButton(const QString& label, const QString& toolTip,
                                     const QString& noColourText, QWidget* parent)
    : QPushButton(parent)
    , m_label(label)
    , m_noColourText(noColourText)
    , m_lut(KX::Image::LUT::GetDefaultLutForType(0)) {
  setCheckable(true);
  setFixedSize(kWidth, kHeight);
  setFocusPolicy(Qt::NoFocus);
  setAcceptDrops(false);
  setToolTip(toolTip.isEmpty() ? tr("ColorSampleButton Tool-tip") : toolTip);
}

void ColorSampleButton::setColor(const float* rgba, KX::Image::LUT* lut) {
  m_colour = rgba;
  m_lut = lut ? lut : KX::Image::LUT::GetDefaultLutForType(0);
  m_warning.reset();
  if (m_colour) {
    const float* rgb = m_colour;
    if (std::any_of(rgb, rgb + 3, [](float value) { return std::isnan(value); })) {
      m_warning = QStringLiteral("NaN");
    } else if (std::any_of(rgb, rgb + 3, [](float value) { return std::isinf(value); })) {
      m_warning = QStringLiteral("Inf");
    } else if (std::any_of(rgb, rgb + 3, [](float value) { return value < 0.0f || value > 1.0f; })) {
      m_warning = QString();
    }
    m_displayColour =
        QColor(DisplayByte(rgb[0], *m_lut), DisplayByte(rgb[1], *m_lut), DisplayByte(rgb[2], *m_lut));
  }
  update();
}

void ColorSampleButton::setCheckedLook(bool checked) {
  if (checked != m_checkedLook) {
    m_checkedLook = checked;
    update();
  }
}

void ColorSampleButton::setVisible(bool visible) {
  QPushButton::setVisible(visible);
  if (!visible) {
    setChecked(false);
  }
}

void ColorSampleButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    sPressPosition = event->position().toPoint();
  }
  QPushButton::mousePressEvent(event);
}

void ColorSampleButton::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) && m_colour &&
      (event->position().toPoint() - sPressPosition).manhattanLength() >= QApplication::startDragDistance()) {
    setDown(false);
    startColourDrag();
    return;
  }
  QPushButton::mouseMoveEvent(event);
}

void ColorSampleButton::startColourDrag() {
  QByteArray bytes;
  {
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << m_colour[0] << m_colour[1] << m_colour[2] << m_colour[3] << 1.0f;
  }
  auto* mimeData = new QMimeData;
  mimeData->setData(QStringLiteral("application/x-color"), bytes);

  // NaN counts as 0.
  auto clamped = [](float value) { return value > 1.0f ? 1.0f : (value > 0.0f ? value : 0.0f); };
  QImage image(size(), QImage::Format_RGB32);
  image.fill(QColor::fromRgbF(clamped(m_colour[0]), clamped(m_colour[1]), clamped(m_colour[2]), 1.0f));

  auto* drag = new QDrag(this);
  drag->setMimeData(mimeData);
  drag->setPixmap(QPixmap::fromImage(image));
  drag->exec(Qt::CopyAction);
}

void ColorSampleButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.fillRect(rect(),
                   m_checkedLook ? colours.color(QPalette::Highlight) : colours.color(QPalette::Dark));
  const QRect inner = rect().adjusted(1, 1, -1, -1);
  painter.fillRect(inner, colours.color(QPalette::Button));

  painter.setPen(colours.color(QPalette::ButtonText));
  painter.drawText(QRect(inner.topLeft(), QSize(inner.width(), kHeaderHeight)), Qt::AlignCenter, m_label);

  const QRect swatch(inner.topLeft() + kSwatchOffset, kSwatchSize);
  painter.setPen(colours.color(QPalette::Shadow));
  painter.drawRect(swatch.adjusted(-1, -1, 0, 0));

  if (m_colour) {
    painter.fillRect(swatch, m_displayColour);
    if (m_warning) {
      const int markWidth = swatch.width() - swatch.width() * 2 / 3;
      const QRect mark(swatch.topLeft(), QSize(markWidth, swatch.height()));
      const QRect text(mark.topRight() + QPoint(1, 0), QSize(swatch.width() - markWidth, swatch.height()));
      // Legible over any colour: the contrast of the patch decides black or white.
      painter.setPen(qGray(m_displayColour.rgb()) > 128 ? Qt::black : Qt::white);
      painter.drawText(text, Qt::AlignCenter, *m_warning);
      QFont markFont = font();
      markFont.setPointSize(kWarningPointSize);
      markFont.setWeight(QFont::Weight(kWarningWeight));
      painter.setFont(markFont);
      painter.drawText(mark, Qt::AlignCenter, QStringLiteral("!"));
    }
  } else if (!m_noColourText.isEmpty()) {
    painter.setPen(colours.color(QPalette::ButtonText));
    painter.drawText(swatch, Qt::AlignCenter | Qt::TextWordWrap, m_noColourText);
  }
}

} // namespace Tessel::UI
