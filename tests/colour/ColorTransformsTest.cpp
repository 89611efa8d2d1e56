// Default transforms derived from small configurations. Each case loads its configuration into the
// process-wide manager (as the host does before building transforms) and sets the roles behaviour.
#include "TestConfigs.h"

#include <velloro/colour/ColorTransforms.h>
#include <velloro/colour/OCIOConfigManager.h>

#include <TesselOCIOUtility/DisplaysAndActiveViews.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace Velloro::OpenColorIO {

// Sets flag combinations no configuration can produce (see ColorTransforms).
struct ColorTransformsTestPeer {
  static ColorTransforms withFlags(bool eightBit, bool sixteenBit, bool log, bool floatingPoint,
                                   bool workingSpace) {
    ColorTransforms transforms(nullptr);
    transforms._eightBitUsingFallback = eightBit;
    transforms._sixteenBitUsingFallback = sixteenBit;
    transforms._logUsingFallback = log;
    transforms._floatingPointUsingFallback = floatingPoint;
    transforms._workingSpaceUsingFallback = workingSpace;
    return transforms;
  }
};

} // namespace Velloro::OpenColorIO

namespace {

using namespace Velloro::OpenColorIO;
using ColourTest::ConfigText;

const char kTitle[] =
    "Could not use desired colorspaces for the following transforms. Please check their chosen "
    "defaults";

class ColorTransformsTest : public ::testing::Test {
protected:
  void TearDown() override { manager.setOcioRolesBehavior(RolesFirst); }

  // Loads the configuration afresh under the given behaviour and builds its transforms.
  ColorTransforms transformsFor(const ConfigText& text, OCIORolesBehavior behavior) {
    const std::string path = directory.filePath(QString("config-%1.ocio").arg(++configCount)).toStdString();
    ColourTest::writeFile(path, text.yaml());
    manager.setOcioRolesBehavior(behavior);
    const ConfigInfo info = manager.reloadConfig(path);
    EXPECT_NE(info.config, nullptr) << info.error;
    return ColorTransforms(info.config);
  }

