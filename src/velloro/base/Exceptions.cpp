#include <velloro/base/Exceptions.h>

#include <cctype>
#include <cstring>
#include <string_view>

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

namespace {

constexpr std::string_view kAnonymousNamespace = "(anonymous namespace)";

bool isIdentifierCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// How many characters at i belong to something that looks like, but is not, a bracket or a
// blank of the signature's structure: Clang's "(anonymous namespace)", or the symbol of an
// operator whose name holds '<', '>' or "()". 0 when there is none.
std::size_t opaqueTokenLength(std::string_view text, std::size_t i) {
  if (text.compare(i, kAnonymousNamespace.size(), kAnonymousNamespace) == 0) {
    return kAnonymousNamespace.size();
  }
  constexpr std::string_view kOperator = "operator";
  if (i < kOperator.size() || text.compare(i - kOperator.size(), kOperator.size(), kOperator) != 0 ||
      (i > kOperator.size() && isIdentifierCharacter(text[i - kOperator.size() - 1]))) {
    return 0;
  }
  // Longest first, so that "<<=" is not read as "<".
  constexpr std::string_view kSymbols[] = {"<=>", "<<=", ">>=", "->*", "()", "<<",
                                           ">>",  "<=",  ">=",  "->",  "<",  ">"};
  for (std::string_view symbol : kSymbols) {
    if (text.compare(i, symbol.size(), symbol) == 0) {
      return symbol.size();
    }
  }
  return 0;
}

} // namespace

std::string SourceFileName(const char* path) {
  if (!path) {
    return {};
  }
  const std::string_view text(path);
  const std::size_t slash = text.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? text : text.substr(slash + 1));
}

std::string QualifiedFunctionName(const char* signature) {
  if (!signature) {
    return {};
  }
  const std::string_view text(signature);
  // The parameter list opens at the first '(' outside template arguments and outside the
  // tokens that merely contain brackets; the name starts after the last blank before it (the
  // end of the return type).
  std::size_t start = 0;
  std::size_t end = text.size();
  int templateDepth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (const std::size_t length = opaqueTokenLength(text, i)) {
      i += length - 1;
      continue;
    }
    const char c = text[i];
    if (c == '<') {
      ++templateDepth;
    } else if (c == '>' && templateDepth > 0) {
      --templateDepth;
    } else if (templateDepth == 0 && c == ' ') {
      start = i + 1;
    } else if (templateDepth == 0 && c == '(') {
      end = i;
      break;
    }
  }
  return std::string(text.substr(start, end - start));
}

} // namespace Tessel::Base
