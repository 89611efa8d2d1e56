#include <velloro/knobs/GetUserKnobInfo.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Velloro::GetUserKnobInfo;
using Velloro::KnobTypeInfo;

TEST(KnobTypeInfo, TableOfUserKnobTypes) {
  const std::vector<KnobTypeInfo>& types = GetUserKnobInfo();
  ASSERT_EQ(types.size(), 27u);
  EXPECT_EQ(&types, &GetUserKnobInfo());

  std::vector<std::size_t> separators;
  for (std::size_t index = 0; index < types.size(); ++index) {
    if (types[index].isSeperator()) {
      separators.push_back(index);
      EXPECT_EQ(types[index].label, "-------");
      EXPECT_TRUE(types[index].typeName.empty());
    }
  }
  EXPECT_EQ(separators, (std::vector<std::size_t>{8, 11, 21}));

  EXPECT_EQ(types[0].label, "Floating Point Slider");
  EXPECT_EQ(types[5].typeName, "size");
  EXPECT_EQ(types[5].knobType, 16);
  EXPECT_EQ(types[15].knobType, 52);
  EXPECT_EQ(types[17].typeName, "cascading_pulldown");
  EXPECT_EQ(types[17].knobType, 68);
  EXPECT_EQ(types[26].label, "Obsolete Knob");
  for (std::size_t index = 0; index < types.size(); ++index) {
    EXPECT_EQ(types[index].skipDialog(), index == 25) << index;
  }
  EXPECT_EQ(types[25].knobType, types[24].knobType);
}
