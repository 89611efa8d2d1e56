#include <velloro/eventgraph/EventUserDataErrorAndOtherUserData.h>
#include <velloro/eventgraph/EventUserDataFileAndFrame.h>
#include <velloro/eventgraph/EventUserDataFrameAndDuration.h>
#include <velloro/eventgraph/EventUserDataFrameAndImage.h>

#include <gtest/gtest.h>

using namespace Velloro::UI;

TEST(EventUserData, Texts) {
  EXPECT_EQ(EventUserDataFrameAndDuration(12, 40).text(), "12, Desired Wait=40");
  EXPECT_EQ(EventUserDataFrameAndDuration(-3, 0).text(), "-3, Desired Wait=0");
  const auto image = std::make_shared<EventUserDataFrameAndImage>(1001, 3);
  EXPECT_EQ(image->text(), "Frame=1001, Image=3");
  EXPECT_EQ(EventUserDataFrameAndImage(std::int64_t(1) << 40, 0).text(), "Frame=1099511627776, Image=0");
  EXPECT_EQ(EventUserDataFileAndFrame("/shots/a b.exr", 7).text(), "File=\"/shots/a b.exr\", Frame=7");
  EXPECT_EQ(EventUserDataFileAndFrame("/shots/\xc3\xa9t\xc3\xa9.exr", 1).file,
            QString::fromUtf8("/shots/été.exr"));
  EXPECT_EQ(EventUserDataErrorAndOtherUserData(5, nullptr).text(), "Error=5");
  EXPECT_EQ(EventUserDataErrorAndOtherUserData(5, image).text(), "Error=5, Frame=1001, Image=3");
}
