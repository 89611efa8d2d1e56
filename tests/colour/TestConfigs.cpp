#include "TestConfigs.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ColourTest {

std::string ConfigText::yaml() const {
  std::ostringstream out;
  out << "ocio_profile_version: 2.1\nroles:\n";
  for (const auto& [role, colorSpace] : roles) {
    out << "  " << role << ": \"" << colorSpace << "\"\n";
  }
  if (roles.empty()) {
    out << "  {}\n";
  }
  out << "file_rules:\n  - !<Rule> {name: Default, colorspace: \"" << viewColorSpace << "\"}\n";
  out << "displays:\n";
  for (const auto& [display, views] : displays) {
    out << "  \"" << display << "\":\n";
    for (const std::string& view : views) {
      out << "    - !<View> {name: \"" << view << "\", colorspace: \"" << viewColorSpace << "\"}\n";
    }
  }
  out << extra << "colorspaces:\n";
  for (const std::string& colorSpace : colorSpaces) {
    out << "  - !<ColorSpace> " << colorSpace << "\n";
  }
  return out.str();
}

void writeFile(const std::string& path, const std::string& text) {
  const QString file = QString::fromStdString(path);
  ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath())) << path;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  ASSERT_TRUE(out.good()) << "could not write " << path;
}

std::string installConfig(const std::string& pluginDirectory, const std::string& name,
                          const std::string& text, bool directoryStyle) {
  const std::string path =
      pluginDirectory + "/OCIOConfigs/configs/" + name + (directoryStyle ? "/config.ocio" : ".ocio");
  writeFile(path, text);
  return path;
}

std::string ConfigFolder::write(const std::string& name, const std::string& text) {
  const std::string path = _directory.filePath(QString::fromStdString(name)).toStdString();
  writeFile(path, text);
  return path;
}

Velloro::OpenColorIO::ConfigInfo ManagerTest::reload(const ConfigText& text,
                                                     Velloro::OpenColorIO::OCIORolesBehavior behavior) {
  const std::string path = folder.write("config-" + std::to_string(++configCount) + ".ocio", text.yaml());
  manager.setOcioRolesBehavior(behavior);
  return manager.reloadConfig(path);
}

std::vector<std::string> defaultsOf(const Velloro::OpenColorIO::ColorTransforms& transforms) {
  using Velloro::OpenColorIO::ColorTransforms;
  const std::vector<std::string> defaults = {transforms.thumbnail(),     transforms.eightBit(),
                                             transforms.sixteenBit(),    transforms.log(),
                                             transforms.floatingPoint(), transforms.workingSpace()};
  for (int type = ColorTransforms::Thumbnail; type <= ColorTransforms::WorkingSpace; ++type) {
    EXPECT_EQ(transforms.getDefaultLUT(static_cast<ColorTransforms::LUTDataType>(type)), defaults[type])
        << "getDefaultLUT(" << type << ")";
  }
  return defaults;
}

} // namespace ColourTest
