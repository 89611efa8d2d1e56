// Cases that depend on the plug-in path the configuration manager sees when it is first used.
// Each runs in a process of its own, started by a ctest entry that sets the environment it names.
#include "TestConfigs.h"

#include <velloro/colour/ConfigPaths.h>

#include <KXImage/PluginPath.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <map>

namespace {

using namespace Velloro::OpenColorIO;
using ColourTest::ConfigText;
using ColourTest::defaultsOf;
using ColourTest::installConfig;
using Strings = std::vector<std::string>;

using ColourTest::kCG;
using ColourTest::kStudio;

// Discovery and set-up never read a configuration, so any small valid one serves.
const std::string kSmallConfig = ConfigText().yaml();

// Run with KXIMAGE_PLUGIN_PATH=/velloro/first::/velloro/second:
TEST(ColourFirstUse, PluginPathFromEnvironmentThenAdded) {
  const std::vector<const char*>& path = KX::Image::getPluginPath();
  ASSERT_EQ(path.size(), 2u);
  EXPECT_STREQ(path[1], "/velloro/second");
  const char* first = path[0];
  // Enough additions to move a growing store, which must not move the strings handed out.
  for (int index = 0; index < 100; ++index) {
    KX::Image::addPluginPath("/velloro/added/" + std::to_string(index));
  }
  ASSERT_EQ(path.size(), 102u);
  EXPECT_EQ(path[0], first);
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
  // Not configurations: another suffix, the suffix in capitals, a folder without config.ocio.
  for (const char* file : {"alpha.ocio", "two.dots.ocio", "shared.ocio", "beta/config.ocio", "notes.txt",
                           "upper.OCIO", "empty-folder/readme.txt"}) {
    ColourTest::writeFile(earlyConfigs + file, kSmallConfig);
  }
  // A config.ocio straight in the configs folder is the configuration "config", and the folder
  // itself ("." of the listing) is no configuration.
  for (const char* file : {"shared/config.ocio", "config.ocio"}) {
    ColourTest::writeFile(lateConfigs + file, kSmallConfig);
  }
  KX::Image::addPluginPath(earlyPath);
  KX::Image::addPluginPath(latePath);
  const std::map<std::string, std::string> expected = {{"alpha", earlyConfigs + "alpha.ocio"},
                                                       {"beta", earlyConfigs + "beta/config.ocio"},
                                                       {"config", lateConfigs + "config.ocio"},
                                                       {"shared", lateConfigs + "shared/config.ocio"},
                                                       {"two.dots", earlyConfigs + "two.dots.ocio"}};
  EXPECT_EQ(OCIOConfigManager::getConfigManager().configs(), expected);

  // Found once, at first use.
  installConfig(earlyPath, "gamma", kSmallConfig);
  EXPECT_EQ(OCIOConfigManager::getConfigManager().configs(), expected);
}

// Removes the test's installation beside the program when the case ends.
class InstallDirectory {
public:
  InstallDirectory() { QDir(_path).removeRecursively(); }
  ~InstallDirectory() { QDir(_path).removeRecursively(); }
  std::string path() const { return _path.toStdString(); }

private:
  QString _path = QCoreApplication::applicationDirPath() + "/plugins";
};

// Run without KXIMAGE_PLUGIN_PATH; writes an installation into "plugins" beside the program.
TEST(ColourFirstUse, DefaultConfigCustomOrMovedToInstallDirectory) {
  const InstallDirectory install;
  const std::string installedCG = installConfig(install.path(), kCG, kSmallConfig);
  const std::string installedACES12 = installConfig(install.path(), "aces_1.2", kSmallConfig, true);
  // Installed beside the application in the layout the built-in names do not use.
  const std::string installedHouse = installConfig(install.path(), "house", kSmallConfig);
  QTemporaryDir site;
  const std::string sitePath = installConfig(site.path().toStdString(), "site-config", kSmallConfig);
  KX::Image::addPluginPath(install.path());
  KX::Image::addPluginPath(site.path().toStdString());
  OCIOConfigManager& manager = OCIOConfigManager::getConfigManager();
  ASSERT_EQ(manager.configs().size(), 4u);
  EXPECT_EQ(manager.defaultConfig() + (manager.isDefaultConfigCustom() ? "custom" : ""), "");

  // Old install paths move to this installation, when it has the configuration.
  const std::string old = "/opt/app-1.0/plugins/OCIOConfigs/configs/";
  EXPECT_EQ(UpgradeConfigPath(old + "aces_1.2/config.ocio"), installedACES12);
  EXPECT_EQ(UpgradeConfigPath(old + "aces_1.1/config.ocio"), old + "aces_1.1/config.ocio");

  // path given, custom given, default kept, custom kept
  const std::tuple<std::string, bool, std::string, bool> cases[] = {
      // Paths saved by an installation elsewhere move to this one, never to a path that does not exist.
      {"C:/Program Files/App 1.0/plugins/OCIOConfigs/configs/" + kCG + ".ocio", false, installedCG, false},
      {old + "aces_1.2/config.ocio", false, installedACES12, false},
      {old + "house.ocio", false, installedHouse, false},
      // A configuration found outside the application's folder stays where it is.
      {sitePath, false, sitePath, false},
      // Anything that names no installed configuration is custom; a custom default is left alone,
      // even when it names an installed configuration; no default at all is not custom.
      {"/home/artist/show.ocio", false, "/home/artist/show.ocio", true},
      {old + "retired.ocio", false, old + "retired.ocio", true},
      {old + kCG + ".ocio", true, old + kCG + ".ocio", true},
      {"", false, "", false}};
  for (const auto& [path, isCustom, expectedPath, expectedCustom] : cases) {
    manager.setDefaultConfig(path, isCustom);
    EXPECT_EQ(manager.defaultConfig(), expectedPath) << path;
    EXPECT_EQ(manager.isDefaultConfigCustom(), expectedCustom) << path;
  }
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
    ASSERT_TRUE(QFile::link(source + "/" + file, configs + file)) << file.toStdString();
  }
  KX::Image::addPluginPath(plugins.path().toStdString());
  OCIOConfigManager& manager = OCIOConfigManager::getConfigManager();
  ASSERT_EQ(manager.configs().size(), 2u);

