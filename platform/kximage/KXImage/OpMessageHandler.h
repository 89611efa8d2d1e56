#pragma once

#include <KXImage/KXImageExport.h>

#include <functional>
#include <string>

namespace KX::Image {

class Op;

// Where the SDK reports op errors. IgnoreErrors() and ObserveErrors() nest: errors are reported
// again once every IgnoreErrors() has been matched. An ignored error is still recorded on its
// op (Op::hasError()); it is only not reported.
//
// Threads: safe from any thread; the reporter is called on the thread that met the error.
class KXIMAGE_EXPORT OpMessageHandler {
public:
  using Reporter = std::function<void(const Op& op, const std::string& message)>;

  static void IgnoreErrors();
  static void ObserveErrors();
  static bool ErrorsIgnored();

  // Replaces the reporter (by default errors go to the standard error stream); returns the
  // previous one. A null reporter restores the default.
  static Reporter SetReporter(Reporter reporter);
  static void Report(const Op& op, const std::string& message);
};

} // namespace KX::Image
