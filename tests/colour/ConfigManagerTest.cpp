// Loading, caching and menus of the configuration manager. The manager is process-wide, so every
// case works on configurations in its own temporary folder and sets the roles behaviour it needs.
#include "TestConfigs.h"

#include <velloro/colour/OCIOConfigManager.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Velloro::OpenColorIO;
using ColourTest::ConfigText;
using Version = OCIOConfigManager::Version;

class ConfigManager : public ::testing::Test {
protected:
  void TearDown() override { manager.setOcioRolesBehavior(RolesFirst); }

  std::string write(const std::string& name, const std::string& text) {
    const std::string path = directory.filePath(QString::fromStdString(name)).toStdString();
    ColourTest::writeFile(path, text);
    return path;
  }

  QTemporaryDir directory;
  OCIOConfigManager& manager = OCIOConfigManager::getConfigManager();
};

ConfigText sceneLinearConfig() {
  ConfigText text;
  text.roles = {{"data", "Raw"}, {"scene_linear", "ACEScg"}};
  text.colorSpaces = {"{name: ACEScg, family: ACES}",
                      "{name: sRGB - Texture, aliases: [srgb_tx, sRGB Texture]}",
                      "{name: Raw, family: Utility, isdata: true}"};
  return text;
}

TEST_F(ConfigManager, MenuEntriesForEachRolesBehavior) {
  const std::string path = write("scene-linear.ocio", sceneLinearConfig().yaml());

  manager.setOcioRolesBehavior(RolesInSubmenu);
  const ConfigInfo inSubmenu = manager.reloadConfig(path);
  ASSERT_TRUE(inSubmenu.isValid()) << inSubmenu.error;
  EXPECT_EQ(inSubmenu.roleCount, 2);
  EXPECT_EQ(inSubmenu.menuEntries,
            (std::vector<std::string>{
                "ACEScg\tACES/ACEScg", "sRGB - Texture\tsRGB - Texture\t\tsrgb_tx,sRGB Texture",
                "Raw\tUtility/Raw", "data\tRoles/data (Raw)", "scene_linear\tRoles/scene_linear (ACEScg)"}));

  manager.setOcioRolesBehavior(RolesFirst);
  EXPECT_EQ(manager.getConfigInfo(path).menuEntries, inSubmenu.menuEntries)
      << "a cached configuration keeps the menu of the behaviour it was loaded with";
  const ConfigInfo rolesFirst = manager.reloadConfig(path);
  EXPECT_EQ(rolesFirst.menuEntries,
            (std::vector<std::string>{"data\tdata (Raw)", "scene_linear\tscene_linear (ACEScg)",
                                      "ACEScg\tColorspaces/ACES/ACEScg",
                                      "sRGB - Texture\tColorspaces/sRGB - Texture\t\tsrgb_tx,sRGB Texture",
                                      "Raw\tColorspaces/Utility/Raw"}));
  EXPECT_EQ(manager.getCurrentConfig().menuEntries, rolesFirst.menuEntries);

  manager.setOcioRolesBehavior(HideRoles);
  EXPECT_EQ(manager.reloadConfig(path).menuEntries,
            (std::vector<std::string>{"ACEScg\tACES/ACEScg",
                                      "sRGB - Texture\tsRGB - Texture\t\tsrgb_tx,sRGB Texture",
                                      "Raw\tUtility/Raw"}));
}

