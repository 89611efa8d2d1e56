#include <velloro/views/ViewDataModel.h>
#include <velloro/views/ViewPath.h>

#include <gtest/gtest.h>

using Velloro::View;
using Velloro::ViewDataModel;

TEST(ViewPath, FormatsAndDetectsBothPlaceholders) {
  EXPECT_EQ(Velloro::FormatMultiViewPath("shot_%V.%v.exr", "left"), "shot_left.l.exr");
  EXPECT_EQ(Velloro::FormatMultiViewPath("%V/%V_%v%v.####.dpx", "right"), "right/right_rr.####.dpx");
  EXPECT_EQ(Velloro::FormatMultiViewPath("shot_%V.%v.exr", ""), "shot_..exr");
  EXPECT_EQ(Velloro::FormatMultiViewPath("50%_%w.exr", "left"), "50%_%w.exr");
  // A name beginning with a letter outside ASCII gives that whole letter.
  EXPECT_EQ(Velloro::FormatMultiViewPath("a_%v.exr", "\xC3\xA9toile"), "a_\xC3\xA9.exr");

  EXPECT_TRUE(Velloro::IsMultiViewPath("shot_%V.exr"));
  EXPECT_TRUE(Velloro::IsMultiViewPath("shot_%v.exr"));
  EXPECT_FALSE(Velloro::IsMultiViewPath("shot_left.exr"));
  EXPECT_FALSE(Velloro::IsMultiViewPath("shot_100%.exr"));
  EXPECT_FALSE(Velloro::IsMultiViewPath("shot_%W.exr"));
  EXPECT_FALSE(Velloro::IsMultiViewPath(""));
}

TEST(ViewPath, FindViewAsksTheHostsRule) {
  ViewDataModel model;
  model.setUpViewsForStereo();
  auto [none, noText] = Velloro::FindViewInPath("shot_right.exr", &model);
  EXPECT_EQ(none.id(), View::kInvalidViewId);
  EXPECT_EQ(noText, "");

  Velloro::SetFindViewInPathCallback([](const std::string& path, ViewDataModel* in) {
    return std::make_pair(in->viewFromName(path.find("right") != std::string::npos ? "right" : "left"), path);
  });
  auto [right, text] = Velloro::FindViewInPath("shot_right.exr", &model);
  EXPECT_EQ(right, model.view(1));
  EXPECT_EQ(text, "shot_right.exr");

  Velloro::SetFindViewInPathCallback({});
  EXPECT_EQ(Velloro::FindViewInPath("shot_right.exr", &model).second, "");
}
