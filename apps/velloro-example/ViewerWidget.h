#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace Velloro::Example {

// Draws the current display picture fitted into the widget, with the crosshair cursor op drawn
// over it at the selected pixel, and a message in place of the picture when the frame could not be shown. A
// click or drag selects the pixel under the pointer.
//
// Threads: the GUI thread only.
class ViewerWidget : public QWidget {
  Q_OBJECT
public:
  explicit ViewerWidget(QWidget* parent = nullptr);

  void setImage(const QImage& image);
  const QImage& image() const { return m_image; }
  // Shown over an empty viewer until the next picture arrives.
  void setMessage(const QString& message);
  const QString& message() const { return m_message; }

  // The selected pixel in image coordinates; (-1, -1) when none is.
  QPoint selectedPixel() const { return m_selected; }
  void selectPixel(const QPoint& pixel);

  QSize sizeHint() const override { return {720, 405}; }

signals:
  void pixelSelected(const QPoint& pixel);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  QRect pictureRect() const;
  void selectAt(const QPoint& widgetPoint);
  void drawCursor();

  QImage m_image;
  // The picture with the cursor over it; null without a selected pixel.
  QImage m_withCursor;
  QString m_message;
  QPoint m_selected{-1, -1};
};

} // namespace Velloro::Example
