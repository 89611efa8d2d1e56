#pragma once

#include <TesselException/ExceptionInfo.h>
#include <TesselException/TesselExceptionExport.h>

#include <memory>
#include <string>
#include <vector>

namespace Tessel::Base {

// The named values an exception carries. "UserMessage" is a template whose %%(Key)%%
// placeholders are replaced by the decorations of those keys.
class TESSEL_EXCEPTION_EXPORT ExceptionDecoration {
public:
  ExceptionDecoration();
  ExceptionDecoration(const ExceptionDecoration& other);
  ExceptionDecoration(ExceptionDecoration&& other) noexcept;
  ExceptionDecoration& operator=(const ExceptionDecoration& other);
  ExceptionDecoration& operator=(ExceptionDecoration&& other) noexcept;
  virtual ~ExceptionDecoration();

  // Adds a decoration, or replaces the value of one with the same key (keeping its place).
  ExceptionDecoration& decorate(const char* key, const char* value);
  ExceptionDecoration& decorate(const ExceptionInfoBase& info);

  // The "UserMessage" text with each placeholder whose key is decorated expanded; a
  // placeholder whose key is not decorated stays as written.
  std::string userMessage() const;

  // The value of the decoration with this key, or null.
  const ExceptionInfoBase* find(const std::string& key) const;
  const std::vector<std::unique_ptr<ExceptionInfoBase>>& decorations() const { return m_decorations; }

protected:
  // Called after every change, so that derived classes can cache texts built from decorations.
  virtual void decorationsChanged();

private:
  void store(std::unique_ptr<ExceptionInfoBase> info);

  std::vector<std::unique_ptr<ExceptionInfoBase>> m_decorations;
};

} // namespace Tessel::Base
