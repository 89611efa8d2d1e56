#include "TestConfigs.h"

#include <velloro/colour/ConfigPaths.h>
#include <velloro/colour/DisplayTransformName.h>

#include <QCoreApplication>

namespace {

using namespace Velloro::OpenColorIO;

using ColourTest::kCG;
using ColourTest::kStudio;
const std::string kOld = "ts-orvik_";

std::string installDirectory() {
  return QCoreApplication::applicationDirPath().toStdString() + "/plugins/OCIOConfigs/configs/";
}

TEST(ConfigPaths, NamesFromPathsAndPathsFromNames) {
  const std::string configs = "/opt/app/plugins/OCIOConfigs/configs/";
  // Only the last configs folder counts, and a "config.ocio" or ".ocio" higher up the path never
  // reaches into the name. Paths outside a configs folder, or without the suffix, are custom.
  const std::pair<std::string, std::string> pathsAndNames[] = {
      {"C:/Program Files/App/plugins/OCIOConfigs/configs/" + kCG + ".ocio", kCG},
      {configs + "aces_1.2/config.ocio", "aces_1.2"},
      {"/a/OCIOConfigs/configs/b/OCIOConfigs/configs/c/config.ocio", "c"},
      {"/config.ocio/OCIOConfigs/configs/site.ocio", "site"},
      {"/x.ocio/OCIOConfigs/configs/site.ocio", "site"},
      {configs + "config.ocio", "config"},
      {"/home/OCIOConfigs/x.ocio", "custom"},
      {configs + "aces_1.2/config.yaml", "custom"},
      {"/OCIOConfigs/configs/.ocio", "custom"},
      {"a.ocio", "custom"},
      {"", "custom"}};
  for (const auto& [path, name] : pathsAndNames) {
    EXPECT_EQ(ExtractConfigNameFromPath(path), name) << path;
  }
  // The empty path counts as installed (no default chosen yet), yet names no configuration.
  EXPECT_TRUE(DoesConfigAppearToBeInInstallPath(""));
  EXPECT_FALSE(DoesConfigAppearToBeInInstallPath("/OCIOConfigs/configs/x.ocio.bak"));

  // The built-in names of this release are single files, all others directories; both round-trip.
  const std::pair<std::string, std::string> namesAndFiles[] = {{"aces_1.2", "aces_1.2/config.ocio"},
                                                               {kCG, kCG + ".ocio"},
                                                               {kStudio, kStudio + ".ocio"},
                                                               {"site", "site/config.ocio"}};
  for (const auto& [name, file] : namesAndFiles) {
    EXPECT_EQ(ConstructPathFromConfigName(name), installDirectory() + file);
    EXPECT_EQ(ExtractConfigNameFromPath(ConstructPathFromConfigName(name)), name);
  }
}

TEST(ConfigPaths, OldNamesAndUpgrades) {
  EXPECT_EQ(GetOldConfigNames(kCG), std::vector<std::string>{kOld + kCG});
  EXPECT_EQ(GetOldConfigNames(kStudio), std::vector<std::string>{kOld + kStudio});
  EXPECT_TRUE(GetOldConfigNames("aces_1.2").empty() && GetOldConfigNames(kOld + kCG).empty());

  // Paths saved under an old built-in name move to the current name in this installation.
  EXPECT_EQ(UpgradeConfigPathACES("D:/Old Release/plugins/OCIOConfigs/configs/" + kOld + kStudio + ".ocio"),
            installDirectory() + kStudio + ".ocio");
  EXPECT_EQ(UpgradeConfigPathACES("/r/OCIOConfigs/configs/" + kOld + kCG + ".ocio"),
            installDirectory() + kCG + ".ocio");
  // Nothing of these is installed beside the test program, so no path moves.
  for (const std::string& unchanged :
       {"/home/artist/" + kOld + kCG + ".ocio", "/r/OCIOConfigs/configs/" + kCG + ".ocio", std::string()}) {
    EXPECT_EQ(UpgradeConfigPathACES(unchanged), unchanged);
    EXPECT_EQ(UpgradeConfigPath(unchanged), unchanged);
  }
  EXPECT_EQ(UpgradeConfigPath("/old/plugins/OCIOConfigs/config.ocio"),
            "/old/plugins/OCIOConfigs/config.ocio");

  for (const std::string& name : {std::string("aces_1.2"), kCG, kStudio, kOld + kCG, kOld + kStudio}) {
    EXPECT_TRUE(IsACESConfig(name)) << name;
  }
  for (const std::string& name :
       {std::string("aces_1.3"), std::string("ACES_1.2"), kCG + ".ocio", std::string()}) {
    EXPECT_FALSE(IsACESConfig(name)) << name;
  }
}

TEST(DisplayTransformName, BuildAndSplit) {
  EXPECT_EQ(BuildDisplayTransformName("default", "sRGB"), "sRGB");
  EXPECT_EQ(BuildDisplayTransformName("Default", "sRGB"), "Default/sRGB");
  EXPECT_EQ(BuildDisplayTransformName("ACES", "Rec.709"), "ACES/Rec.709");

  // Each split overwrites both results of the one before.
  const std::string namesDisplaysViews[][3] = {{"sRGB", "default", "sRGB"},
                                               {"a/b/c", "a/b", "c"},
                                               {"sRGB - Display/ACES 1.0", "sRGB - Display", "ACES 1.0"},
                                               {"", "default", ""}};
  std::string display = "unchanged";
  std::string view = "unchanged";
  for (const auto& [name, expectedDisplay, expectedView] : namesDisplaysViews) {
    GetDisplayAndViewFromDisplayTransformName(display, view, name);
    EXPECT_EQ(display + "|" + view, expectedDisplay + "|" + expectedView) << name;
  }
}

} // namespace
