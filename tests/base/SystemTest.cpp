#include <velloro/base/System.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

namespace {

using namespace Velloro::System;

TEST(Environment, LoadTypesSetValuesEchoesThemAndFallsBackToDefaults) {
  setenv("ORVIK_TIMELINE_MEMCPY_CHUNK_SIZE", "4096", 1);
  setenv("ORVIK_TIMELINE_GL_DOWNLOAD_METHOD", "PBO", 1);
  setenv("ORVIK_OCIO_ROLES", "true", 1);
  setenv("ORVIK_TIMELINE_VSYNC_SWAP_WAIT_ADJUSTMENT", "", 1);
  setenv("ORVIK_TIMELINE_NUMA_NODE_PBO_CREATE", "-2", 1);
  unsetenv("ORVIK_TIMELINE_EXR_THREAD_POOL_SIZE");
  unsetenv("ORVIK_TIMELINE_MEMCPY_THREAD_POOL_SIZE");
  unsetenv("ORVIK_TIMELINE_SHARED_THREAD_POOL_SIZE");
  unsetenv("ORVIK_TIMELINE_PIN_THREAD_POOLS");
  unsetenv("ORVIK_TIMELINE_NUMA_PRINT_THREAD_AFFINITY");

  ::testing::internal::CaptureStdout();
  LoadEnvironmentVariables();
  const std::string echo = ::testing::internal::GetCapturedStdout();

  EXPECT_NE(echo.find("Environment variable \"ORVIK_TIMELINE_MEMCPY_CHUNK_SIZE\" is set to 4096\n"),
            std::string::npos)
      << echo;
  EXPECT_NE(echo.find("Environment variable \"ORVIK_OCIO_ROLES\" is set to true\n"), std::string::npos);
  EXPECT_EQ(echo.find("VSYNC"), std::string::npos) << "an empty value counts as unset and is not echoed";

  const QVariant chunk = EnvironmentVariableValue(ORVIK_TIMELINE_MEMCPY_CHUNK_SIZE);
  EXPECT_EQ(chunk.typeId(), QMetaType::Int);
  EXPECT_EQ(chunk.toInt(), 4096);
  EXPECT_EQ(EnvironmentVariableValue(ORVIK_TIMELINE_NUMA_NODE_PBO_CREATE).toInt(), -2);
  const QVariant roles = EnvironmentVariableValue(ORVIK_OCIO_ROLES);
  EXPECT_EQ(roles.typeId(), QMetaType::QString) << "true stays text; consumers convert it";
  EXPECT_EQ(roles.toString(), "true");
  EXPECT_EQ(EnvironmentVariableValue(ORVIK_TIMELINE_GL_DOWNLOAD_METHOD).toString(), "PBO");
  EXPECT_EQ(EnvironmentVariableValue(ORVIK_TIMELINE_VSYNC_SWAP_WAIT_ADJUSTMENT).toInt(), 1);

  const QVariant pin = EnvironmentVariableValue(ORVIK_TIMELINE_PIN_THREAD_POOLS);
  EXPECT_EQ(pin.typeId(), QMetaType::Bool);
  EXPECT_FALSE(pin.toBool());
  EXPECT_FALSE(EnvironmentVariableValue(ORVIK_TIMELINE_NUMA_PRINT_THREAD_AFFINITY).isValid());

  const unsigned threads = std::thread::hardware_concurrency();
  EXPECT_EQ(EnvironmentVariableValue(ORVIK_TIMELINE_EXR_THREAD_POOL_SIZE).toInt(),
            HardwareThreadShare(0.5, threads));
  EXPECT_EQ(EnvironmentVariableValue(ORVIK_TIMELINE_SHARED_THREAD_POOL_SIZE).toInt(),
            HardwareThreadShare(0.75, threads));

  // Loading again re-reads everything.
  unsetenv("ORVIK_TIMELINE_MEMCPY_CHUNK_SIZE");
  unsetenv("ORVIK_TIMELINE_GL_DOWNLOAD_METHOD");
  ::testing::internal::CaptureStdout();
  LoadEnvironmentVariables();
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(EnvironmentVariableValue(ORVIK_TIMELINE_MEMCPY_CHUNK_SIZE).toInt(), 10240);
  EXPECT_EQ(EnvironmentVariableValue(ORVIK_TIMELINE_GL_DOWNLOAD_METHOD).toString(), "GetTexImage");

  EXPECT_FALSE(EnvironmentVariableValue(static_cast<EnvironmentVariable>(21)).isValid());
  EXPECT_FALSE(EnvironmentVariableValue(static_cast<EnvironmentVariable>(-1)).isValid());
}

TEST(Environment, ThreadPoolDefaultsAreSharesOfTheHardwareThreadsAndAtLeastOne) {
  EXPECT_EQ(HardwareThreadShare(0.5, 1), 1);
  EXPECT_EQ(HardwareThreadShare(0.5, 6), 3);
  EXPECT_EQ(HardwareThreadShare(0.25, 6), 1);
  EXPECT_EQ(HardwareThreadShare(0.75, 6), 4);
  EXPECT_EQ(HardwareThreadShare(0.5, 0), 1) << "an unknown count still gives one thread";
}

TEST(Environment, TruthyWordsAreExactAndCaseInsensitive) {
  const char* name = "VELLORO_TEST_TRUTHY";
  for (const char* yes : {"TRUE", "On", "YES", "1", "true"}) {
    setenv(name, yes, 1);
    EXPECT_TRUE(IsEnvTruthy(name)) << yes;
  }
  for (const char* no : {"0", "false", "enabled", "2", "y", " yes", "yes ", ""}) {
    setenv(name, no, 1);
    EXPECT_FALSE(IsEnvTruthy(name)) << '"' << no << '"';
  }
  unsetenv(name);
  EXPECT_FALSE(IsEnvTruthy(name));
  EXPECT_FALSE(IsEnvTruthy(nullptr));
}

} // namespace
