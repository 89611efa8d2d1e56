// Cases that depend on the plug-in path the configuration manager sees when it is first used.
// Each runs in a process of its own, started by a ctest entry that sets the environment it names.
#include "TestConfigs.h"

#include <velloro/colour/ColorTransforms.h>
#include <velloro/colour/ConfigPaths.h>
#include <velloro/colour/OCIOConfigManager.h>

#include <KXImage/PluginPath.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

using namespace Velloro::OpenColorIO;
using ColourTest::ConfigText;
using ColourTest::installConfig;

const std::string kCG = "cg-config-v1.0.0_aces-v1.3_ocio-v2.1";
const std::string kStudio = "studio-config-v1.0.0_aces-v1.3_ocio-v2.1";

std::string smallConfig() {
  ConfigText text;
  text.roles = {{"default", "Raw"}};
  return text.yaml();
}

// Run with KXIMAGE_PLUGIN_PATH=/velloro/first::/velloro/second:
TEST(ColourFirstUse, PluginPathFromEnvironmentThenAdded) {
  const std::vector<const char*>& path = KX::Image::getPluginPath();
  ASSERT_EQ(path.size(), 2u);
  EXPECT_STREQ(path[0], "/velloro/first");
  EXPECT_STREQ(path[1], "/velloro/second");
  const char* first = path[0];
  for (int index = 0; index < 100; ++index) {
    KX::Image::addPluginPath("/velloro/added/" + std::to_string(index));
  }
  ASSERT_EQ(path.size(), 102u);
  EXPECT_EQ(path[0], first) << "earlier entries stay where they were";
  EXPECT_STREQ(path[0], "/velloro/first");
  EXPECT_STREQ(path.back(), "/velloro/added/99");
}

// Run with KXIMAGE_PLUGIN_PATH naming a folder that does not exist.
TEST(ColourFirstUse, DiscoveryLaterPluginDirectoryWins) {
  QTemporaryDir early;
  QTemporaryDir late;
  const std::string earlyPath = early.path().toStdString();
  const std::string latePath = late.path().toStdString() + "/";
  const std::string earlyConfigs = earlyPath + "/OCIOConfigs/configs/";
  const std::string lateConfigs = latePath + "OCIOConfigs/configs/";

  installConfig(earlyPath, "alpha", smallConfig());
  installConfig(earlyPath, "beta", smallConfig(), true);
  installConfig(earlyPath, "two.dots", smallConfig());
  installConfig(earlyPath, "shared", smallConfig());
  installConfig(earlyPath, "only-early", smallConfig(), true);
  ColourTest::writeFile(earlyConfigs + "notes.txt", "not a configuration");
  ColourTest::writeFile(earlyConfigs + "upper.OCIO", smallConfig());
  ColourTest::writeFile(earlyConfigs + "empty-folder/readme.txt", "no config.ocio in here");
  installConfig(late.path().toStdString(), "shared", smallConfig(), true);
  // A config.ocio straight in the configs folder is the configuration "config", and the folder
  // itself ("." of the listing) is no configuration.
  ColourTest::writeFile(lateConfigs + "config.ocio", smallConfig());

  KX::Image::addPluginPath(earlyPath);
  KX::Image::addPluginPath(latePath);
  const OCIOConfigManager& manager = OCIOConfigManager::getConfigManager();
  const std::map<std::string, std::string> expected = {
      {"alpha", earlyConfigs + "alpha.ocio"},         {"beta", earlyConfigs + "beta/config.ocio"},
      {"config", lateConfigs + "config.ocio"},        {"only-early", earlyConfigs + "only-early/config.ocio"},
      {"shared", lateConfigs + "shared/config.ocio"}, {"two.dots", earlyConfigs + "two.dots.ocio"},
  };
  EXPECT_EQ(manager.configs(), expected);

  // Found once, at first use.
  installConfig(earlyPath, "gamma", smallConfig());
  EXPECT_EQ(OCIOConfigManager::getConfigManager().configs(), expected);
}

// Removes the test's installation beside the program when the case ends.
class InstallDirectory {
public:
  InstallDirectory()
      : _path(QCoreApplication::applicationDirPath() + "/plugins") {
    QDir(_path).removeRecursively();
  }
  ~InstallDirectory() { QDir(_path).removeRecursively(); }
  std::string path() const { return _path.toStdString(); }

private:
  QString _path;
};

