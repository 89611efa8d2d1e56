#pragma once

#include <TesselException/ExceptionDecoration.h>
#include <TesselException/TesselExceptionExport.h>

#include <exception>
#include <string>

namespace Tessel::Base {

// Base of every decorated exception. what() is the expanded user message.
// An exception object may be read from several threads once thrown; only its thrower changes it.
class TESSEL_EXCEPTION_EXPORT Exception : public ExceptionDecoration, public std::exception {
public:
  Exception();
  Exception(const Exception& other);
  Exception(Exception&& other) noexcept;
  Exception& operator=(const Exception& other);
  Exception& operator=(Exception&& other) noexcept;
  ~Exception() override;

  const char* what() const noexcept override;

  // The exception's class and every decoration, one per line, for logs.
  std::string report() const;

protected:
  void decorationsChanged() override;

private:
  std::string m_message;
};

} // namespace Tessel::Base
