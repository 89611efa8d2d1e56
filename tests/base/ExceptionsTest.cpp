#include "TaskTestSupport.h"

#include <boost/exception_ptr.hpp>
#include <boost/thread/thread.hpp>

#include <string>

namespace {

using namespace Tessel::Base;

// Two assertion classes that share a message: a handler of one must not catch the other.
static_assert(!std::is_base_of_v<Exceptions::Assert, Assert> &&
              !std::is_base_of_v<Assert, Exceptions::Assert>);
static_assert(std::is_base_of_v<Exceptions::File, Exceptions::FileWrite>);

TEST(Exceptions, DefaultMessagesFillTheirPlaceholders) {
  Exceptions::BadCast cast;
  cast.decorate("FROMTYPENAME", "Op").decorate("TOTYPENAME", "Iop");
  EXPECT_STREQ(cast.what(), "Bad dynamic cast from Op to Iop.");

  Assert assertion;
  assertion.decorate("AssertCondition", "pool");
  EXPECT_STREQ(assertion.what(), "Assertion failed: pool");
  Exceptions::Assert otherAssertion;
  otherAssertion.decorate("ASSERT_CONDITION", "x > 0");
  EXPECT_STREQ(otherAssertion.what(), "Assertion failed: x > 0");

  EXPECT_STREQ(Exceptions::UnimplementedVirtualFunction().what(),
               "Calling virtual function which needs to be over-ridden.");
  EXPECT_STREQ(Exceptions::File().what(), "") << "the file base class has no message of its own";
  EXPECT_STREQ(Exceptions::FileWrite().what(), "Failed to write file '%%(FileName)%%'")
      << "a placeholder without its decoration stays";
}

TEST(Exceptions, AMessageGivenToTheConstructorReplacesTheTemplate) {
  Exceptions::FileMissing missing("no such plate");
  EXPECT_STREQ(missing.what(), "no such plate");
  EXPECT_EQ(decoration(missing, "UserMessage"), "no such plate");

  Exceptions::FileMissing copy(missing);
  copy.decorate("FileName", "b.exr");
  EXPECT_STREQ(copy.what(), "no such plate");
  EXPECT_EQ(decoration(missing, "FileName"), "<absent>");
}

void throwingMember() {
  TESSEL_THROW(Exceptions::FileRead, .decorate("FileName", "c.exr"));
}

struct Thrower {
  void attach() { TESSEL_THROW_AT_LINE(Assert, 186, .decorate("AssertCondition", "!_pool")); }
};

TEST(Exceptions, ThrowHelperDecoratesLocationInOrderAndCanCrossThreads) {
  try {
    throwingMember();
    FAIL() << "nothing thrown";
  } catch (const Exceptions::FileRead& error) {
    EXPECT_STREQ(error.what(), "Failed to read file 'c.exr'");
    std::vector<std::string> keys;
    for (const auto& info : error.decorations()) {
      keys.push_back(info->key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"UserMessage", "FileName", "ThrowFile", "ThrowLine",
                                              "ThrowFunction", "ExceptionClass"}));
    EXPECT_EQ(decoration(error, "ThrowFile"), "ExceptionsTest.cpp") << "no directories";
    EXPECT_GT(std::stoi(decoration(error, "ThrowLine")), 0);
    EXPECT_EQ(decoration(error, "ThrowFunction"), "{anonymous}::throwingMember");
    EXPECT_EQ(decoration(error, "ExceptionClass"), "Tessel::Base::Exceptions::FileRead");
  }

  // Captured on a worker thread, rethrown here with its type and decorations.
  boost::exception_ptr captured;
  boost::thread worker([&] {
    try {
      Thrower().attach();
    } catch (...) {
      captured = boost::current_exception();
    }
  });
  worker.join();
  ASSERT_TRUE(captured);
  EXPECT_EQ(
      whatThrown<Assert>([&] { boost::rethrow_exception(captured); }, "{anonymous}::Thrower::attach", 186),
      "Assertion failed: !_pool");
}

TEST(Exceptions, QualifiedFunctionNameStripsReturnTypeAndParameters) {
  EXPECT_EQ(QualifiedFunctionName("void Tessel::Base::Task::execute()"), "Tessel::Base::Task::execute");
  EXPECT_EQ(QualifiedFunctionName("bool Tessel::Base::Task::isReady() const"), "Tessel::Base::Task::isReady");
  EXPECT_EQ(QualifiedFunctionName("std::map<int, std::basic_string<char> > A::B::f(int, char)"), "A::B::f");
  EXPECT_EQ(QualifiedFunctionName("void A::Functor::operator()(int)"), "A::Functor::operator()");
  EXPECT_EQ(QualifiedFunctionName("A::A()"), "A::A");
  // Operators whose names hold brackets, and Clang's spelling of an anonymous namespace.
  EXPECT_EQ(QualifiedFunctionName("bool A::operator<(const A&) const"), "A::operator<");
  EXPECT_EQ(QualifiedFunctionName("std::ostream& A::operator<<(std::ostream&, const A&)"), "A::operator<<");
  EXPECT_EQ(QualifiedFunctionName("bool operator<=(const A&, const A&)"), "operator<=");
  EXPECT_EQ(QualifiedFunctionName("bool A::operator>(int)"), "A::operator>");
  EXPECT_EQ(QualifiedFunctionName("void (anonymous namespace)::f(int)"), "(anonymous namespace)::f");
  EXPECT_EQ(QualifiedFunctionName("int (anonymous namespace)::B<int>::operator()(int)"),
            "(anonymous namespace)::B<int>::operator()");
  EXPECT_EQ(SourceFileName("/home/builder/src/velloro/base/Task.cpp"), "Task.cpp");
  EXPECT_EQ(SourceFileName("..\\src\\Task.cpp"), "Task.cpp");
  EXPECT_EQ(QualifiedFunctionName(""), "");
  EXPECT_EQ(QualifiedFunctionName(nullptr), "");
}

} // namespace
