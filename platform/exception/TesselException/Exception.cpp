#include <TesselException/Demangle.h>
#include <TesselException/Exception.h>

#include <typeinfo>

namespace Tessel::Base {

Exception::Exception() = default;

Exception::Exception(const Exception& other)
    : ExceptionDecoration(other)
    , std::exception(other)
    , m_message(other.m_message) {}

Exception::Exception(Exception&& other) noexcept
    : ExceptionDecoration(std::move(other))
    , std::exception(other)
    , m_message(std::move(other.m_message)) {}

Exception& Exception::operator=(const Exception& other) {
  ExceptionDecoration::operator=(other);
  return *this;
}

Exception& Exception::operator=(Exception&& other) noexcept {
  ExceptionDecoration::operator=(std::move(other));
  return *this;
}

Exception::~Exception() = default;

const char* Exception::what() const noexcept {
  return m_message.c_str();
}

std::string Exception::report() const {
  std::string text = Demangle(typeid(*this).name());
  text += '\n';
  for (const auto& info : decorations()) {
    text += "  ";
    text += info->key();
    text += ": ";
    text += info->valueText();
    text += '\n';
  }
  return text;
}

void Exception::decorationsChanged() {
  // Kept up to date here so that what() needs no allocation and is safe to call concurrently.
  m_message = userMessage();
}

} // namespace Tessel::Base
