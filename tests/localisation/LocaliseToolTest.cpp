#include "TestFiles.h"

#include "CommandLine.h"
#include "Sizes.h"

#include <sys/stat.h>
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
  const std::string home = std::getenv("HOME");
  EXPECT_EQ(defaultCacheDirectory(), home + "/.cache/velloro");
  ::unsetenv("HOME");
  EXPECT_NE(parse({"list"}).error.find("pass --cache"), std::string::npos) << "never the working directory";
  ::setenv("HOME", home.c_str(), 1);

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

// Links planted in the cache, names that would split lines or pass for temporary files,
// paths that cannot be read and settings out of reason: each is refused or reported, the
// rest of the run goes on, and nothing outside the cache changes.
TEST_F(LocaliseTool, HostilePathsNamesAndSettingsAreRefusedOrReported) {
  const fs::path media = directory / "media";
  writeFile(media / "shots" / "s.exr", 40);
  const std::string cache = "--cache " + root.string() + " --limit 1M ";
  const fs::path linkedFolder = root / ("_" + media.string().substr(1));
  fs::create_directories(linkedFolder.parent_path());
  fs::create_symlink(media, linkedFolder);
  const auto outside = snapshot(directory, root);
  expectRun(cache + "localise " + (media / "shots" / "s.exr").string(), 1, {"copy failed"});
  expectRun(cache + "remove " + (media / "shots" / "s.exr").string(), 1, {"not removed"});
  expectRun(cache + "remove " + media.string(), 0, {"1 file in"}); // the link itself, inside the cache
  EXPECT_EQ(snapshot(directory, root), outside);
  expectRun(cache + "remove / //", 1, {"refusing to remove the copies of every file"});

  // A cache inside the folder it copies is not copied into itself.
  writeFile(remote / "a.exr", 5);
  writeFile(remote / "v.exr.tmp", 5);
  writeFile(remote / "line\nbreak.exr", 5);
  ASSERT_EQ(::mkfifo((remote / "pipe.exr").c_str(), 0644), 0);
  fs::create_symlink("loop", remote / "loop");
  const std::string inner = "--cache " + (remote / "cache").string() + " --limit 1M ";
  for (int run = 0; run < 2; ++run) {
    expectRun(inner + "localise " + remote.string() + " " + (remote / "pipe.exr").string() + " " +
                  (remote / "loop" / "x.exr").string() + " " + std::string(5000, 'p'),
              1,
              {"refused name        " + (remote / "v.exr.tmp").string(),
               "\"" + remote.string() + "/line\\nbreak.exr\"",
               "not a regular file  " + (remote / "pipe.exr").string(), "Too many levels of symbolic links",
               "File name too long"});
  }
  expectRun(inner + "list", 0, {"2 cached files"});
  expectRun(inner + "check " + (remote / "a.exr").string(), 0, {"check threads"},
            "ORVIK_LOCALIZATION_NUMWATCHERS=100000 ");
}
#endif

} // namespace
