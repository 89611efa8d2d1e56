#include <velloro/widgets/ColourItemDelegate.h>

#include <TesselUI/ColorPicker.h>

#include <QApplication>
#include <QPainter>

namespace Velloro {

namespace {
constexpr int kSwatchInset = 2;
}

ColourItemDelegate::ColourItemDelegate(Mode mode, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_mode(mode) {}

void ColourItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  QStyleOptionViewItem panel = option;
  const QVariant background = index.data(Qt::BackgroundRole);
  if (background.canConvert<QBrush>()) {
    panel.backgroundBrush = background.value<QBrush>();
  }
  QStyle* style = option.widget ? option.widget->style() : QApplication::style();
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, option.widget);

  QRect swatch = option.rect.adjusted(kSwatchInset, kSwatchInset, -kSwatchInset, -kSwatchInset);
  if (m_mode == Square) {
    const int side = std::min(swatch.width(), swatch.height());
    const QPoint centre = swatch.center();
    swatch.setSize(QSize(side, side));
    swatch.moveCenter(centre);
  }
  const QColor colour = index.data(Qt::DisplayRole).value<QColor>();
  painter->fillRect(swatch, colour.isValid() ? QBrush(colour) : QBrush(Qt::gray, Qt::DiagCrossPattern));
}

QWidget* ColourItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
  auto* picker = new Tessel::UI::ColorPicker(parent, Qt::Tool);
  picker->setWindowTitle(QStringLiteral("Select Color"));
  const QColor colour = index.data(Qt::DisplayRole).value<QColor>();
  if (colour.isValid()) {
    const QColor rgb = colour.toRgb();
    picker->setColor(rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF(), false);
  }
  picker->adjustSize();
  return picker;
}

void ColourItemDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem&,
                                              const QModelIndex&) const {
  // The picker is a window of its own: centre it on the window it edits for, not on the cell.
  QWidget* parent = editor->parentWidget();
  if (!parent) {
    return;
  }
  QRect frame = editor->frameGeometry();
  frame.moveCenter(parent->window()->frameGeometry().center());
  editor->move(frame.topLeft());
}

void ColourItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
  auto* picker = qobject_cast<Tessel::UI::ColorPicker*>(editor);
  if (!picker) {
    return;
  }
  float red = 0;
  float green = 0;
  float blue = 0;
  float alpha = 1;
  picker->getColor(red, green, blue, alpha);
  model->setData(index, QColor::fromRgbF(red, green, blue, alpha), Qt::EditRole);
}

} // namespace Velloro
