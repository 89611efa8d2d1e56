#include <KXImage/OpMessageHandler.h>

#include <KXImage/Op.h>

#include <atomic>
#include <iostream>
#include <mutex>

namespace KX::Image {

namespace {

std::atomic<int> sIgnoreDepth{0};
std::mutex sReporterMutex;

OpMessageHandler::Reporter& reporter() {
  static OpMessageHandler::Reporter sReporter;
  return sReporter;
}

} // namespace

void OpMessageHandler::IgnoreErrors() {
  ++sIgnoreDepth;
}

void OpMessageHandler::ObserveErrors() {
  int depth = sIgnoreDepth.load();
  while (depth > 0 && !sIgnoreDepth.compare_exchange_weak(depth, depth - 1)) {
  }
}

bool OpMessageHandler::ErrorsIgnored() {
  return sIgnoreDepth.load() > 0;
}

OpMessageHandler::Reporter OpMessageHandler::SetReporter(Reporter newReporter) {
  std::lock_guard<std::mutex> lock(sReporterMutex);
  Reporter previous = std::move(reporter());
  reporter() = std::move(newReporter);
  return previous;
}

void OpMessageHandler::Report(const Op& op, const std::string& message) {
  if (ErrorsIgnored()) {
    return;
  }
  std::lock_guard<std::mutex> lock(sReporterMutex);
  if (reporter()) {
    reporter()(op, message);
  } else {
    std::cerr << op.Class() << ": " << message << '\n';
  }
}

} // namespace KX::Image
