#include "PixelPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace Velloro::Example {

PixelPanel::PixelPanel(QWidget* parent)
    : QWidget(parent) {
  m_position = new QLabel(tr("Click the viewer to pick a pixel"), this);
  m_swatch = new QLabel(this);
  m_swatch->setFixedSize(28, 18);
  m_swatch->setToolTip(tr("Colour as displayed"));
  m_table = new QTableWidget(0, 3, this);
  m_table->setHorizontalHeaderLabels({tr("Layer"), tr("Channel"), tr("Value")});
  m_table->verticalHeader()->hide();
  m_table->horizontalHeader()->setStretchLastSection(true);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* header = new QHBoxLayout;
  header->addWidget(m_swatch);
  header->addWidget(m_position, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(header);
  layout->addWidget(m_table);
}

void PixelPanel::show(const std::shared_ptr<const Frame>& frame, const QPoint& pixel,
                      const QColor& displayed) {
  m_table->setRowCount(0);
  m_swatch->setStyleSheet(QString());
  if (!frame || !frame->isValid() || pixel.x() < 0 || pixel.x() >= frame->width || pixel.y() < 0 ||
      pixel.y() >= frame->height) {
    m_position->setText(tr("No pixel selected"));
    return;
  }
  m_position->setText(tr("x %1  y %2").arg(pixel.x()).arg(pixel.y()));
  m_swatch->setStyleSheet(QStringLiteral("background: %1; border: 1px solid #888").arg(displayed.name()));
  for (const std::string& layer : frame->layers()) {
    for (const int channel : frame->layerChannels(layer)) {
      const int row = m_table->rowCount();
      m_table->insertRow(row);
      m_table->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(layer)));
      m_table->setItem(
          row, 1, new QTableWidgetItem(QString::fromStdString(frame->channelNames[std::size_t(channel)])));
      m_table->setItem(
          row, 2,
          new QTableWidgetItem(QString::number(double(frame->value(pixel.x(), pixel.y(), channel)), 'f', 4)));
    }
  }
}

QString PixelPanel::shownValue(const QString& channel) const {
  for (int row = 0; row < m_table->rowCount(); ++row) {
    if (m_table->item(row, 1)->text() == channel) {
      return m_table->item(row, 2)->text();
    }
  }
  return {};
}

} // namespace Velloro::Example
