#pragma once

#include <velloro/VelloroExport.h>

#include <QStyledItemDelegate>

namespace Velloro {

// Shows a cell's colour (its display value) as a swatch and edits it with the widget
// library's colour picker in a tool window. A cell whose value is no colour shows a grey
// cross-hatch. GUI thread only.
class VELLORO_EXPORT ColourItemDelegate : public QStyledItemDelegate {
  Q_OBJECT
public:
  // 0 draws a centred square swatch; any other value fills the whole cell.
  enum Mode { Square = 0, FillCell = 1 };

  explicit ColourItemDelegate(Mode mode, QObject* parent = nullptr);

  Mode mode() const { return m_mode; }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;

private:
  Mode m_mode;
};

} // namespace Velloro
