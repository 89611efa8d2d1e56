#include <TesselException/Demangle.h>
#include <TesselException/Exception.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Tessel::Base::Exception;
using Tessel::Base::ExceptionInfo;

TEST(ExceptionDecoration, UserMessageExpandsEveryDecoratedPlaceholder) {
  Exception error;
  error.decorate("UserMessage", "Failed to open %%(Name)%% for %%(Operation)%% (%%(Name)%%)")
      .decorate("Name", "a.exr")
      .decorate(ExceptionInfo<std::string>("Operation", "reading"));
  EXPECT_EQ(error.userMessage(), "Failed to open a.exr for reading (a.exr)");
  EXPECT_STREQ(error.what(), "Failed to open a.exr for reading (a.exr)");

  // Numbers print as numbers; an undecorated key and a half-open placeholder stay as written.
  Exception partial;
  partial.decorate("UserMessage", "line %%(Line)%% in %%(Missing)%% and %%(Open")
      .decorate(ExceptionInfo<int>("Line", 42));
  EXPECT_EQ(partial.userMessage(), "line 42 in %%(Missing)%% and %%(Open");

  EXPECT_EQ(Exception().userMessage(), "");
  EXPECT_STREQ(Exception().what(), "");
}

TEST(ExceptionDecoration, ReportListsDecorationsInOrderAndAKeyDecoratedAgainKeepsItsPlace) {
  Exception error;
  error.decorate("UserMessage", "%%(A)%%")
      .decorate("A", "first")
      .decorate(ExceptionInfo<int>("ThrowLine", 12));
  error.decorate("A", "second");
  EXPECT_STREQ(error.what(), "second");
  EXPECT_EQ(error.report(),
            "Tessel::Base::Exception\n  UserMessage: %%(A)%%\n  A: second\n  ThrowLine: 12\n");
}

TEST(ExceptionDecoration, CopiesAndMovesKeepEveryDecoration) {
  Exception original;
  original.decorate("UserMessage", "%%(File)%% at %%(Line)%%")
      .decorate("File", "a.cpp")
      .decorate(ExceptionInfo<int>("Line", 7));

  Exception copy(original);
  EXPECT_STREQ(copy.what(), "a.cpp at 7");
  copy.decorate("File", "b.cpp");
  EXPECT_STREQ(original.what(), "a.cpp at 7") << "a copy must not share decorations";

  Exception assigned;
  assigned = copy;
  EXPECT_STREQ(assigned.what(), "b.cpp at 7");

  Exception moved(std::move(copy));
  EXPECT_STREQ(moved.what(), "b.cpp at 7");
  Exception moveAssigned;
  moveAssigned = std::move(moved);
  EXPECT_STREQ(moveAssigned.what(), "b.cpp at 7");
  EXPECT_EQ(moveAssigned.decorations().size(), 3u);
  Exception& self = moveAssigned;
  moveAssigned = std::move(self);
  EXPECT_STREQ(moveAssigned.what(), "b.cpp at 7") << "moving onto itself keeps the decorations";
}

TEST(Demangle, GivesReadableTypeNames) {
  EXPECT_EQ(Tessel::Base::Demangle(typeid(Exception).name()), "Tessel::Base::Exception");
  EXPECT_EQ(Tessel::Base::Demangle(typeid(std::map<int, std::string>).name()).rfind("std::map<int", 0), 0u);
  EXPECT_EQ(Tessel::Base::Demangle("not a mangled name"), "not a mangled name");
  EXPECT_EQ(Tessel::Base::Demangle(nullptr), "");
}

} // namespace