TEST_F(ConfigManager, RolesAnsweredFromTheCurrentConfiguration) {
  const std::string first = write("first.ocio", sceneLinearConfig().yaml());
  ConfigText otherText = sceneLinearConfig();
  otherText.roles = {{"scene_linear", "sRGB - Texture"}};
  const std::string other = write("other.ocio", otherText.yaml());

  manager.setOcioRolesBehavior(HideRoles);
  manager.loadConfig(first);
  EXPECT_EQ(manager.getColorspaceFromRole("scene_linear"), "ACEScg");
  EXPECT_EQ(manager.getColorspaceFromRole("data"), "Raw");
  EXPECT_EQ(manager.getColorspaceFromRole("ACEScg"), "ACEScg");
  EXPECT_EQ(manager.getColorspaceFromRole("matte_paint"), "matte_paint");
  EXPECT_TRUE(manager.getColorspaceIsData("Raw"));
  EXPECT_FALSE(manager.getColorspaceIsData("ACEScg"));
  EXPECT_FALSE(manager.getColorspaceIsData("no such space"));

  // Switching the current configuration rebuilds the role map; loading it again changes nothing.
  manager.loadConfig(other);
  EXPECT_EQ(manager.getColorspaceFromRole("scene_linear"), "sRGB - Texture");
  EXPECT_EQ(manager.getColorspaceFromRole("data"), "data");
  manager.loadConfig(other);
  EXPECT_EQ(manager.getColorspaceFromRole("scene_linear"), "sRGB - Texture");
  manager.loadConfig(first);
  EXPECT_EQ(manager.getColorspaceFromRole("scene_linear"), "ACEScg");

  // With roles offered in menus, names pass unchanged.
  manager.setOcioRolesBehavior(RolesFirst);
  EXPECT_EQ(manager.getColorspaceFromRole("scene_linear"), "scene_linear");
  manager.setOcioRolesBehavior(RolesInSubmenu);
  EXPECT_EQ(manager.getColorspaceFromRole("data"), "data");
}

TEST_F(ConfigManager, BrokenConfigurationIsCachedWithItsError) {
  const std::string path = write("broken.ocio", "ocio_profile_version: 2.1\nroles: [\n");
  std::string libraryMessage;
  try {
    OCIO_NAMESPACE::Config::CreateFromFile(path.c_str());
  } catch (const OCIO_NAMESPACE::Exception& error) {
    libraryMessage = error.what();
  }
  ASSERT_FALSE(libraryMessage.empty());

  ConfigInfo broken;
  EXPECT_NO_THROW(broken = manager.loadConfig(path));
  EXPECT_EQ(broken.error, libraryMessage);
  EXPECT_FALSE(broken.isValid());
  EXPECT_EQ(broken.config, nullptr);
  EXPECT_EQ(broken.roleCount, 0);
  EXPECT_TRUE(broken.menuEntries.empty());
  EXPECT_EQ(manager.getCurrentConfig().error, libraryMessage);

  Version version{7, 7, 7, 7};
  manager.getConfigVersion(path, version);
  EXPECT_EQ(version, Version(7, 7, 7, 7));
  manager.getCurrentConfigVersion(version);
  EXPECT_EQ(version, Version(7, 7, 7, 7));

  // Mended on disk, it stays broken in the cache until reloaded.
  ColourTest::writeFile(path, sceneLinearConfig().yaml());
  EXPECT_EQ(manager.getConfigInfo(path).error, libraryMessage);
  EXPECT_EQ(manager.loadConfig(path).error, libraryMessage);
  const ConfigInfo mended = manager.reloadConfig(path);
  EXPECT_TRUE(mended.isValid()) << mended.error;
  manager.getConfigVersion(path, version);
  EXPECT_EQ(version, Version(2, 1, 7, -1));
  version = Version(0, 0, 3, 0);
  manager.getCurrentConfigVersion(version);
  EXPECT_EQ(version, Version(2, 1, 3, -1));

  // A missing file is a failure like any other.
  const std::string missing = directory.filePath("missing.ocio").toStdString();
  EXPECT_FALSE(manager.getConfigInfo(missing).isValid());
  EXPECT_FALSE(manager.getConfigInfo(missing).error.empty());
}

TEST_F(ConfigManager, ConfigurationFailingValidationKeepsItsPointer) {
  ConfigText text = sceneLinearConfig();
  text.roles.emplace_back("matte_paint", "no such space");
  const std::string path = write("dangling-role.ocio", text.yaml());

  const ConfigInfo info = manager.loadConfig(path);
  EXPECT_NE(info.config, nullptr);
  EXPECT_NE(info.error.find("matte_paint"), std::string::npos) << info.error;
  EXPECT_TRUE(info.menuEntries.empty());
  Version version{1, 1, 1, 1};
  manager.getConfigVersion(path, version);
  EXPECT_EQ(version, Version(1, 1, 1, 1));

  // The role map of the current configuration leaves out the role that leads nowhere.
  manager.setOcioRolesBehavior(HideRoles);
  EXPECT_EQ(manager.getColorspaceFromRole("matte_paint"), "matte_paint");
  EXPECT_EQ(manager.getColorspaceFromRole("scene_linear"), "ACEScg");
}

} // namespace
