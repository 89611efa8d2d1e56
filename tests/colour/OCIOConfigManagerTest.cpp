// Loading, caching and menus of the configuration manager. The manager is process-wide, so every
// case works on configurations in its own temporary folder and sets the roles behaviour it needs.
#include "TestConfigs.h"

#include <gtest/gtest.h>

namespace {

using namespace Velloro::OpenColorIO;
using ColourTest::ConfigText;
using Version = OCIOConfigManager::Version;

using ConfigManager = ColourTest::ManagerTest;

ConfigText sceneLinearConfig() {
  ConfigText text;
  text.roles = {{"data", "Raw"}, {"scene_linear", "ACEScg"}};
  text.colorSpaces = {"{name: ACEScg, family: ACES}",
                      "{name: sRGB - Texture, aliases: [srgb_tx, sRGB Texture]}",
                      "{name: Raw, family: Utility, isdata: true}"};
  return text;
}

TEST_F(ConfigManager, MenuEntriesForEachRolesBehavior) {
  const std::string path = folder.write("scene-linear.ocio", sceneLinearConfig().yaml());

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
  EXPECT_EQ(manager.reloadConfig(path).menuEntries,
            (std::vector<std::string>{"data\tdata (Raw)", "scene_linear\tscene_linear (ACEScg)",
                                      "ACEScg\tColorspaces/ACES/ACEScg",
                                      "sRGB - Texture\tColorspaces/sRGB - Texture\t\tsrgb_tx,sRGB Texture",
                                      "Raw\tColorspaces/Utility/Raw"}));

  manager.setOcioRolesBehavior(HideRoles);
  EXPECT_EQ(manager.reloadConfig(path).menuEntries,
            (std::vector<std::string>{"ACEScg\tACES/ACEScg",
                                      "sRGB - Texture\tsRGB - Texture\t\tsrgb_tx,sRGB Texture",
                                      "Raw\tUtility/Raw"}));
}

TEST_F(ConfigManager, RolesAnsweredFromTheCurrentConfiguration) {
  reload(sceneLinearConfig(), HideRoles);
  EXPECT_EQ(manager.getColorspaceFromRole("scene_linear"), "ACEScg");
  EXPECT_EQ(manager.getColorspaceFromRole("data"), "Raw");
  EXPECT_EQ(manager.getColorspaceFromRole("ACEScg"), "ACEScg");
  EXPECT_EQ(manager.getColorspaceFromRole("matte_paint"), "matte_paint");
  EXPECT_TRUE(manager.getColorspaceIsData("Raw"));
  EXPECT_FALSE(manager.getColorspaceIsData("ACEScg"));
  EXPECT_FALSE(manager.getColorspaceIsData("no such space"));

  // Switching the current configuration replaces the role map rather than adding to it.
  ConfigText other = sceneLinearConfig();
  other.roles = {{"scene_linear", "sRGB - Texture"}};
  manager.loadConfig(folder.write("other.ocio", other.yaml()));
  EXPECT_EQ(manager.getColorspaceFromRole("scene_linear"), "sRGB - Texture");
  EXPECT_EQ(manager.getColorspaceFromRole("data"), "data");

  // With roles offered in menus, names pass unchanged.
  for (const OCIORolesBehavior behavior : {RolesFirst, RolesInSubmenu}) {
    manager.setOcioRolesBehavior(behavior);
    EXPECT_EQ(manager.getColorspaceFromRole("scene_linear"), "scene_linear");
  }
}

TEST_F(ConfigManager, FailedConfigurationIsCachedWithItsError) {
  const std::string path = folder.write("broken.ocio", "ocio_profile_version: 2.1\nroles: [\n");
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
  EXPECT_EQ(broken.config, nullptr);
  EXPECT_TRUE(broken.menuEntries.empty());
  EXPECT_EQ(manager.getCurrentConfig().error, libraryMessage);
  Version version{7, 7, 7, 7};
  manager.getConfigVersion(path, version);
  manager.getCurrentConfigVersion(version);
  EXPECT_EQ(version, Version(7, 7, 7, 7));

  // Mended on disk, it stays broken in the cache until reloaded.
  ColourTest::writeFile(path, sceneLinearConfig().yaml());
  EXPECT_EQ(manager.loadConfig(path).error, libraryMessage);
  const ConfigInfo mended = manager.reloadConfig(path);
  EXPECT_TRUE(mended.isValid()) << mended.error;
  manager.getConfigVersion(path, version);
  EXPECT_EQ(version, Version(2, 1, 7, -1));
  version = Version(0, 0, 3, 0);
  manager.getCurrentConfigVersion(version);
  EXPECT_EQ(version, Version(2, 1, 3, -1));

  // A missing file is a failure like any other.
  EXPECT_FALSE(manager.getConfigInfo(path + ".missing").error.empty());

  // One that reads but fails validation keeps its configuration, whose valid roles still answer.
  ConfigText dangling = sceneLinearConfig();
  dangling.roles.emplace_back("matte_paint", "no such space");
  const ConfigInfo invalid = reload(dangling, HideRoles);
  EXPECT_NE(invalid.config, nullptr);
  EXPECT_NE(invalid.error.find("matte_paint"), std::string::npos) << invalid.error;
  EXPECT_TRUE(invalid.menuEntries.empty());
  version = Version(1, 1, 1, 1);
  manager.getCurrentConfigVersion(version);
  EXPECT_EQ(version, Version(1, 1, 1, 1));
  EXPECT_EQ(manager.getColorspaceFromRole("matte_paint"), "matte_paint");
  EXPECT_EQ(manager.getColorspaceFromRole("scene_linear"), "ACEScg");
}

} // namespace
