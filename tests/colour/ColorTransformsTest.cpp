// Default transforms derived from small configurations. Each case loads its configuration into the
// process-wide manager (as the host does before building transforms) and sets the roles behaviour.
#include "TestConfigs.h"

#include <velloro/colour/ColorTransforms.h>

#include <TesselOCIOUtility/DisplaysAndActiveViews.h>

#include <gtest/gtest.h>

namespace Velloro::OpenColorIO {

// The working-space flag alone, which no configuration can produce (see ColorTransforms).
struct ColorTransformsTestPeer {
  static ColorTransforms withOnlyWorkingSpaceFallback() {
    ColorTransforms transforms(nullptr);
    transforms.m_workingSpaceUsingFallback = true;
    return transforms;
  }
};

} // namespace Velloro::OpenColorIO

namespace {

using namespace Velloro::OpenColorIO;
using ColourTest::ConfigText;
using ColourTest::defaultsOf;
using Strings = std::vector<std::string>;

const char kTitle[] =
    "Could not use desired colorspaces for the following transforms. Please check their chosen "
    "defaults";

std::vector<bool> fallbackFlags(const ColorTransforms& transforms) {
  return {transforms.isEightBitUsingFallback(), transforms.isSixteenBitUsingFallback(),
          transforms.isLogUsingFallback(), transforms.isFloatingPointUsingFallback(),
          transforms.isWorkingSpaceUsingFallback()};
}

// The details WarnOnUsingFallbacks gives, checking its title; "none" when it declines.
QString warning(const ColorTransforms& transforms) {
  QString title = "none";
  QString details = "none";
  if (ColorTransforms::WarnOnUsingFallbacks(transforms, title, details)) {
    EXPECT_EQ(title, kTitle);
  }
  EXPECT_EQ(title == "none", details == "none") << "title and details change together";
  return details;
}

class ColorTransformsTest : public ColourTest::ManagerTest {
protected:
  ColorTransforms transformsFor(const ConfigText& text, OCIORolesBehavior behavior) {
    const ConfigInfo info = reload(text, behavior);
    EXPECT_NE(info.config, nullptr) << info.error;
    return ColorTransforms(info.config);
  }
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

TEST_F(ColorTransformsTest, DefaultsFromRolesOrNothingWithoutConfiguration) {
  const ColorTransforms none(nullptr);
  EXPECT_EQ(defaultsOf(none), Strings(6));
  EXPECT_EQ(none.viewer() + none.monitorOut(), "");
  EXPECT_TRUE(none.getAvailableColorspaces().empty() && none.getAvailableDisplayTransforms().empty());
  EXPECT_FALSE(none.isUsingFallbacks());
  EXPECT_EQ(warning(none), "none");

  const ColorTransforms shown = transformsFor(allRolesConfig(), RolesFirst);
  EXPECT_EQ(defaultsOf(shown), (Strings{"sRGB/Film", "matte_paint", "texture_paint", "compositing_log",
                                        "scene_linear", "scene_linear"}));
  EXPECT_EQ(warning(shown), "none");
  EXPECT_EQ(shown.getAvailableColorspaces(), manager.getCurrentConfig().menuEntries);
  EXPECT_EQ(shown.viewer() + "|" + shown.monitorOut(), "sRGB/Film|sRGB/Film");
  EXPECT_EQ(shown.getAvailableDisplayTransforms(),
            (Strings{"sRGB/Film", "sRGB/Raw", "Projector/DCI", "Projector/Raw"}));

  const ColorTransforms hidden = transformsFor(allRolesConfig(), HideRoles);
  EXPECT_EQ(defaultsOf(hidden),
            (Strings{"sRGB/Film", "sRGB - Texture", "ACEScct", "ACEScct", "ACEScg", "ACEScg"}));
  EXPECT_EQ(hidden.getDefaultLUT(static_cast<ColorTransforms::LUTDataType>(6)), "");
  EXPECT_EQ(warning(hidden), "none");
  EXPECT_EQ(hidden.getAvailableColorspaces().front(), "ACEScg\tACES/ACEScg");
}

TEST_F(ColorTransformsTest, MissingRolesFallBackToTheDefaultRoleThenTheFirstColorSpace) {
  for (const OCIORolesBehavior behavior : {HideRoles, RolesFirst, RolesInSubmenu}) {
    SCOPED_TRACE(behavior);
    // Without matte_paint the 8-bit default must not become "matte_paint", a space that does not exist.
    ConfigText withDefault = allRolesConfig();
    withDefault.roles = {{"default", "Raw"}, {"scene_linear", "ACEScg"}};
    const ColorTransforms fromDefault = transformsFor(withDefault, behavior);
    const std::string linear = behavior == HideRoles ? "ACEScg" : "scene_linear";
    EXPECT_EQ(defaultsOf(fromDefault), (Strings{"sRGB/Film", "Raw", "Raw", "Raw", linear, linear}));
    EXPECT_EQ(fallbackFlags(fromDefault), (std::vector<bool>{true, true, true, false, false}));
    EXPECT_EQ(warning(fromDefault), "8bit\n16bit\nlog\n");

    // Without a default role either, the first colour space is taken.
    ConfigText noRoles = allRolesConfig();
    noRoles.roles.clear();
    const ColorTransforms fromFirst = transformsFor(noRoles, behavior);
    EXPECT_EQ(defaultsOf(fromFirst),
              (Strings{"sRGB/Film", "ACEScg", "ACEScg", "ACEScg", "ACEScg", "ACEScg"}));
    EXPECT_EQ(fallbackFlags(fromFirst), std::vector<bool>(5, true));
    EXPECT_EQ(warning(fromFirst), "8bit\n16bit\nlog\nfloating point\n");
    EXPECT_TRUE(fromFirst.isUsingFallbacks());

    // A role naming a colour space the configuration lacks counts as missing.
    ConfigText dangling = allRolesConfig();
    dangling.roles[2].second = "no such space";
    const ColorTransforms fromDangling = transformsFor(dangling, behavior);
    EXPECT_EQ(fromDangling.eightBit(), "Raw");
    EXPECT_EQ(fallbackFlags(fromDangling), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_EQ(warning(fromDangling), "8bit\n");
  }
  // The working space has no line of its own, yet still raises the warning.
  EXPECT_EQ(warning(ColorTransformsTestPeer::withOnlyWorkingSpaceFallback()), "");
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
  EXPECT_EQ(transforms.viewer() + "|" + transforms.monitorOut(), "sRGB|sRGB");
  EXPECT_EQ(transforms.getAvailableDisplayTransforms(),
            (Strings{"sRGB", "Raw", "Rec709 Monitor/Rec.709", "Rec709 Monitor/Raw"}));
}

// Without active lists every display and view shows, as the transform lists above check.
TEST(DisplaysAndActiveViews, ActiveListsFilterAndOrder) {
  ColourTest::ConfigFolder folder;
  ConfigText text;
  text.displays = {{"A", {"v1", "v2", "v3"}}, {"B", {"v3", "v1"}}, {"C", {"v1"}}};
  text.extra = "active_displays: [B, A]\nactive_views: [v3, v1]\n";
  const std::string path = folder.write("active.ocio", text.yaml());
  using Tessel::OCIOUtility::DisplayViews;
  using Tessel::OCIOUtility::getDisplaysAndActiveViews;
  EXPECT_EQ(getDisplaysAndActiveViews(OCIO_NAMESPACE::Config::CreateFromFile(path.c_str())),
            (std::vector<DisplayViews>{{"B", {"v3", "v1"}}, {"A", {"v3", "v1"}}}));
  EXPECT_TRUE(getDisplaysAndActiveViews(nullptr).empty());
}

} // namespace