// Run without KXIMAGE_PLUGIN_PATH; writes an installation into "plugins" beside the program.
TEST(ColourFirstUse, DefaultConfigCustomOrMovedToInstallDirectory) {
  const InstallDirectory install;
  const std::string installedCG = installConfig(install.path(), kCG, smallConfig());
  const std::string installedACES12 = installConfig(install.path(), "aces_1.2", smallConfig(), true);
  // Installed beside the application in the layout the built-in names do not use.
  const std::string installedHouse = installConfig(install.path(), "house", smallConfig());
  QTemporaryDir site;
  const std::string sitePath = installConfig(site.path().toStdString(), "site-config", smallConfig());
  KX::Image::addPluginPath(install.path());
  KX::Image::addPluginPath(site.path().toStdString());
  OCIOConfigManager& manager = OCIOConfigManager::getConfigManager();
  ASSERT_EQ(manager.configs().size(), 4u);
  EXPECT_EQ(ConstructPathFromConfigName(kCG), installedCG);
  EXPECT_EQ(ConstructPathFromConfigName("aces_1.2"), installedACES12);

  EXPECT_EQ(manager.defaultConfig(), "");
  EXPECT_FALSE(manager.isDefaultConfigCustom());

  // Paths saved by an installation elsewhere move to this one.
  manager.setDefaultConfig("C:/Program Files/App 1.0/plugins/OCIOConfigs/configs/" + kCG + ".ocio", false);
  EXPECT_EQ(manager.defaultConfig(), installedCG);
  EXPECT_FALSE(manager.isDefaultConfigCustom());
  manager.setDefaultConfig("/opt/app-1.0/plugins/OCIOConfigs/configs/aces_1.2/config.ocio", false);
  EXPECT_EQ(manager.defaultConfig(), installedACES12);
  EXPECT_FALSE(manager.isDefaultConfigCustom());
  EXPECT_EQ(UpgradeConfigPath("/opt/app-1.0/plugins/OCIOConfigs/configs/aces_1.2/config.ocio"),
            installedACES12);
  EXPECT_EQ(UpgradeConfigPath("/opt/app-1.0/plugins/OCIOConfigs/configs/aces_1.1/config.ocio"),
            "/opt/app-1.0/plugins/OCIOConfigs/configs/aces_1.1/config.ocio");

  manager.setDefaultConfig("/opt/app-1.0/plugins/OCIOConfigs/configs/house.ocio", false);
  EXPECT_EQ(manager.defaultConfig(), installedHouse) << "never a path that does not exist";
  EXPECT_FALSE(manager.isDefaultConfigCustom());

  // A configuration found outside the application's folder stays where it is.
  manager.setDefaultConfig(sitePath, false);
  EXPECT_EQ(manager.defaultConfig(), sitePath);
  EXPECT_FALSE(manager.isDefaultConfigCustom());

  // Anything that names no installed configuration is custom.
  for (const std::string& path : {std::string("/home/artist/show.ocio"),
                                  std::string("/opt/app-1.0/plugins/OCIOConfigs/configs/retired.ocio")}) {
    manager.setDefaultConfig(path, false);
    EXPECT_EQ(manager.defaultConfig(), path);
    EXPECT_TRUE(manager.isDefaultConfigCustom()) << path;
  }
  // A custom default is left alone, even when it names an installed configuration.
  const std::string elsewhere = "/opt/app-1.0/plugins/OCIOConfigs/configs/" + kCG + ".ocio";
  manager.setDefaultConfig(elsewhere, true);
  EXPECT_EQ(manager.defaultConfig(), elsewhere);
  EXPECT_TRUE(manager.isDefaultConfigCustom());
  // No default at all is not custom.
  manager.setDefaultConfig("", false);
  EXPECT_EQ(manager.defaultConfig(), "");
  EXPECT_FALSE(manager.isDefaultConfigCustom());
}

