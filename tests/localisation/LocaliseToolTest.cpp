#include "TestFiles.h"

#include "CommandLine.h"
#include "Sizes.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace LocalisationTesting;
using namespace VelloroLocalise;
using LocaliseTool = CacheTest;

TEST_F(LocaliseTool, ParsesAndFormatsSizes) {
  EXPECT_EQ(parseSize("512"), 512u);
  EXPECT_EQ(parseSize("64K"), 65536u);
  EXPECT_EQ(parseSize("64k"), 65536u);
  EXPECT_EQ(parseSize("1.5G"), 1536u << 20);
  EXPECT_EQ(parseSize("3MB"), 3u << 20);
  EXPECT_EQ(parseSize("10GiB"), std::uint64_t(10) << 30);
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

TEST_F(LocaliseTool, CommandLineDefaultsAndUsageErrors) {
  ::setenv("XDG_CACHE_HOME", "/xdg", 1);
  const ParsedCommandLine list = parse({"list"});
  ASSERT_TRUE(list.options) << list.error;
  EXPECT_EQ(list.options->cacheDirectory, "/xdg/velloro");
  EXPECT_EQ(list.options->limit, std::uint64_t(10) << 30);
  EXPECT_EQ(list.options->limitMode, Engine::eMaximumUsage);
  ::unsetenv("XDG_CACHE_HOME");
  EXPECT_EQ(defaultCacheDirectory(), std::string(std::getenv("HOME")) + "/.cache/velloro");

  const ParsedCommandLine full =
      parse({"--cache", "/c", "--min-free", "2G", "--watchers", "3", "check", "a", "-"});
  ASSERT_TRUE(full.options) << full.error;
  EXPECT_EQ(full.options->command, Command::eCheck);
  EXPECT_EQ(full.options->cacheDirectory, "/c");
  EXPECT_EQ(full.options->limitMode, Engine::eMinimumFree);
  EXPECT_EQ(full.options->limit, std::uint64_t(2) << 30);
  EXPECT_EQ(full.options->watchers, 3);
  EXPECT_EQ(full.options->paths, (std::vector<std::string>{"a", "-"}));

  for (const auto& arguments :
       std::vector<std::vector<const char*>>{{},
                                             {"frob"},
                                             {"localise"},
                                             {"--limit", "1X", "list"},
                                             {"--limit", "1G", "--min-free", "1G", "list"},
                                             {"--watchers", "0", "list"},
                                             {"--bogus", "list"},
                                             {"--cache"}}) {
    const ParsedCommandLine parsed = parse(arguments);
    EXPECT_FALSE(parsed.options);
    EXPECT_FALSE(parsed.error.empty());
  }
}

#ifdef VELLORO_LOCALISE_TOOL
// Runs the tool through the shell and expects its exit status and some texts in what it printed.
void expectRun(const std::string& arguments, int expectedStatus, const std::vector<std::string>& printed,
               const std::string& input = "") {
  const std::string command = input + std::string(VELLORO_LOCALISE_TOOL) + " " + arguments + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    output.append(buffer, read);
  }
  const int status = ::pclose(pipe);
  EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, expectedStatus) << command << "\n" << output;
  for (const std::string& text : printed) {
    EXPECT_NE(output.find(text), std::string::npos) << text << " not in:\n" << output;
  }
}

TEST_F(LocaliseTool, ReportsEachFileAndExitsByWhetherEveryFileGotThere) {
  writeFile(remote / "shot" / "a.exr", 3000);
  writeFile(remote / "shot" / "b.exr", 3000);
  writeFile(remote / "c.exr", 9000);
  const std::string cache = "--cache " + root.string() + " --limit 8K ";
  const std::string shot = (remote / "shot").string();

  expectRun(cache + "localise " + remote.string(), 1,
            {"insufficient space  " + (remote / "c.exr").string(),
             "localised           " + (remote / "shot" / "a.exr").string(), "3 files in"});
  expectRun(cache + "localise " + shot, 0, {"already up to date"});
  expectRun(cache + "--watchers 2 check " + shot + " " + (remote / "gone.exr").string(), 1,
            {"missing source      " + (remote / "gone.exr").string()});
  expectRun(cache + "remove -", 0, {"2 files in"}, "echo " + shot + " | ");
  expectRun(cache + "list", 0, {"0 cached files"});
  expectRun(cache + "--limit 1Q list", 2, {"is not a size"});
}
#endif

} // namespace
