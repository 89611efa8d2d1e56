#include <velloro/colour/ConfigPaths.h>
#include <velloro/colour/DisplayTransformName.h>

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

using namespace Velloro::OpenColorIO;

const std::string kCG = "cg-config-v1.0.0_aces-v1.3_ocio-v2.1";
const std::string kStudio = "studio-config-v1.0.0_aces-v1.3_ocio-v2.1";

std::string installDirectory() {
  return QCoreApplication::applicationDirPath().toStdString() + "/plugins/OCIOConfigs/configs/";
}

TEST(ConfigPaths, NamesFromPaths) {
  EXPECT_EQ(ExtractConfigNameFromPath("C:/Program Files/App/plugins/OCIOConfigs/configs/" + kCG + ".ocio"),
            kCG);
  EXPECT_EQ(ExtractConfigNameFromPath("/opt/app/plugins/OCIOConfigs/configs/aces_1.2/config.ocio"),
            "aces_1.2");
  EXPECT_EQ(ExtractConfigNameFromPath("/opt/app/plugins/OCIOConfigs/configs/v2.0.ocio"), "v2.0");
  // Only the last configs folder counts.
  EXPECT_EQ(ExtractConfigNameFromPath("/a/OCIOConfigs/configs/b/OCIOConfigs/configs/c/config.ocio"), "c");
  // A "config.ocio" or ".ocio" higher up the path never reaches into the name.
  EXPECT_EQ(ExtractConfigNameFromPath("/config.ocio/OCIOConfigs/configs/site.ocio"), "site");
  EXPECT_EQ(ExtractConfigNameFromPath("/x.ocio/OCIOConfigs/configs/site.ocio"), "site");
  // A file named config.ocio directly in the configs folder is found under the name "config".
  EXPECT_EQ(ExtractConfigNameFromPath("/opt/app/plugins/OCIOConfigs/configs/config.ocio"), "config");

  EXPECT_EQ(ExtractConfigNameFromPath("/home/artist/my.ocio"), "custom");
  EXPECT_EQ(ExtractConfigNameFromPath("/opt/app/plugins/OCIOConfigs/configs/aces_1.2/config.yaml"), "custom");
  EXPECT_EQ(ExtractConfigNameFromPath("/OCIOConfigs/configs/.ocio"), "custom");
  EXPECT_EQ(ExtractConfigNameFromPath("a.ocio"), "custom");
  EXPECT_EQ(ExtractConfigNameFromPath(""), "custom");
  EXPECT_EQ(std::string(kOCIOCustomConfigDisplayNameText), "custom");

  EXPECT_TRUE(DoesConfigAppearToBeInInstallPath(""));
  EXPECT_TRUE(DoesConfigAppearToBeInInstallPath("/OCIOConfigs/configs/x.ocio"));
  EXPECT_FALSE(DoesConfigAppearToBeInInstallPath("abcd"));
  EXPECT_FALSE(DoesConfigAppearToBeInInstallPath(".ocio"));
  EXPECT_FALSE(DoesConfigAppearToBeInInstallPath("/OCIOConfigs/configs/x.ocio.bak"));
  EXPECT_FALSE(DoesConfigAppearToBeInInstallPath("/home/OCIOConfigs/x.ocio"));
}

TEST(ConfigPaths, InstallPathsFromNames) {
  EXPECT_EQ(ConstructPathFromConfigName("aces_1.2"), installDirectory() + "aces_1.2/config.ocio");
  EXPECT_EQ(ConstructPathFromConfigName(kStudio), installDirectory() + kStudio + ".ocio");
  EXPECT_EQ(ConstructPathFromConfigName(kCG), installDirectory() + kCG + ".ocio");
  // The round trip holds for both layouts.
  for (const std::string& name : {std::string("aces_1.2"), kCG, std::string("site")}) {
    EXPECT_EQ(ExtractConfigNameFromPath(ConstructPathFromConfigName(name)), name);
  }
}

TEST(ConfigPaths, OldNamesAndUpgrades) {
  EXPECT_EQ(GetOldConfigNames(kCG), std::vector<std::string>{"ts-orvik_" + kCG});
  EXPECT_EQ(GetOldConfigNames(kStudio), std::vector<std::string>{"ts-orvik_" + kStudio});
  EXPECT_TRUE(GetOldConfigNames("aces_1.2").empty());
  EXPECT_TRUE(GetOldConfigNames("ts-orvik_" + kCG).empty());

  // Paths saved under an old built-in name move to the current name in this installation.
  const std::string oldStudio = "D:/Old Release/plugins/OCIOConfigs/configs/ts-orvik_" + kStudio + ".ocio";
  EXPECT_EQ(UpgradeConfigPathACES(oldStudio), installDirectory() + kStudio + ".ocio");
  EXPECT_EQ(UpgradeConfigPathACES("/r/OCIOConfigs/configs/ts-orvik_" + kCG + ".ocio"),
            installDirectory() + kCG + ".ocio");
  for (const std::string& unchanged : {std::string("/home/artist/ts-orvik_" + kCG + ".ocio"),
                                       "/r/OCIOConfigs/configs/" + kCG + ".ocio", std::string("")}) {
    EXPECT_EQ(UpgradeConfigPathACES(unchanged), unchanged);
  }

  // Nothing of these is installed beside the test program, so no path moves.
  for (const std::string& unchanged :
       {std::string("/home/artist/my.ocio"), std::string("/old/plugins/OCIOConfigs/configs/not-shipped.ocio"),
        std::string("/old/plugins/OCIOConfigs/config.ocio")}) {
    EXPECT_EQ(UpgradeConfigPath(unchanged), unchanged);
  }

  for (const std::string& name :
       {std::string("aces_1.2"), kCG, kStudio, "ts-orvik_" + kCG, "ts-orvik_" + kStudio}) {
    EXPECT_TRUE(IsACESConfig(name)) << name;
  }
  for (const std::string& name :
       {std::string("aces_1.3"), std::string("ACES_1.2"), kCG + ".ocio", std::string()}) {
    EXPECT_FALSE(IsACESConfig(name)) << name;
  }
}

TEST(DisplayTransformName, BuildAndSplit) {
  EXPECT_EQ(BuildDisplayTransformName("default", "sRGB"), "sRGB");
  EXPECT_EQ(BuildDisplayTransformName("ACES", "Rec.709"), "ACES/Rec.709");
  EXPECT_EQ(BuildDisplayTransformName("Default", "sRGB"), "Default/sRGB");

  std::string display = "unchanged";
  std::string view = "unchanged";
  GetDisplayAndViewFromDisplayTransformName(display, view, "sRGB");
  EXPECT_EQ(display, "default");
  EXPECT_EQ(view, "sRGB");
  GetDisplayAndViewFromDisplayTransformName(display, view, "a/b/c");
  EXPECT_EQ(display, "a/b");
  EXPECT_EQ(view, "c");
  GetDisplayAndViewFromDisplayTransformName(display, view, "sRGB - Display/ACES 1.0 - SDR Video");
  EXPECT_EQ(display, "sRGB - Display");
  EXPECT_EQ(view, "ACES 1.0 - SDR Video");
  GetDisplayAndViewFromDisplayTransformName(display, view, "");
  EXPECT_EQ(display, "default");
  EXPECT_EQ(view, "");
}

} // namespace
