#include <KXImage/ChannelSet.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using namespace KX::Image;

std::vector<unsigned> membersByFirstNext(const ChannelSet& set) {
  std::vector<unsigned> members;
  for (Channel channel = set._first(); channel != eChannelNone; channel = set._next(channel)) {
    members.push_back(channel);
  }
  return members;
}

std::vector<unsigned> membersByIterator(const ChannelSet& set) {
  return std::vector<unsigned>(set.begin(), set.end());
}

TEST(ChannelSet, MembersAscendWhateverTheOrderTheyWereAddedIn) {
  ChannelSet set;
  EXPECT_TRUE(set.empty());
  EXPECT_EQ(set._first(), eChannelNone);
  EXPECT_EQ(set.last(), eChannelNone);
  EXPECT_EQ(set.begin(), set.end());

  set += Channel(1023);
  set += Channel(70);
  set += eChannelGreen;
  set += Channel(64);
  set += Channel(70);
  EXPECT_EQ(membersByFirstNext(set), (std::vector<unsigned>{2, 64, 70, 1023}));
  EXPECT_EQ(membersByIterator(set), membersByFirstNext(set));
  EXPECT_EQ(set.size(), 4u);
  EXPECT_EQ(set.last(), Channel(1023));
  EXPECT_TRUE(set & Channel(64));
  EXPECT_FALSE(set & Channel(63));
  EXPECT_EQ(set._next(Channel(1023)), eChannelNone);

  set -= Channel(64);
  EXPECT_FALSE(set.contains(Channel(64)));
  set.clear();
  EXPECT_TRUE(set.empty());
}

TEST(ChannelSet, ChannelsOutsideTheRangeAreNeverMembers) {
  ChannelSet set;
  set += eChannelNone;
  set += Channel(1024);
  set += Channel(0xffffffffu);
  EXPECT_TRUE(set.empty());
  EXPECT_FALSE(set & Channel(1024));
  EXPECT_FALSE(set & Channel(0xffffffffu));
  EXPECT_EQ(set._next(Channel(5000)), eChannelNone);
}

TEST(ChannelSet, InitialisersCopiesAndMoves) {
  ChannelSet set(eMaskRGB);
  EXPECT_EQ(membersByIterator(set), (std::vector<unsigned>{1, 2, 3}));
  set += Channel(40);
  set = eMaskAlpha;
  EXPECT_EQ(membersByIterator(set), (std::vector<unsigned>{4}))
      << "assigning an initialiser replaces the set";

  ChannelSet copy(set);
  copy += eChannelRed;
  EXPECT_EQ(set.size(), 1u) << "a copy is independent";
  EXPECT_NE(copy, set);

  ChannelSet moved(std::move(copy));
  EXPECT_EQ(membersByIterator(moved), (std::vector<unsigned>{1, 4}));
  EXPECT_TRUE(copy.empty()); // NOLINT(bugprone-use-after-move): a moved-from set stays usable
  copy += Channel(9);
  EXPECT_EQ(membersByIterator(copy), (std::vector<unsigned>{9}));

  ChannelSet assigned;
  assigned = moved;
  EXPECT_EQ(assigned, moved);
  assigned = std::move(moved);
  EXPECT_EQ(membersByIterator(assigned), (std::vector<unsigned>{1, 4}));
  assigned += ChannelSet(Channel(700));
  EXPECT_EQ(membersByIterator(assigned), (std::vector<unsigned>{1, 4, 700}));
}

} // namespace