bool contains(const std::vector<std::string>& entries, const std::string& entry) {
  return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

// Run without KXIMAGE_PLUGIN_PATH. The published ACES configurations, installed by links in a
// temporary plug-in folder.
TEST(ColourFirstUse, RealACESConfigurations) {
  const QString source = QStringLiteral(VELLORO_SHARED_OCIO_CONFIGS);
  if (!QFileInfo(source).isDir()) {
    GTEST_SKIP() << "the published ACES configurations are not here: " << source.toStdString();
  }
  QTemporaryDir plugins;
  const QString configs = plugins.path() + "/OCIOConfigs/configs/";
  ASSERT_TRUE(QDir().mkpath(configs));
  for (const std::string& name : {kCG, kStudio}) {
    const QString file = QString::fromStdString(name) + ".ocio";
    ASSERT_TRUE(QFileInfo::exists(source + "/" + file)) << file.toStdString();
    ASSERT_TRUE(QFile::link(source + "/" + file, configs + file));
  }
  KX::Image::addPluginPath(plugins.path().toStdString());
  OCIOConfigManager& manager = OCIOConfigManager::getConfigManager();
  ASSERT_EQ(manager.configs().size(), 2u);

  for (const auto& [name, path] : manager.configs()) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ExtractConfigNameFromPath(path), name);
    EXPECT_TRUE(IsACESConfig(name));

    OCIOConfigManager::Version version{0, 0, 5, 0};
    manager.getConfigVersion(path, version);
    EXPECT_EQ(version, OCIOConfigManager::Version(2, 1, 5, -1));

    std::vector<std::size_t> sizes;
    for (const OCIORolesBehavior behavior : {HideRoles, RolesFirst, RolesInSubmenu}) {
      SCOPED_TRACE(behavior);
      manager.setOcioRolesBehavior(behavior);
      const ConfigInfo info = manager.reloadConfig(path);
      ASSERT_TRUE(info.isValid()) << info.error;
      EXPECT_EQ(info.roleCount, 9);
      const std::vector<std::string>& entries = info.menuEntries;
      sizes.push_back(entries.size());
      const std::string colorSpacePrefix = behavior == RolesFirst ? "Colorspaces/" : "";
      const std::string rolePrefix = behavior == RolesInSubmenu ? "Roles/" : "";
      EXPECT_TRUE(contains(entries, "ACEScg\t" + colorSpacePrefix + "ACES/ACEScg\t\tACES - ACEScg,lin_ap1"));
      EXPECT_TRUE(contains(entries, "Raw\t" + colorSpacePrefix + "Utility/Raw\t\tUtility - Raw"));
      EXPECT_EQ(contains(entries, "scene_linear\t" + rolePrefix + "scene_linear (ACEScg)"),
                behavior != HideRoles);
      EXPECT_EQ(contains(entries, "matte_paint\t" + rolePrefix + "matte_paint (sRGB - Texture)"),
                behavior != HideRoles);
      if (behavior == RolesFirst) {
        EXPECT_EQ(entries.front(), "aces_interchange\taces_interchange (ACES2065-1)");
      } else if (behavior == RolesInSubmenu) {
        EXPECT_EQ(entries.back(), "texture_paint\tRoles/texture_paint (ACEScct)");
      }
      // Inactive colour spaces stay out of the menu; a role may still lead to one.
      EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                              [](const std::string& entry) { return entry.rfind("CIE-XYZ-D65\t", 0) == 0; }),
                0);
      EXPECT_TRUE(manager.getColorspaceIsData("Raw"));
      EXPECT_FALSE(manager.getColorspaceIsData("ACEScg"));

      const ColorTransforms transforms(info.config);
      EXPECT_EQ(transforms.viewer(), "sRGB - Display/ACES 1.0 - SDR Video");
      EXPECT_EQ(transforms.thumbnail(), transforms.viewer());
      EXPECT_EQ(transforms.monitorOut(), transforms.viewer()) << "no sRGB view mentions Rec.709";
      EXPECT_EQ(transforms.getAvailableColorspaces(), entries);
      ASSERT_FALSE(transforms.getAvailableDisplayTransforms().empty());
      EXPECT_EQ(transforms.getAvailableDisplayTransforms().front(), transforms.viewer());
      EXPECT_TRUE(contains(transforms.getAvailableDisplayTransforms(), "P3-D65 - Display/Raw"));
      EXPECT_FALSE(transforms.isUsingFallbacks());
      const bool hidden = behavior == HideRoles;
      EXPECT_EQ(transforms.eightBit(), hidden ? "sRGB - Texture" : "matte_paint");
      EXPECT_EQ(transforms.sixteenBit(), hidden ? "ACEScct" : "texture_paint");
      EXPECT_EQ(transforms.log(), hidden ? "ACEScct" : "compositing_log");
      EXPECT_EQ(transforms.floatingPoint(), hidden ? "ACEScg" : "scene_linear");
      EXPECT_EQ(transforms.workingSpace(), hidden ? "ACEScg" : "scene_linear");

      version = OCIOConfigManager::Version(0, 0, 6, 0);
      manager.getCurrentConfigVersion(version);
      EXPECT_EQ(version, OCIOConfigManager::Version(2, 1, 6, -1));
    }
    // Nine roles, each shown once when roles are shown.
    EXPECT_EQ(sizes[1], sizes[0] + 9);
    EXPECT_EQ(sizes[2], sizes[0] + 9);
  }
  const ColorTransforms studio(manager.loadConfig(manager.configs().at(kStudio)).config);
  EXPECT_TRUE(contains(studio.getAvailableDisplayTransforms(),
                       "P3-D65 - Display/ACES 1.1 - SDR Cinema (Rec.709 lim)"));
}

} // namespace
