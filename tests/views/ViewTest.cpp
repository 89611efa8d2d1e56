#include <velloro/views/View.h>
#include <velloro/views/ViewDataModel.h>

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include <memory>

using Velloro::View;
using Velloro::ViewDataModel;

TEST(View, EmptyViewAndViewOutsideAnyModel) {
  const View empty;
  EXPECT_EQ(empty.id(), View::kInvalidViewId);
  EXPECT_EQ(empty.name(), "");
  EXPECT_EQ(empty.shortName(), "");
  EXPECT_FALSE(empty.colour().isValid());
  EXPECT_FALSE(empty.isValid());
  EXPECT_EQ(empty.modelRowIndex(), -1);
  EXPECT_EQ(empty.orvikIndex(), -1);
  EXPECT_TRUE(empty == View());

  const View left("left", Qt::red);
  EXPECT_EQ(left.name(), "left");
  EXPECT_EQ(left.shortName(), "l");
  EXPECT_EQ(left.colour(), QColor(Qt::red));
  EXPECT_EQ(left.id(), View::kInvalidViewId);
  EXPECT_FALSE(left.isValid());
  EXPECT_EQ(left.modelRowIndex(), -1);
  // Without a model and an id, only the id decides: -1 equals -1.
  EXPECT_TRUE(left == empty);
}

TEST(View, ShortNameIsOneWholeCharacter) {
  EXPECT_EQ(View::ShortNameOf("right"), "r");
  EXPECT_EQ(View::ShortNameOf(""), "");
  EXPECT_EQ(View::ShortNameOf("\xC3\xA9tat"), "\xC3\xA9");               // é, precomposed
  EXPECT_EQ(View::ShortNameOf("e\xCC\x81tat"), "e\xCC\x81");             // e + combining acute
  EXPECT_EQ(View::ShortNameOf("\xF0\x9D\x90\x80x"), "\xF0\x9D\x90\x80"); // outside the BMP
  EXPECT_EQ(View::ShortNameOf("\xE9t\xE9"), "\xE9");                     // not UTF-8: first byte
}

TEST(View, CopiesKeepTheirValuesWhenTheModelChangesItsView) {
  ViewDataModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  View given("left", QColor());
  model.setViews({given});
  // The model works on its own copy of what it was given.
  EXPECT_EQ(given.id(), View::kInvalidViewId);
  EXPECT_FALSE(given.isValid());
  EXPECT_FALSE(given.colour().isValid());

  const View held = model.view(0);
  const View copy = held;
  ASSERT_TRUE(model.setData(model.index(0, 0), QStringLiteral("port")));
  ASSERT_TRUE(model.setData(model.index(0, 1), QColor(Qt::blue)));
  EXPECT_EQ(held.name(), "left");
  EXPECT_EQ(copy.name(), "left");
  EXPECT_EQ(copy.colour(), QColor(Qt::red));
  EXPECT_EQ(model.view(0).name(), "port");
  EXPECT_EQ(model.view(0).colour(), QColor(Qt::blue));
  // The rename gave the row another id, so the old handle no longer finds a row.
  EXPECT_TRUE(held.isValid());
  EXPECT_EQ(held.modelRowIndex(), -1);
}

TEST(View, ViewWhoseModelDied) {
  auto model = std::make_unique<ViewDataModel>();
  auto tester = std::make_unique<QAbstractItemModelTester>(
      model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  model->setUpViewsForStereo();
  const View left = model->view(0);
  const View right = model->view(1);
  ASSERT_TRUE(left.isValid());
  EXPECT_EQ(right.modelRowIndex(), 1);
  EXPECT_EQ(right.orvikIndex(), 2);
  EXPECT_TRUE(left < right);
  EXPECT_FALSE(right < left);
  EXPECT_TRUE(left != right);

  // A second record with the same id: the model's own copy detaches on a colour change.
  model->setData(model->index(0, 1), QColor(Qt::yellow));
  const View recoloured = model->view(0);
  EXPECT_EQ(recoloured, left);

  tester.reset();
  model.reset();
  EXPECT_FALSE(left.isValid());
  EXPECT_EQ(left.modelRowIndex(), -1);
  EXPECT_EQ(left.orvikIndex(), -1);
  EXPECT_EQ(left.name(), "left");
  EXPECT_TRUE(left == recoloured);
  EXPECT_FALSE(left == right);
  EXPECT_FALSE(left == View());
}
