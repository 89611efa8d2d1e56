#pragma once

#include <velloro/VelloroExport.h>

#include <TesselException/Demangle.h>
#include <TesselException/Exception.h>

#include <boost/current_function.hpp>
#include <boost/exception/exception.hpp>

#include <string>
#include <typeinfo>

// The library's exception classes. Each carries a "UserMessage" template of its own that
// names the decorations a thrower supplies (for example "FileName" for the file classes).

#define VELLORO_DECLARE_EXCEPTION(ClassName, BaseClass)                                                      \
  class VELLORO_EXPORT ClassName : public BaseClass {                                                        \
  public:                                                                                                    \
    ClassName();                                                                                             \
    explicit ClassName(const std::string& message);                                                          \
    ClassName(const ClassName& other);                                                                       \
    ClassName(ClassName&& other) noexcept;                                                                   \
    ClassName& operator=(const ClassName& other);                                                            \
    ClassName& operator=(ClassName&& other) noexcept;                                                        \
    ~ClassName() override;                                                                                   \
  }

namespace Tessel::Base {

VELLORO_DECLARE_EXCEPTION(Assert, Exception);
VELLORO_DECLARE_EXCEPTION(NotImplemented, Exception);
VELLORO_DECLARE_EXCEPTION(TaskNotReadyException, Exception);
// Ends a task's run quietly: the run counts as ended and nothing reaches the waiter.
VELLORO_DECLARE_EXCEPTION(InterruptedException, Exception);
// Carries a message given by the thrower; its template is just "%%(Message)%%".
VELLORO_DECLARE_EXCEPTION(MessageException, Exception);
// Thrown from a task's run to have the task queued again in its pool.
VELLORO_DECLARE_EXCEPTION(RetryTaskException, Exception);

namespace Exceptions {

VELLORO_DECLARE_EXCEPTION(Assert, Exception);
VELLORO_DECLARE_EXCEPTION(BadCast, Exception);
VELLORO_DECLARE_EXCEPTION(NotImplemented, Exception);
VELLORO_DECLARE_EXCEPTION(NullPointer, Exception);
VELLORO_DECLARE_EXCEPTION(OSException, Exception);
VELLORO_DECLARE_EXCEPTION(UnimplementedVirtualFunction, Exception);

// The common base of the file exceptions; it has no message of its own.
class VELLORO_EXPORT File : public Exception {
public:
  File();
  File(const File& other);
  File(File&& other) noexcept;
  File& operator=(const File& other);
  File& operator=(File&& other) noexcept;
  ~File() override;
};

VELLORO_DECLARE_EXCEPTION(FileFormatUnknown, File);
VELLORO_DECLARE_EXCEPTION(FileMissing, File);
VELLORO_DECLARE_EXCEPTION(FileOpen, File);
VELLORO_DECLARE_EXCEPTION(FileRead, File);
VELLORO_DECLARE_EXCEPTION(FileWrite, File);

} // namespace Exceptions

// "void Tessel::Base::Task::execute()" -> "Tessel::Base::Task::execute": the qualified name of
// a function from its compiler-provided signature.
VELLORO_EXPORT std::string QualifiedFunctionName(const char* signature);

// "src/velloro/base/Task.cpp" -> "Task.cpp": the file name alone, so that reports do not carry
// the layout (or the absolute paths) of the machine that built the library.
VELLORO_EXPORT std::string SourceFileName(const char* path);

// Adds the location decorations, in this order: "ThrowFile" (the source file's name without its
// directories), "ThrowLine", "ThrowFunction", "ExceptionClass"; then throws so that
// boost::current_exception() captures the exception with its type, for rethrowing on another thread.
template <typename ExceptionType>
[[noreturn]] void ThrowDecorated(ExceptionType& exception, const char* file, int line,
                                 const char* functionSignature) {
  exception.decorate(ExceptionInfo<std::string>("ThrowFile", SourceFileName(file)))
      .decorate(ExceptionInfo<int>("ThrowLine", line))
      .decorate(ExceptionInfo<std::string>("ThrowFunction", QualifiedFunctionName(functionSignature)))
      .decorate(ExceptionInfo<std::string>("ExceptionClass", Demangle(typeid(exception).name())));
  throw boost::enable_current_exception(exception);
}

} // namespace Tessel::Base

// Throws ExceptionType, decorated first with the given specific decorations, for example
//   TESSEL_THROW(Tessel::Base::Assert, .decorate("AssertCondition", "pool"));
#define TESSEL_THROW(ExceptionType, specificDecorations)                                                     \
  TESSEL_THROW_AT_LINE(ExceptionType, __LINE__, specificDecorations)

// The same with a given "ThrowLine", for throws whose line number is part of their contract.
#define TESSEL_THROW_AT_LINE(ExceptionType, line, specificDecorations)                                       \
  do {                                                                                                       \
    ExceptionType tesselThrown_;                                                                             \
    tesselThrown_ specificDecorations;                                                                       \
    ::Tessel::Base::ThrowDecorated(tesselThrown_, __FILE__, (line), BOOST_CURRENT_FUNCTION);                 \
  } while (false)
