#include <velloro/base/Exceptions.h>

#include <cstring>

#define VELLORO_DEFINE_EXCEPTION(ClassName, BaseClass, messageTemplate)                                      \
  ClassName::ClassName() {                                                                                   \
    decorate("UserMessage", messageTemplate);                                                                \
  }                                                                                                          \
  ClassName::ClassName(const std::string& message) {                                                         \
    decorate(ExceptionInfo<std::string>("UserMessage", message));                                            \
  }                                                                                                          \
  ClassName::ClassName(const ClassName& other) = default;                                                    \
  ClassName::ClassName(ClassName&& other) noexcept = default;                                                \
  ClassName& ClassName::operator=(const ClassName& other) = default;                                         \
  ClassName& ClassName::operator=(ClassName&& other) noexcept = default;                                     \
  ClassName::~ClassName() = default

namespace Tessel::Base {

VELLORO_DEFINE_EXCEPTION(Assert, Exception, "Assertion failed: %%(AssertCondition)%%");
VELLORO_DEFINE_EXCEPTION(NotImplemented, Exception, "Unimplemented code path.");
VELLORO_DEFINE_EXCEPTION(TaskNotReadyException, Exception, "Attempted to execute a task that was not ready.");
VELLORO_DEFINE_EXCEPTION(InterruptedException, Exception, "The operation was interrupted.");
VELLORO_DEFINE_EXCEPTION(MessageException, Exception, "%%(Message)%%");
VELLORO_DEFINE_EXCEPTION(RetryTaskException, Exception, "The task asked to be run again.");

namespace Exceptions {

VELLORO_DEFINE_EXCEPTION(Assert, Exception, "Assertion failed: %%(ASSERT_CONDITION)%%");
VELLORO_DEFINE_EXCEPTION(BadCast, Exception, "Bad dynamic cast from %%(FROMTYPENAME)%% to %%(TOTYPENAME)%%.");
VELLORO_DEFINE_EXCEPTION(NotImplemented, Exception, "Unimplemented code path.");
VELLORO_DEFINE_EXCEPTION(NullPointer, Exception, "Tried to access through a null pointer.");
VELLORO_DEFINE_EXCEPTION(OSException, Exception, "OS call returned an error.");
VELLORO_DEFINE_EXCEPTION(UnimplementedVirtualFunction, Exception,
                         "Calling virtual function which needs to be over-ridden.");

File::File() = default;
File::File(const File& other) = default;
File::File(File&& other) noexcept = default;
File& File::operator=(const File& other) = default;
File& File::operator=(File&& other) noexcept = default;
File::~File() = default;

VELLORO_DEFINE_EXCEPTION(FileFormatUnknown, File, "File has unknown format, '%%(FileName)%%'");
VELLORO_DEFINE_EXCEPTION(FileMissing, File, "Failed to find file '%%(FileName)%%'");
VELLORO_DEFINE_EXCEPTION(FileOpen, File, "Failed to open file for %%(FileOperation)%%, '%%(FileName)%%'");
VELLORO_DEFINE_EXCEPTION(FileRead, File, "Failed to read file '%%(FileName)%%'");
VELLORO_DEFINE_EXCEPTION(FileWrite, File, "Failed to write file '%%(FileName)%%'");

} // namespace Exceptions

std::string QualifiedFunctionName(const char* signature) {
  if (!signature) {
    return {};
  }
  const std::string text(signature);
  // The parameter list opens at the first '(' outside template arguments; "operator()" is the
  // one name that contains a parenthesis of its own.
  std::string::size_type end = std::string::npos;
  int templateDepth = 0;
  for (std::string::size_type i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '<') {
      ++templateDepth;
    } else if (c == '>' && templateDepth > 0) {
      --templateDepth;
    } else if (c == '(' && templateDepth == 0) {
      if (text.compare(i, 2, "()") == 0 && i >= 8 && text.compare(i - 8, 8, "operator") == 0) {
        ++i;
        continue;
      }
      end = i;
      break;
    }
  }
  const std::string head = text.substr(0, end);
  // The name starts after the last blank outside template arguments (the return type's end).
  templateDepth = 0;
  std::string::size_type start = 0;
  for (std::string::size_type i = 0; i < head.size(); ++i) {
    const char c = head[i];
    if (c == '<') {
      ++templateDepth;
    } else if (c == '>' && templateDepth > 0) {
      --templateDepth;
    } else if (c == ' ' && templateDepth == 0) {
      start = i + 1;
    }
  }
  return head.substr(start);
}

} // namespace Tessel::Base
