#include <velloro/base/System.h>

#include <QProcessEnvironment>
#include <QString>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

namespace Velloro::System {

namespace {

constexpr int kVariableCount = 21;

constexpr std::array<const char*, kVariableCount> kVariableNames = {
    "ORVIK_TIMELINE_EXR_THREAD_POOL_SIZE",
    "ORVIK_TIMELINE_GL_DOWNLOAD_METHOD",
    "ORVIK_TIMELINE_MEMCPY_CHUNK_SIZE",
    "ORVIK_TIMELINE_MEMCPY_THREAD_POOL_SIZE",
    "ORVIK_TIMELINE_NUMA_NODE_MEMCPY_THREAD_POOL",
    "ORVIK_TIMELINE_NUMA_NODE_PBO_CREATE",
    "ORVIK_TIMELINE_NUMA_NODE_PLAYBACK_CACHE",
    "ORVIK_TIMELINE_NUMA_PRINT_THREAD_AFFINITY",
    "ORVIK_TIMELINE_PIN_THREAD_POOLS",
    "ORVIK_TIMELINE_SHARED_THREAD_POOL_SIZE",
    "ORVIK_TIMELINE_USE_DEFAULT_EXR_THREAD_POOL",
    "ORVIK_TIMELINE_USE_SHARED_THREAD_POOL",
    "ORVIK_TIMELINE_VSYNC_SWAP_WAIT_ADJUSTMENT",
    "ORVIK_MONITOR_OUT_DISALLOW_DISPLAY_MODE_SORTING",
    "ORVIK_MONITOR_OUT_ENABLE_3D_SCOPE",
    "ORVIK_OCIO_ROLES",
    "ORVIK_MXF_READER_ENFORCE_ARRI7",
    "ORVIK_TIMELINE_ENABLE_OPVIEW",
    "ORVIK_DISABLE_SOFT_SELECTION",
    "ORVIK_TIMELINE_TEXTURE_UPLOAD_THREAD_POOL_SIZE",
    "ORVIK_ENABLE_WINDOWS_INK",
};

std::array<QVariant, kVariableCount>& valueTable() {
  static std::array<QVariant, kVariableCount> table;
  return table;
}

// Forces the table's construction when the library loads, as the host may read it at once.
const bool kTableBuiltAtLoad = (valueTable(), true);

bool inRange(int variable) {
  return variable >= 0 && variable < kVariableCount;
}

QString variableName(int variable) {
  return inRange(variable) ? QString::fromLatin1(kVariableNames[variable]) : QString();
}

QVariant defaultValue(EnvironmentVariable variable, unsigned hardwareThreads) {
  switch (variable) {
  case ORVIK_TIMELINE_EXR_THREAD_POOL_SIZE:
    return HardwareThreadShare(0.5, hardwareThreads);
  case ORVIK_TIMELINE_GL_DOWNLOAD_METHOD:
    return QString("GetTexImage");
  case ORVIK_TIMELINE_MEMCPY_CHUNK_SIZE:
    return 10240;
  case ORVIK_TIMELINE_MEMCPY_THREAD_POOL_SIZE:
    return HardwareThreadShare(0.25, hardwareThreads);
  case ORVIK_TIMELINE_NUMA_NODE_PBO_CREATE:
    return 0;
  case ORVIK_TIMELINE_SHARED_THREAD_POOL_SIZE:
    return HardwareThreadShare(0.75, hardwareThreads);
  case ORVIK_TIMELINE_VSYNC_SWAP_WAIT_ADJUSTMENT:
    return 1;
  case ORVIK_TIMELINE_PIN_THREAD_POOLS:
  case ORVIK_TIMELINE_USE_DEFAULT_EXR_THREAD_POOL:
  case ORVIK_TIMELINE_USE_SHARED_THREAD_POOL:
  case ORVIK_MONITOR_OUT_DISALLOW_DISPLAY_MODE_SORTING:
  case ORVIK_MONITOR_OUT_ENABLE_3D_SCOPE:
  case ORVIK_MXF_READER_ENFORCE_ARRI7:
  case ORVIK_TIMELINE_ENABLE_OPVIEW:
  case ORVIK_DISABLE_SOFT_SELECTION:
  case ORVIK_ENABLE_WINDOWS_INK:
    return false;
  case ORVIK_TIMELINE_NUMA_NODE_MEMCPY_THREAD_POOL:
  case ORVIK_TIMELINE_NUMA_NODE_PLAYBACK_CACHE:
  case ORVIK_TIMELINE_NUMA_PRINT_THREAD_AFFINITY:
  case ORVIK_OCIO_ROLES:
  case ORVIK_TIMELINE_TEXTURE_UPLOAD_THREAD_POOL_SIZE:
    break;
  }
  return {};
}

} // namespace

int HardwareThreadShare(double share, unsigned hardwareThreads) {
  return std::max(static_cast<int>(hardwareThreads * share), 1);
}

void LoadEnvironmentVariables() {
  (void)kTableBuiltAtLoad;
  const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  const unsigned hardwareThreads = std::thread::hardware_concurrency();
  auto& table = valueTable();
  for (int index = 0; index < kVariableCount; ++index) {
    const QString name = variableName(index);
    const QString text = environment.value(name, QString());
    if (text.isEmpty()) {
      table[index] = defaultValue(static_cast<EnvironmentVariable>(index), hardwareThreads);
      continue;
    }
    bool isInteger = false;
    const int number = text.toInt(&isInteger, 10);
    table[index] = isInteger ? QVariant(number) : QVariant(text);
    std::cout << "Environment variable " << '"' << name.toStdString() << '"' << " is set to "
              << text.toStdString() << std::endl;
  }
}

QVariant EnvironmentVariableValue(EnvironmentVariable variable) {
  if (!inRange(variable)) {
    return {};
  }
  return valueTable()[variable];
}

bool IsEnvTruthy(const char* name) {
  const char* value = name ? std::getenv(name) : nullptr;
  if (!value) {
    return false;
  }
  std::string text(value);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text == "1" || text == "true" || text == "on" || text == "yes";
}

} // namespace Velloro::System
