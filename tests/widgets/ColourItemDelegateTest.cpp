#include <velloro/widgets/ColourItemDelegate.h>

#include <TesselUI/ColorPicker.h>

#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>

#include <gtest/gtest.h>

using Velloro::ColourItemDelegate;

namespace {

QImage PaintCell(const ColourItemDelegate& delegate, const QModelIndex& index, QSize size) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QStyleOptionViewItem option;
  option.rect = QRect(QPoint(0, 0), size);
  option.state = QStyle::State_Enabled;
  delegate.paint(&painter, option, index);
  return image;
}

int CountPixels(const QImage& image, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      count += image.pixelColor(x, y) == colour ? 1 : 0;
    }
  }
  return count;
}

} // namespace

TEST(ColourItemDelegate, SwatchesAndCrossHatch) {
  QStandardItemModel model(1, 4);
  model.setData(model.index(0, 0), QColor(10, 200, 30));
  model.setData(model.index(0, 1), QStringLiteral("#3050f0")); // text that reads as a colour
  model.setData(model.index(0, 2), QStringLiteral("not a colour"));
  model.setData(model.index(0, 3), QColor()); // an invalid colour

  ColourItemDelegate square(ColourItemDelegate::Square);
  ColourItemDelegate fill(ColourItemDelegate::FillCell);
  const QSize cell(40, 20);

  // A centred square of 16 x 16 (20 less the insets), or the whole cell less the insets.
  EXPECT_EQ(CountPixels(PaintCell(square, model.index(0, 0), cell), QColor(10, 200, 30)), 16 * 16);
  const QImage filled = PaintCell(fill, model.index(0, 0), cell);
  EXPECT_EQ(CountPixels(filled, QColor(10, 200, 30)), 36 * 16);
  EXPECT_EQ(filled.pixelColor(1, 10), QColor(Qt::white));
  EXPECT_EQ(filled.pixelColor(2, 10), QColor(10, 200, 30));
  EXPECT_EQ(CountPixels(PaintCell(square, model.index(0, 1), cell), QColor(0x30, 0x50, 0xf0)), 16 * 16);

  for (int column : {2, 3}) {
    const QImage hatched = PaintCell(fill, model.index(0, column), cell);
    const int grey = CountPixels(hatched, QColor(Qt::gray));
    EXPECT_GT(grey, 36 * 16 / 8) << column; // the cross-hatch is there...
    EXPECT_LT(grey, 36 * 16) << column;     // ...with gaps between its lines
  }
}

TEST(ColourItemDelegate, EditsThroughAColourPickerWindow) {
  QStandardItemModel model(1, 1);
  model.setData(model.index(0, 0), QColor::fromRgbF(0.25f, 0.5f, 0.75f, 1.0f));
  QTableView view;
  view.setModel(&model);
  view.resize(600, 400);
  view.show();
  ColourItemDelegate delegate(ColourItemDelegate::Square);

  QStyleOptionViewItem option;
  option.rect = view.visualRect(model.index(0, 0));
  std::unique_ptr<QWidget> editor(delegate.createEditor(view.viewport(), option, model.index(0, 0)));
  auto* picker = qobject_cast<Tessel::UI::ColorPicker*>(editor.get());
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(picker->windowTitle(), "Select Color");
  EXPECT_TRUE(picker->windowFlags() & Qt::Tool);
  float r, g, b, a;
  picker->getColor(r, g, b, a);
  EXPECT_NEAR(r, 0.25f, 1e-3);
  EXPECT_NEAR(b, 0.75f, 1e-3);

  picker->show();
  delegate.updateEditorGeometry(picker, option, model.index(0, 0));
  const QPoint offset = picker->frameGeometry().center() - view.frameGeometry().center();
  EXPECT_LE(offset.manhattanLength(), 2);

  picker->setColor(1.0f, 0.0f, 0.5f, 0.5f, true);
  delegate.setModelData(picker, &model, model.index(0, 0));
  const QColor stored = model.data(model.index(0, 0), Qt::EditRole).value<QColor>();
  EXPECT_NEAR(stored.redF(), 1.0, 1e-3);
  EXPECT_NEAR(stored.blueF(), 0.5, 1e-3);
  EXPECT_NEAR(stored.alphaF(), 0.5, 1e-3);
}
