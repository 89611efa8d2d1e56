#include "SampleMedia.h"

#include <OpenImageIO/imageio.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <vector>

namespace Velloro::Example {

namespace {

// Linear scene values with a sRGB display and a plain gamma display, both with a raw view.
constexpr char kConfig[] = R"(ocio_profile_version: 2

search_path: ""
strictparsing: true

roles:
  default: linear
  scene_linear: linear
  data: raw
  reference: linear
  color_picking: sRGB
  color_timing: sRGB
  compositing_log: log
  texture_paint: sRGB
  matte_paint: sRGB

displays:
  sRGB:
    - !<View> {name: Standard, colorspace: sRGB}
    - !<View> {name: Raw, colorspace: raw}
  Gamma 2.2:
    - !<View> {name: Standard, colorspace: gamma22}
    - !<View> {name: Raw, colorspace: raw}

active_displays: []
active_views: []

colorspaces:
  - !<ColorSpace>
    name: linear
    family: Scene
    encoding: scene-linear
    isdata: false

  - !<ColorSpace>
    name: sRGB
    family: Display
    encoding: sdr-video
    from_scene_reference: !<ExponentWithLinearTransform> {gamma: 2.4, offset: 0.055, direction: inverse}

  - !<ColorSpace>
    name: gamma22
    family: Display
    encoding: sdr-video
    from_scene_reference: !<ExponentTransform> {value: 2.2, direction: inverse}

  - !<ColorSpace>
    name: log
    family: Scene
    encoding: log
    from_scene_reference: !<LogTransform> {base: 2}

  - !<ColorSpace>
    name: raw
    family: Data
    isdata: true
)";

QString FramePath(const QString& pattern, const char* view, int frame) {
  QString path = pattern;
  path.replace(QStringLiteral("%V"), QLatin1String(view));
  return path.replace(QStringLiteral("####"), QStringLiteral("%1").arg(frame, 4, 10, QLatin1Char('0')));
}

} // namespace

SampleMedia::SampleMedia(const QString& folder)
    : m_folder(folder) {}

QString SampleMedia::sequencePattern() const {
  return QDir(m_folder).filePath(QStringLiteral("shot.%V.####.exr"));
}

QString SampleMedia::configPath() const {
  return QDir(m_folder).filePath(QStringLiteral("example.ocio"));
}

void SampleMedia::SampleColour(int frame, bool right, int x, int y, float rgba[4]) {
  // A sky-to-ground gradient with a bright ball travelling across; the right eye sees the ball
  // a few pixels to the left, as a nearer object would be.
  const float u = float(x) / float(kWidth - 1);
  const float v = float(y) / float(kHeight - 1);
  rgba[0] = 0.05f + 0.35f * u;
  rgba[1] = 0.08f + 0.25f * (1.0f - v);
  rgba[2] = 0.30f * (1.0f - v) + 0.02f;
  rgba[3] = 1.0f;
  const float centreX = 60.0f + 30.0f * float(frame - kFirstFrame) - (right ? 12.0f : 0.0f);
  const float centreY = 135.0f;
  const float distance = std::hypot(float(x) - centreX, float(y) - centreY);
  if (distance < 40.0f) {
    const float light = 1.8f * (1.0f - distance / 48.0f);
    rgba[0] = light;
    rgba[1] = 0.6f * light;
    rgba[2] = 0.2f * light;
  }
}

bool SampleMedia::ensure() {
  if (!QDir().mkpath(m_folder)) {
    m_error = QStringLiteral("Cannot create the media folder %1").arg(m_folder);
    return false;
  }
  if (!QFileInfo::exists(configPath()) && !writeConfig()) {
    return false;
  }
  for (int frame = kFirstFrame; frame <= kLastFrame; ++frame) {
    for (const bool right : {false, true}) {
      const QString path = FramePath(sequencePattern(), right ? "right" : "left", frame);
      if (!QFileInfo::exists(path) && !writeFrame(path, frame, right)) {
        return false;
      }
    }
  }
  return true;
}

bool SampleMedia::writeConfig() {
  QFile file(configPath());
  if (!file.open(QIODevice::WriteOnly) || file.write(kConfig) < 0) {
    m_error = QStringLiteral("Cannot write %1").arg(configPath());
    return false;
  }
  return true;
}

bool SampleMedia::writeFrame(const QString& path, int frame, bool right) {
  OIIO::ImageSpec spec(kWidth, kHeight, 7, OIIO::TypeDesc::HALF);
  spec.channelnames = {"R", "G", "B", "A", "depth.Z", "motion.u", "motion.v"};
  spec.alpha_channel = 3;
  spec.z_channel = 4;
  spec.attribute("compression", "zip");
  std::vector<float> pixels(std::size_t(kWidth) * kHeight * 7);
  const float motion = 30.0f;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      float* pixel = &pixels[(std::size_t(y) * kWidth + x) * 7];
      SampleColour(frame, right, x, y, pixel);
      const bool onBall = pixel[0] > 0.5f;
      pixel[4] = onBall ? 4.0f : 10.0f + 20.0f * float(y) / kHeight;
      pixel[5] = onBall ? motion : 0.0f;
      pixel[6] = 0.0f;
    }
  }
  // Written next to its final name and moved there, so that an interrupted run leaves no
  // half-written frame that a later run would take for a whole one.
  const std::string partial = (path + QStringLiteral(".part")).toStdString();
  auto output = OIIO::ImageOutput::create("openexr");
  if (!output || !output->open(partial, spec) || !output->write_image(OIIO::TypeDesc::FLOAT, pixels.data()) ||
      !output->close()) {
    m_error = QStringLiteral("Cannot write %1: %2")
                  .arg(path, QString::fromStdString(output ? output->geterror() : OIIO::geterror()));
    return false;
  }
  QFile::remove(path);
  if (!QFile::rename(QString::fromStdString(partial), path)) {
    m_error = QStringLiteral("Cannot write %1").arg(path);
    return false;
  }
  return true;
}

} // namespace Velloro::Example
