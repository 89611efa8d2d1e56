#include <velloro/knobs/GetUserKnobInfo.h>

#include <gtest/gtest.h>

#include <vector>

TEST(KnobTypeInfo, TableOfUserKnobTypes) {
  const std::vector<Velloro::KnobTypeInfo>& types = Velloro::GetUserKnobInfo();
  ASSERT_EQ(types.size(), 27u);
  std::vector<std::size_t> separators;
  std::vector<std::size_t> skipDialog;
  for (std::size_t index = 0; index < types.size(); ++index) {
    if (types[index].isSeperator()) {
      separators.push_back(index);
      EXPECT_EQ(types[index].label, "-------");
    }
    if (types[index].skipDialog()) {
      skipDialog.push_back(index);
    }
  }
  EXPECT_EQ(separators, (std::vector<std::size_t>{8, 11, 21}));
  EXPECT_EQ(skipDialog, std::vector<std::size_t>{25});
  EXPECT_EQ(types[5].label, "Size Knob");
  EXPECT_EQ(types[17].typeName, "cascading_pulldown");
  EXPECT_EQ(types[17].knobType, 68);
}
