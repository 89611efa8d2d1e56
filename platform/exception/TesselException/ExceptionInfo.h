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

  const std::string& key() const { return _key; }
  virtual std::string valueText() const = 0;
  virtual std::unique_ptr<ExceptionInfoBase> clone() const = 0;

protected:
  ExceptionInfoBase(const ExceptionInfoBase&) = default;
  ExceptionInfoBase& operator=(const ExceptionInfoBase&) = default;

private:
  std::string _key;
};

// A decoration value of type T; T must be printable with operator<<.
template <typename T> class ExceptionInfo : public ExceptionInfoBase {
public:
  ExceptionInfo(const char* key, T value)
      : ExceptionInfoBase(key)
      , _value(std::move(value)) {}

  const T& value() const { return _value; }

  std::string valueText() const override {
    std::ostringstream text;
    text << _value;
    return text.str();
  }

  std::unique_ptr<ExceptionInfoBase> clone() const override {
    return std::make_unique<ExceptionInfo<T>>(*this);
  }

private:
  T _value;
};

template <> inline std::string ExceptionInfo<std::string>::valueText() const {
  return _value;
}

} // namespace Tessel::Base