  for (const auto& [name, path] : manager.configs()) {
    SCOPED_TRACE(name);
    std::vector<std::size_t> sizes;
    for (const OCIORolesBehavior behavior : {HideRoles, RolesFirst, RolesInSubmenu}) {
      SCOPED_TRACE(behavior);
      manager.setOcioRolesBehavior(behavior);
      const ConfigInfo info = manager.reloadConfig(path);
      ASSERT_TRUE(info.isValid()) << info.error;
      EXPECT_EQ(info.roleCount, 9);
      const std::vector<std::string>& entries = info.menuEntries;
      sizes.push_back(entries.size());
      const std::string spaces = behavior == RolesFirst ? "Colorspaces/" : "";
      const std::string roles = behavior == RolesInSubmenu ? "Roles/" : "";
      EXPECT_TRUE(contains(entries, "ACEScg\t" + spaces + "ACES/ACEScg\t\tACES - ACEScg,lin_ap1"));
      EXPECT_TRUE(contains(entries, "Raw\t" + spaces + "Utility/Raw\t\tUtility - Raw"));
      EXPECT_EQ(contains(entries, "scene_linear\t" + roles + "scene_linear (ACEScg)"), behavior != HideRoles);
      if (behavior == RolesFirst) {
        EXPECT_EQ(entries.front(), "aces_interchange\taces_interchange (ACES2065-1)");
      } else if (behavior == RolesInSubmenu) {
        EXPECT_EQ(entries.back(), "texture_paint\tRoles/texture_paint (ACEScct)");
      }
      // Inactive colour spaces stay out of the menu; a role may still lead to one.
      EXPECT_FALSE(std::any_of(entries.begin(), entries.end(), [](const std::string& entry) {
        return entry.rfind("CIE-XYZ-D65\t", 0) == 0;
      }));

      const ColorTransforms transforms(info.config);
      const std::string viewer = "sRGB - Display/ACES 1.0 - SDR Video";
      // No sRGB view mentions Rec.709, so the monitor shows the default view too.
      EXPECT_EQ(transforms.monitorOut(), viewer);
      EXPECT_EQ(defaultsOf(transforms),
                (behavior == HideRoles
                     ? Strings{viewer, "sRGB - Texture", "ACEScct", "ACEScct", "ACEScg", "ACEScg"}
                     : Strings{viewer, "matte_paint", "texture_paint", "compositing_log", "scene_linear",
                               "scene_linear"}));
      EXPECT_FALSE(transforms.isUsingFallbacks());
      EXPECT_EQ(transforms.getAvailableColorspaces(), entries);
      // The default display and view lead the list of every display transform.
      const Strings& displayTransforms = transforms.getAvailableDisplayTransforms();
      EXPECT_EQ(displayTransforms.empty() ? "" : displayTransforms.front(), viewer);
      EXPECT_TRUE(contains(displayTransforms, "P3-D65 - Display/Raw"));

      OCIOConfigManager::Version version{0, 0, 6, 0};
      manager.getCurrentConfigVersion(version);
      EXPECT_EQ(version, OCIOConfigManager::Version(2, 1, 6, -1));
    }
    // Nine roles, each shown once when roles are shown.
    EXPECT_EQ(sizes, (std::vector<std::size_t>{sizes[0], sizes[0] + 9, sizes[0] + 9}));
  }
}

} // namespace
