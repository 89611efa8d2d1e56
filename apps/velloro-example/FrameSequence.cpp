#include "FrameSequence.h"

#include <OpenImageIO/imagebuf.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace Velloro::Example {

namespace {

const QRegularExpression& FrameRun() {
  static const QRegularExpression run(QStringLiteral("#+"));
  return run;
}

QString WithView(QString pattern, const std::string& view) {
  const QString name = QString::fromStdString(view);
  pattern.replace(QStringLiteral("%V"), name);
  return pattern.replace(QStringLiteral("%v"), name.left(1));
}

bool IsColourChannel(const std::string& name) {
  return name == "R" || name == "G" || name == "B" || name == "A";
}

// Unprefixed channels other than R, G, B and A (a bare "Z", say) are filed under "other", as the
// channel registry files them.
std::string LayerOf(const std::string& channel) {
  const auto dot = channel.rfind('.');
  if (dot == std::string::npos) {
    return IsColourChannel(channel) ? "rgba" : "other";
  }
  return channel.substr(0, dot);
}

} // namespace

std::vector<std::string> Frame::layers() const {
  std::vector<std::string> result;
  for (const std::string& channel : channelNames) {
    const std::string layer = LayerOf(channel);
    if (std::find(result.begin(), result.end(), layer) == result.end()) {
      result.push_back(layer);
    }
  }
  return result;
}

std::vector<int> Frame::layerChannels(const std::string& layer) const {
  std::vector<int> result;
  if (layer == "rgba") {
    for (const char* name : {"R", "G", "B", "A"}) {
      const auto found = std::find(channelNames.begin(), channelNames.end(), name);
      if (found != channelNames.end()) {
        result.push_back(int(found - channelNames.begin()));
      }
    }
    return result;
  }
  for (std::size_t index = 0; index < channelNames.size(); ++index) {
    if (LayerOf(channelNames[index]) == layer) {
      result.push_back(int(index));
    }
  }
  return result;
}

std::vector<float> Frame::layerAsRgba(const std::string& layer) const {
  const std::vector<int> channels = layerChannels(layer);
  if (channels.empty()) {
    return {};
  }
  // Which source channel feeds each of red, green, blue and alpha; -1 for none.
  int source[4] = {-1, -1, -1, -1};
  if (channels.size() == 1) {
    source[0] = source[1] = source[2] = channels[0];
  } else {
    for (std::size_t index = 0; index < std::min<std::size_t>(channels.size(), 4); ++index) {
      source[index] = channels[index];
    }
  }
  const std::size_t count = std::size_t(width) * std::size_t(height);
  const std::size_t stride = channelNames.size();
  std::vector<float> rgba(count * 4);
  for (std::size_t pixel = 0; pixel < count; ++pixel) {
    const float* in = &pixels[pixel * stride];
    float* out = &rgba[pixel * 4];
    for (int component = 0; component < 4; ++component) {
      out[component] = source[component] >= 0 ? in[source[component]] : (component == 3 ? 1.0f : 0.0f);
    }
  }
  return rgba;
}

float Frame::value(int x, int y, int channel) const {
  if (x < 0 || y < 0 || x >= width || y >= height || channel < 0 ||
      std::size_t(channel) >= channelNames.size()) {
    return std::numeric_limits<float>::quiet_NaN();
  }
  return pixels[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * channelNames.size() +
                std::size_t(channel)];
}

FrameSequence::FrameSequence(const QString& pattern)
    : m_pattern(pattern) {}

bool FrameSequence::isMultiView() const {
  return m_pattern.contains(QStringLiteral("%V")) || m_pattern.contains(QStringLiteral("%v"));
}

QString FrameSequence::framePath(const std::string& view, int frame) const {
  QString path = WithView(m_pattern, view);
  const QRegularExpressionMatch run = FrameRun().match(path);
  if (run.hasMatch()) {
    path.replace(run.capturedStart(), run.capturedLength(),
                 QStringLiteral("%1").arg(frame, int(run.capturedLength()), 10, QLatin1Char('0')));
  }
  return path;
}

bool FrameSequence::findRange(const std::string& view, int& first, int& last) const {
  const QFileInfo info(WithView(m_pattern, view));
  const QString name = info.fileName();
  const QRegularExpressionMatch run = FrameRun().match(name);
  if (!run.hasMatch()) {
    if (!info.exists()) {
      return false;
    }
    first = last = 1;
    return true;
  }
  const QRegularExpression numbered(QRegularExpression::anchoredPattern(
      QRegularExpression::escape(name.left(run.capturedStart())) + QStringLiteral("(\\d+)") +
      QRegularExpression::escape(name.mid(run.capturedEnd()))));
  bool found = false;
  for (const QString& entry : info.dir().entryList(QDir::Files)) {
    const QRegularExpressionMatch match = numbered.match(entry);
    if (!match.hasMatch()) {
      continue;
    }
    const int frame = match.captured(1).toInt();
    first = found ? std::min(first, frame) : frame;
    last = found ? std::max(last, frame) : frame;
    found = true;
  }
  return found;
}

std::shared_ptr<const Frame> FrameSequence::Read(const QString& path) {
  auto frame = std::make_shared<Frame>();
  if (!QFileInfo::exists(path)) {
    frame->error = QStringLiteral("Missing file: %1").arg(path);
    return frame;
  }
  OIIO::ImageBuf image(path.toStdString());
  if (!image.read(0, 0, true, OIIO::TypeDesc::FLOAT)) {
    frame->error = QStringLiteral("Cannot read %1: %2").arg(path, QString::fromStdString(image.geterror()));
    return frame;
  }
  const OIIO::ImageSpec& spec = image.spec();
  frame->width = spec.width;
  frame->height = spec.height;
  frame->channelNames = spec.channelnames;
  frame->pixels.resize(std::size_t(spec.width) * std::size_t(spec.height) * std::size_t(spec.nchannels));
  if (!image.get_pixels(image.roi(), OIIO::TypeDesc::FLOAT, frame->pixels.data())) {
    frame->error = QStringLiteral("Cannot read %1: %2").arg(path, QString::fromStdString(image.geterror()));
  }
  return frame;
}

} // namespace Velloro::Example
