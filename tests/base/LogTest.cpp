#include <velloro/base/Log.h>

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <atomic>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace Tessel::Log;

std::vector<std::string> readLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

const std::string kStamp = R"(\[\d{4}/\d{2}/\d{2}:\d{2}:\d{2}:\d{2}\] )";

class LogToFile : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(directory.isValid());
    path = directory.filePath("velloro.log").toStdString();
    setLogFile(path);
    ASSERT_EQ(logFilePath(), path);
    setLogLevel(eMessage, false);
    setApplicationName("");
  }
  void TearDown() override { setApplicationName(""); }

  QTemporaryDir directory;
  std::string path;
};

// "verbose", "all" and unknown words are read from the environment by the first-use cases.
TEST(LogLevel, WordsParseCaseInsensitivelyAndUnknownWordsFallBackToError) {
  EXPECT_EQ(parseLogLevel("Quiet"), eQuiet);
  EXPECT_EQ(parseLogLevel("ERROR"), eError);
  EXPECT_EQ(parseLogLevel("Message"), eMessage);
  EXPECT_EQ(parseLogLevel(""), eUnset);

  setLogLevel("warning", false);
  EXPECT_EQ(logLevel(), eWarning);
  setLogLevel("nonsense", false);
  EXPECT_EQ(logLevel(), eError) << "an unknown word leaves the level unset, which reads as Error";
}

TEST_F(LogToFile, HeadersCarryApplicationCategoryLevelAndTime) {
  { LogLine(eError, 0) << "plain " << 42; }
  { LogLine(eVerbose, 0) << "too verbose"; }
  EXPECT_FALSE(beginLogLine(eVerbose, 0)) << "a line that does not pass writes no header";

  setApplicationName("Host");
  { LogLine(eWarning, 0) << "named"; }

  setCategoryName(7, "IO");
  { LogLine(eWarning, 7) << "category not enabled yet"; }
  enableCategory(7);
  { LogLine(eWarning, 7) << "in category"; }
  setApplicationName("");
  { LogLine(eMessage, 7) << "no application"; }
  enablePlainCategory(7);
  { LogLine(eMessage, 7) << "plain category"; }
  disablePlainCategory(7);
  disableCategory(7);
  { LogLine(eError, 7) << "disabled again"; }

  const auto lines = readLines(path);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_TRUE(std::regex_match(lines[0], std::regex(R"(\[Error\])" + kStamp + "plain 42"))) << lines[0];
  EXPECT_TRUE(std::regex_match(lines[1], std::regex(R"(\[Host Warning\])" + kStamp + "named"))) << lines[1];
  EXPECT_TRUE(std::regex_match(lines[2], std::regex(R"(\[Host/IO Warning\])" + kStamp + "in category")))
      << lines[2];
  EXPECT_TRUE(std::regex_match(lines[3], std::regex(R"(\[IO Message\])" + kStamp + "no application")))
      << lines[3];
  EXPECT_EQ(lines[4], "[IO] plain category");
}

TEST_F(LogToFile, AnUnopenableFileIsReportedAndChangesNothing) {
  ::testing::internal::CaptureStderr();
  setLogFile("/nonexistent-velloro-directory/other.log");
  const std::string error = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(error, "Tessel::Log Error cannot open /nonexistent-velloro-directory/other.log for writing \n");
  EXPECT_EQ(logFilePath(), path);
  { LogLine(eError, 0) << "still here"; }
  ASSERT_EQ(readLines(path).size(), 1u);
}

// Run under ThreadSanitizer: writers, through lines and through logStream(), while another
// thread switches the file; every line lands whole, never interleaved, in one of the files.
TEST_F(LogToFile, WritersKeepWritingWhileTheFileChanges) {
  const std::string other = directory.filePath("other.log").toStdString();
  constexpr int kWriters = 4;
  constexpr int kLinesEach = 300;
  std::atomic<bool> done{false};
  std::thread switcher([&] {
    for (int i = 0; !done; ++i) {
      setLogFile(i % 2 ? path : other);
    }
  });
  // The writers start together and yield between the pieces of a line, so that they overlap
  // each other and the switches even on a busy machine.
  std::atomic<int> waiting{kWriters};
  std::vector<std::thread> writers;
  for (int t = 0; t < kWriters; ++t) {
    writers.emplace_back([t, &waiting] {
      for (--waiting; waiting > 0;) {
        std::this_thread::yield();
      }
      for (int i = 0; i < kLinesEach; ++i) {
        if (i % 2) {
          LogLine(eError, 0) << "writer " << t << " line " << i << " end";
        } else if (beginLogLine(eError, 0)) {
          std::ostream& out = logStream();
          out << "writer " << t;
          std::this_thread::yield();
          out << " line " << i << " end" << std::endl;
        }
      }
    });
  }
  for (auto& writer : writers) {
    writer.join();
  }
  done = true;
  switcher.join();
  auto lines = readLines(path);
  const auto otherLines = readLines(other);
  lines.insert(lines.end(), otherLines.begin(), otherLines.end());
  EXPECT_EQ(lines.size(), static_cast<size_t>(kWriters * kLinesEach));
  const std::regex whole(R"(\[Error\])" + kStamp + R"(writer \d line \d+ end)");
  for (const auto& line : lines) {
    ASSERT_TRUE(std::regex_match(line, whole)) << line;
  }
}

} // namespace
