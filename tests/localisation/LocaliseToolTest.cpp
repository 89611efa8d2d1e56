#include "TestFiles.h"

#include "CommandLine.h"
#include "Sizes.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

namespace {

namespace fs = boost::filesystem;
using namespace LocalisationTesting;
using namespace VelloroLocalise;

TEST(LocaliseTool, ParsesAndFormatsSizes) {
  EXPECT_EQ(parseSize("512"), 512u);
  EXPECT_EQ(parseSize("64K"), 65536u);
  EXPECT_EQ(parseSize("64k"), 65536u);
  EXPECT_EQ(parseSize("1.5G"), 1536u * 1024 * 1024);
  EXPECT_EQ(parseSize("10GiB"), std::uint64_t(10) << 30);
  EXPECT_EQ(parseSize("3MB"), 3u << 20);
  EXPECT_EQ(parseSize("2T"), std::uint64_t(2) << 40);
  for (const char* bad : {"", "K", "1X", "-1", "1..2", "abc", "1 G", "1GG", "99999999999T"}) {
    EXPECT_FALSE(parseSize(bad).has_value()) << bad;
  }
  EXPECT_EQ(formatSize(1000), "1000 B");
  EXPECT_EQ(formatSize(1536), "1.5 KiB");
  EXPECT_EQ(formatSize(std::uint64_t(10) << 30), "10.0 GiB");
}

ParsedCommandLine parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "velloro-localise");
  return parseCommandLine(static_cast<int>(arguments.size()), const_cast<char**>(arguments.data()));
}

TEST(LocaliseTool, CommandLineDefaultsAndUsageErrors) {
  ::setenv("XDG_CACHE_HOME", "/xdg", 1);
  const ParsedCommandLine list = parse({"list"});
  ASSERT_TRUE(list.options) << list.error;
  EXPECT_EQ(list.options->cacheDirectory, "/xdg/velloro");
  EXPECT_EQ(list.options->limit, std::uint64_t(10) << 30);
  EXPECT_EQ(list.options->limitMode, Velloro::LocalisationEngine::eMaximumUsage);
  ::unsetenv("XDG_CACHE_HOME");
  EXPECT_EQ(defaultCacheDirectory(), std::string(std::getenv("HOME")) + "/.cache/velloro");

  const ParsedCommandLine full =
      parse({"--cache", "/c", "--min-free", "2G", "--watchers", "3", "check", "a", "-"});
  ASSERT_TRUE(full.options) << full.error;
  EXPECT_EQ(full.options->command, Command::eCheck);
  EXPECT_EQ(full.options->cacheDirectory, "/c");
  EXPECT_EQ(full.options->limitMode, Velloro::LocalisationEngine::eMinimumFree);
  EXPECT_EQ(full.options->limit, std::uint64_t(2) << 30);
  EXPECT_EQ(full.options->watchers, 3);
  EXPECT_EQ(full.options->paths, (std::vector<std::string>{"a", "-"}));

  const std::vector<std::vector<const char*>> bad = {{},
                                                     {"frob"},
                                                     {"localise"},
                                                     {"--limit", "1X", "list"},
                                                     {"--limit", "1G", "--min-free", "1G", "list"},
                                                     {"--watchers", "0", "list"},
                                                     {"--bogus", "list"},
                                                     {"--cache"}};
  for (const auto& arguments : bad) {
    const ParsedCommandLine parsed = parse(arguments);
    EXPECT_FALSE(parsed.options);
    EXPECT_FALSE(parsed.error.empty());
  }
}

#ifdef VELLORO_LOCALISE_TOOL
// Runs a shell command; its exit status and everything it printed.
std::pair<int, std::string> runShell(const std::string& command) {
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  std::string output;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    output.append(buffer, read);
  }
  const int status = ::pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::pair<int, std::string> runTool(const std::string& arguments) {
  return runShell(std::string(VELLORO_LOCALISE_TOOL) + " " + arguments);
}

TEST(LocaliseTool, ReportsEachFileAndExitsByWhetherEveryFileGotThere) {
  TemporaryDirectory directory;
  const fs::path remote = directory.path() / "remote";
  writeFile(remote / "shot" / "a.exr", 3000);
  writeFile(remote / "shot" / "b.exr", 3000);
  writeFile(remote / "c.exr", 9000);
  const std::string cache = "--cache " + (directory.path() / "cache").string() + " --limit 8K ";

  auto [status, output] = runTool(cache + "localise " + remote.string());
  EXPECT_EQ(status, 1) << output;
  EXPECT_NE(output.find("insufficient space  " + (remote / "c.exr").string()), std::string::npos) << output;
  EXPECT_NE(output.find("localised           " + (remote / "shot" / "a.exr").string()), std::string::npos);
  EXPECT_NE(output.find("3 files in"), std::string::npos);

  std::tie(status, output) = runTool(cache + "localise " + (remote / "shot").string());
  EXPECT_EQ(status, 0) << output;
  EXPECT_NE(output.find("already up to date"), std::string::npos) << output;

  std::tie(status, output) = runTool(cache + "--watchers 2 check " + (remote / "shot").string() + " " +
                                     (remote / "gone.exr").string());
  EXPECT_EQ(status, 1) << output;
  EXPECT_NE(output.find("missing source      " + (remote / "gone.exr").string()), std::string::npos)
      << output;

  std::tie(status, output) = runShell("echo " + (remote / "shot").string() + " | " + VELLORO_LOCALISE_TOOL +
                                      " " + cache + "remove -");
  EXPECT_EQ(status, 0) << output;
  EXPECT_NE(output.find("2 files in"), std::string::npos) << output;
  std::tie(status, output) = runTool(cache + "list");
  EXPECT_EQ(status, 0);
  EXPECT_NE(output.find("0 cached files"), std::string::npos) << output;

  std::tie(status, output) = runTool(cache + "--limit 1Q list");
  EXPECT_EQ(status, 2);
  EXPECT_NE(output.find("is not a size"), std::string::npos) << output;
}
#endif

} // namespace
