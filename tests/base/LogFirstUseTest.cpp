// Cases that depend on the environment seen on first use; each runs in its own process,
// started by a ctest entry that sets the environment it names.
#include <velloro/base/Log.h>
#include <velloro/base/System.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {

using namespace Tessel::Log;

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(LogFirstUse, PathFromLogFileVariable) {
  const std::string path = std::string(VELLORO_TEST_LOG_DIR) + "/first-use.log";
  std::remove(path.c_str());
  EXPECT_EQ(logFilePath(), path);
  std::ostream& stream = logStream();
  EXPECT_NE(&stream, &std::cerr);
  EXPECT_EQ(&logStream(), &stream) << "the stream is chosen once";
  { LogLine(eError, 0) << "into the file"; }
  EXPECT_NE(fileText(path).find("] into the file\n"), std::string::npos);
  setenv("TESSEL_LOG_FILE", "/elsewhere.log", 1);
  EXPECT_EQ(logFilePath(), path) << "the path is chosen once";
}

TEST(LogFirstUse, EmptyLogFileVariableMeansStandardError) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(logFilePath(), "");
  logStream() << "by hand" << std::endl;
  { LogLine(eError, 0) << "to standard error"; }
  const std::string error = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(error.find("cannot open"), std::string::npos);
  EXPECT_NE(error.find("by hand\n"), std::string::npos);
  EXPECT_NE(error.find("] to standard error\n"), std::string::npos);
}

TEST(LogFirstUse, DefaultFileInTemp) {
  EXPECT_EQ(logFilePath(), std::string(VELLORO_TEST_LOG_DIR) + "/tessel.log");
}

TEST(LogFirstUse, DefaultFileInTmpdir) {
  EXPECT_EQ(logFilePath(), std::string(VELLORO_TEST_LOG_DIR) + "/tessel.log");
}

TEST(LogFirstUse, DefaultFileInSlashTmp) {
  EXPECT_EQ(logFilePath(), "/tmp/tessel.log");
}

TEST(LogFirstUse, LongUnopenablePath) {
  const std::string path = std::getenv("TESSEL_LOG_FILE");
  ASSERT_GE(path.size(), 260u);
  ::testing::internal::CaptureStderr();
  logStream() << "by hand" << std::endl;
  const std::string error = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(error, "Tessel::Log Error cannot open " + path +
                       " for writing \nPossibly failing because log name is too long. In the "
                       "Windows API maximum length for a path is 260 characters (including null "
                       "terminating char).\nby hand\n");
}

TEST(LogFirstUse, LevelVerboseFromEnvironment) {
  EXPECT_EQ(logLevel(), eVerbose);
  setLogLevel(eWarning, false);
  EXPECT_EQ(logLevel(), eWarning);
  setLogLevel(eWarning, true);
  EXPECT_EQ(logLevel(), eVerbose) << "the environment wins when allowed";
}

TEST(LogFirstUse, UnknownLevelWordMeansError) {
  EXPECT_EQ(logLevel(), eError);
  setLogLevel(eMessage, true);
  EXPECT_EQ(logLevel(), eMessage);
}

TEST(Environment, BeforeLoadEveryValueIsInvalid) {
  for (int variable = 0; variable <= 20; ++variable) {
    EXPECT_FALSE(
        Velloro::System::EnvironmentVariableValue(static_cast<Velloro::System::EnvironmentVariable>(variable))
            .isValid())
        << variable;
  }
}

} // namespace
