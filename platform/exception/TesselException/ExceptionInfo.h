#pragma once

#include <TesselException/TesselExceptionExport.h>

#include <memory>
#include <sstream>
#include <string>

namespace Tessel::Base {

// One named value carried by an exception: a key and a value that can be printed.
class TESSEL_EXCEPTION_EXPORT ExceptionInfoBase {
public:
  explicit ExceptionInfoBase(const char* key);
  virtual ~ExceptionInfoBase();

  const std::string& key() const { return m_key; }
  virtual std::string valueText() const = 0;
  virtual std::unique_ptr<ExceptionInfoBase> clone() const = 0;

protected:
  ExceptionInfoBase(const ExceptionInfoBase&) = default;
  ExceptionInfoBase& operator=(const ExceptionInfoBase&) = default;

private:
  std::string m_key;
};

// A decoration value of type T; T must be printable with operator<<.
template <typename T> class ExceptionInfo : public ExceptionInfoBase {
public:
  ExceptionInfo(const char* key, T value)
      : ExceptionInfoBase(key)
      , m_value(std::move(value)) {}

  const T& value() const { return m_value; }

  std::string valueText() const override {
    std::ostringstream text;
    text << m_value;
    return text.str();
  }

  std::unique_ptr<ExceptionInfoBase> clone() const override {
    return std::make_unique<ExceptionInfo<T>>(*this);
  }

private:
  T m_value;
};

template <> inline std::string ExceptionInfo<std::string>::valueText() const {
  return m_value;
}

} // namespace Tessel::Base