  QTemporaryDir directory;
  int configCount = 0;
  OCIOConfigManager& manager = OCIOConfigManager::getConfigManager();
};

ConfigText allRolesConfig() {
  ConfigText text;
  text.roles = {{"compositing_log", "ACEScct"},
                {"default", "Raw"},
                {"matte_paint", "sRGB - Texture"},
                {"scene_linear", "ACEScg"},
                {"texture_paint", "ACEScct"}};
  text.displays = {{"sRGB", {"Film", "Raw"}}, {"Projector", {"DCI", "Raw"}}};
  text.colorSpaces = {"{name: ACEScg, family: ACES}", "{name: ACEScct, family: ACES}",
                      "{name: sRGB - Texture}", "{name: Raw, family: Utility, isdata: true}"};
  return text;
}

TEST_F(ColorTransformsTest, NullConfigurationGivesNothing) {
  const ColorTransforms transforms(nullptr);
  for (int type = ColorTransforms::Thumbnail; type <= ColorTransforms::WorkingSpace; ++type) {
    EXPECT_EQ(transforms.getDefaultLUT(static_cast<ColorTransforms::LUTDataType>(type)), "");
  }
  EXPECT_EQ(transforms.viewer(), "");
  EXPECT_EQ(transforms.monitorOut(), "");
  EXPECT_TRUE(transforms.getAvailableColorspaces().empty());
  EXPECT_TRUE(transforms.getAvailableDisplayTransforms().empty());
  EXPECT_FALSE(transforms.isUsingFallbacks());
  QString title = "kept";
  QString details = "kept";
  EXPECT_FALSE(ColorTransforms::WarnOnUsingFallbacks(transforms, title, details));
  EXPECT_EQ(title, "kept");
  EXPECT_EQ(details, "kept");
}

TEST_F(ColorTransformsTest, DefaultsFromRolesWithoutFallbacks) {
  const ColorTransforms shown = transformsFor(allRolesConfig(), RolesFirst);
  EXPECT_EQ(shown.eightBit(), "matte_paint");
  EXPECT_EQ(shown.sixteenBit(), "texture_paint");
  EXPECT_EQ(shown.log(), "compositing_log");
  EXPECT_EQ(shown.floatingPoint(), "scene_linear");
  EXPECT_EQ(shown.workingSpace(), "scene_linear");
  EXPECT_FALSE(shown.isUsingFallbacks());
  EXPECT_EQ(shown.getAvailableColorspaces(), manager.getCurrentConfig().menuEntries);
  EXPECT_EQ(shown.getAvailableColorspaces().front(), "compositing_log\tcompositing_log (ACEScct)");

  EXPECT_EQ(shown.viewer(), "sRGB/Film");
  EXPECT_EQ(shown.thumbnail(), "sRGB/Film");
  EXPECT_EQ(shown.monitorOut(), "sRGB/Film");
  EXPECT_EQ(shown.getAvailableDisplayTransforms(),
            (std::vector<std::string>{"sRGB/Film", "sRGB/Raw", "Projector/DCI", "Projector/Raw"}));

  const ColorTransforms hidden = transformsFor(allRolesConfig(), HideRoles);
  EXPECT_EQ(hidden.getDefaultLUT(ColorTransforms::Thumbnail), "sRGB/Film");
  EXPECT_EQ(hidden.getDefaultLUT(ColorTransforms::EightBit), "sRGB - Texture");
  EXPECT_EQ(hidden.getDefaultLUT(ColorTransforms::SixteenBit), "ACEScct");
  EXPECT_EQ(hidden.getDefaultLUT(ColorTransforms::Log), "ACEScct");
  EXPECT_EQ(hidden.getDefaultLUT(ColorTransforms::FloatingPoint), "ACEScg");
  EXPECT_EQ(hidden.getDefaultLUT(ColorTransforms::WorkingSpace), "ACEScg");
  EXPECT_EQ(hidden.getDefaultLUT(static_cast<ColorTransforms::LUTDataType>(6)), "");
  EXPECT_FALSE(hidden.isUsingFallbacks());
  EXPECT_EQ(hidden.getAvailableColorspaces().front(), "ACEScg\tACES/ACEScg");

  // A copy carries everything.
  const ColorTransforms copy = hidden;
  EXPECT_EQ(copy.eightBit(), "sRGB - Texture");
  EXPECT_EQ(copy.getAvailableDisplayTransforms(), hidden.getAvailableDisplayTransforms());
}

TEST_F(ColorTransformsTest, MissingRolesFallBackToTheDefaultRoleThenTheFirstColorSpace) {
  for (const OCIORolesBehavior behavior : {HideRoles, RolesFirst, RolesInSubmenu}) {
    SCOPED_TRACE(behavior);
    // Without matte_paint the 8-bit default must not become "matte_paint", a space that does not exist.
    ConfigText withDefault = allRolesConfig();
    withDefault.roles = {{"default", "Raw"}, {"scene_linear", "ACEScg"}};
    const ColorTransforms fromDefault = transformsFor(withDefault, behavior);
    EXPECT_EQ(fromDefault.eightBit(), "Raw");
    EXPECT_EQ(fromDefault.sixteenBit(), "Raw");
    EXPECT_EQ(fromDefault.log(), "Raw");
    EXPECT_EQ(fromDefault.floatingPoint(), behavior == HideRoles ? "ACEScg" : "scene_linear");
    EXPECT_TRUE(fromDefault.isEightBitUsingFallback());
    EXPECT_TRUE(fromDefault.isSixteenBitUsingFallback());
    EXPECT_TRUE(fromDefault.isLogUsingFallback());
    EXPECT_FALSE(fromDefault.isFloatingPointUsingFallback());
    EXPECT_FALSE(fromDefault.isWorkingSpaceUsingFallback());
    QString title;
    QString details = "replaced";
    EXPECT_TRUE(ColorTransforms::WarnOnUsingFallbacks(fromDefault, title, details));
    EXPECT_EQ(title, kTitle);
    EXPECT_EQ(details, "8bit\n16bit\nlog\n");

    // Without a default role either, the first colour space is taken.
    ConfigText noRoles = allRolesConfig();
    noRoles.roles.clear();
    const ColorTransforms fromFirst = transformsFor(noRoles, behavior);
    for (const std::string& value : {fromFirst.eightBit(), fromFirst.sixteenBit(), fromFirst.log(),
                                     fromFirst.floatingPoint(), fromFirst.workingSpace()}) {
      EXPECT_EQ(value, "ACEScg");
    }
    EXPECT_TRUE(fromFirst.isFloatingPointUsingFallback());
    EXPECT_TRUE(fromFirst.isWorkingSpaceUsingFallback());
    EXPECT_TRUE(ColorTransforms::WarnOnUsingFallbacks(fromFirst, title, details));
    EXPECT_EQ(details, "8bit\n16bit\nlog\nfloating point\n");

    // A role naming a colour space the configuration lacks counts as missing.
    ConfigText dangling = allRolesConfig();
    dangling.roles[2].second = "no such space";
    const ColorTransforms fromDangling = transformsFor(dangling, behavior);
    EXPECT_EQ(fromDangling.eightBit(), "Raw");
    EXPECT_TRUE(fromDangling.isEightBitUsingFallback());
    EXPECT_FALSE(fromDangling.isSixteenBitUsingFallback());
  }
}

TEST_F(ColorTransformsTest, WarningListsOnlyImageDefaults) {
  QString title;
  QString details = "replaced";
  EXPECT_TRUE(ColorTransforms::WarnOnUsingFallbacks(
      ColorTransformsTestPeer::withFlags(false, false, false, false, true), title, details));
  EXPECT_EQ(title, kTitle);
  EXPECT_EQ(details, "");
  EXPECT_TRUE(ColorTransforms::WarnOnUsingFallbacks(
      ColorTransformsTestPeer::withFlags(false, true, false, true, false), title, details));
  EXPECT_EQ(details, "16bit\nfloating point\n");
}

TEST_F(ColorTransformsTest, MonitorOutputPrefersRec709Views) {
  ConfigText text = allRolesConfig();
  text.displays = {{"ACES", {"Raw", "Rec.709 (ACES)", "rec709"}}, {"Other", {"Rec.709"}}};
  ColorTransforms transforms = transformsFor(text, RolesFirst);
  EXPECT_EQ(transforms.viewer(), "ACES/Raw");
  EXPECT_EQ(transforms.monitorOut(), "ACES/rec709") << "an exact name beats an earlier partial match";

  text.displays = {{"ACES", {"Raw", "Film (Rec.709)", "Log (rec709 gamut)"}}};
  EXPECT_EQ(transformsFor(text, RolesFirst).monitorOut(), "ACES/Film (Rec.709)");

  text.displays = {{"ACES", {"Raw", "REC709", "rec.709"}}};
  EXPECT_EQ(transformsFor(text, RolesFirst).monitorOut(), "ACES/Raw")
      << "names are compared case-sensitively";

  // The display "default" leaves its name out of every transform name.
  text.displays = {{"default", {"sRGB", "Raw"}}, {"Rec709 Monitor", {"Rec.709", "Raw"}}};
  transforms = transformsFor(text, RolesFirst);
  EXPECT_EQ(transforms.viewer(), "sRGB");
  EXPECT_EQ(transforms.monitorOut(), "sRGB");
  EXPECT_EQ(transforms.getAvailableDisplayTransforms(),
            (std::vector<std::string>{"sRGB", "Raw", "Rec709 Monitor/Rec.709", "Rec709 Monitor/Raw"}));
}

TEST(DisplaysAndActiveViews, ActiveListsFilterAndOrder) {
  QTemporaryDir directory;
  ConfigText text;
  text.displays = {{"A", {"v1", "v2", "v3"}}, {"B", {"v3", "v1"}}, {"C", {"v1"}}};
  const std::string all = directory.filePath("all.ocio").toStdString();
  ColourTest::writeFile(all, text.yaml());
  text.extra = "active_displays: [B, A]\nactive_views: [v3, v1]\n";
  const std::string active = directory.filePath("active.ocio").toStdString();
  ColourTest::writeFile(active, text.yaml());

  using Tessel::OCIOUtility::DisplayViews;
  using Tessel::OCIOUtility::getDisplaysAndActiveViews;
  EXPECT_EQ(getDisplaysAndActiveViews(OCIO_NAMESPACE::Config::CreateFromFile(all.c_str())),
            (std::vector<DisplayViews>{{"A", {"v1", "v2", "v3"}}, {"B", {"v3", "v1"}}, {"C", {"v1"}}}));
  EXPECT_EQ(getDisplaysAndActiveViews(OCIO_NAMESPACE::Config::CreateFromFile(active.c_str())),
            (std::vector<DisplayViews>{{"B", {"v3", "v1"}}, {"A", {"v3", "v1"}}}));
  EXPECT_TRUE(getDisplaysAndActiveViews(nullptr).empty());
}

} // namespace
