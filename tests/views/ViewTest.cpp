#include <velloro/views/View.h>
#include <velloro/views/ViewDataModel.h>

#include <gtest/gtest.h>

#include <memory>

using Velloro::View;
using Velloro::ViewDataModel;

TEST(View, EmptyViewAndViewOutsideAnyModel) {
  const View empty;
  EXPECT_EQ(empty.id(), View::kInvalidViewId);
  EXPECT_FALSE(empty.isValid());
  EXPECT_EQ(empty.modelRowIndex(), -1);
  EXPECT_EQ(empty.orvikIndex(), -1);

  const View left("left", Qt::red);
  EXPECT_EQ(left.shortName(), "l");
  EXPECT_FALSE(left.isValid());
  // Without a model and an id, only the id decides: -1 equals -1.
  EXPECT_TRUE(left == empty);

  // The short name is one whole character, however it is encoded.
  EXPECT_EQ(View::ShortNameOf(""), "");
  EXPECT_EQ(View::ShortNameOf("e\xCC\x81tat"), "e\xCC\x81");             // e + combining acute
  EXPECT_EQ(View::ShortNameOf("\xF0\x9D\x90\x80x"), "\xF0\x9D\x90\x80"); // outside the BMP
  EXPECT_EQ(View::ShortNameOf("\xE9t\xE9"), "\xE9");                     // not UTF-8: first byte
}

TEST(View, CopyOnWriteAndAViewWhoseModelDied) {
  auto model = std::make_unique<ViewDataModel>();
  View given("left", QColor());
  model->setViews({given, View("right", QColor())});
  // The model works on its own copy of what it was given.
  EXPECT_EQ(given.id(), View::kInvalidViewId);
  EXPECT_FALSE(given.colour().isValid());

  const View left = model->view(0);
  const View right = model->view(1);
  ASSERT_TRUE(left.isValid());
  EXPECT_EQ(right.modelRowIndex(), 1);
  EXPECT_EQ(right.orvikIndex(), 2);
  EXPECT_TRUE(left < right);
  EXPECT_FALSE(right < left);
  EXPECT_TRUE(left != right);

  // The model's own record detaches on a colour change: same id, so still equal.
  ASSERT_TRUE(model->setData(model->index(0, 1), QColor(Qt::yellow)));
  const View recoloured = model->view(0);
  EXPECT_EQ(left.colour(), QColor(Qt::red));
  EXPECT_EQ(recoloured.colour(), QColor(Qt::yellow));
  EXPECT_EQ(recoloured, left);
  // A rename gives the row another id, so the old handle no longer finds a row.
  ASSERT_TRUE(model->setData(model->index(1, 0), QStringLiteral("port")));
  EXPECT_EQ(right.name(), "right");
  EXPECT_EQ(model->view(1).name(), "port");
  EXPECT_TRUE(right.isValid());
  EXPECT_EQ(right.modelRowIndex(), -1);

  model.reset();
  EXPECT_FALSE(left.isValid());
  EXPECT_EQ(left.modelRowIndex(), -1);
  EXPECT_EQ(left.orvikIndex(), -1);
  EXPECT_EQ(left.name(), "left");
  EXPECT_TRUE(left == recoloured);
  EXPECT_FALSE(left == right);
  EXPECT_FALSE(left == View());
}
