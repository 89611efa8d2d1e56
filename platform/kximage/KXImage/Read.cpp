#include <KXImage/Read.h>

#include <KXImage/OutputContext.h>

#include <OpenImageIO/imageio.h>

#include <boost/filesystem.hpp>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <regex>
#include <utility>

namespace KX::Image {

namespace {

// A numbered sequence's file name: directory, the name before and after the frame number, and
// the digits the number is padded to (0 for unpadded).
struct SequencePattern {
  bool isSequence = false;
  std::string directory;
  std::string before;
  std::string after;
  int padding = 0;
};

SequencePattern parsePattern(const std::string& path) {
  SequencePattern pattern;
  const boost::filesystem::path file(path);
  const std::string name = file.filename().string();
  static const std::regex sPrintf(R"(%(0?)(\d*)d)");
  std::smatch match;
  const std::size_t hashes = name.find('#');
  if (hashes != std::string::npos) {
    const std::size_t end = name.find_first_not_of('#', hashes);
    pattern.padding = int((end == std::string::npos ? name.size() : end) - hashes);
    pattern.before = name.substr(0, hashes);
    pattern.after = end == std::string::npos ? std::string() : name.substr(end);
  } else if (std::regex_search(name, match, sPrintf)) {
    pattern.padding = match[2].length() > 0 ? std::stoi(match[2]) : 0;
    pattern.before = match.prefix();
    pattern.after = match.suffix();
  } else {
    return pattern;
  }
  pattern.isSequence = true;
  pattern.directory = file.parent_path().string();
  return pattern;
}

std::string joinFrame(const SequencePattern& pattern, int frame) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%0*d", pattern.padding, frame);
  const std::string name = pattern.before + digits + pattern.after;
  return pattern.directory.empty() ? name : (boost::filesystem::path(pattern.directory) / name).string();
}

// The first and last frame of the sequence's files on disk; false when there is none.
bool findFrameRange(const SequencePattern& pattern, int& first, int& last) {
  boost::system::error_code failure;
  const boost::filesystem::path directory(pattern.directory.empty() ? "." : pattern.directory);
  first = INT_MAX;
  last = INT_MIN;
  for (boost::filesystem::directory_iterator entry(directory, failure), end; !failure && entry != end;
       entry.increment(failure)) {
    const std::string name = entry->path().filename().string();
    if (name.size() <= pattern.before.size() + pattern.after.size() ||
        name.compare(0, pattern.before.size(), pattern.before) != 0 ||
        name.compare(name.size() - pattern.after.size(), pattern.after.size(), pattern.after) != 0) {
      continue;
    }
    const std::string digits =
        name.substr(pattern.before.size(), name.size() - pattern.before.size() - pattern.after.size());
    const bool numeric = digits.size() <= 9 && std::all_of(digits.begin(), digits.end(), ::isdigit);
    if (!numeric || (pattern.padding > 0 && int(digits.size()) != pattern.padding && digits[0] == '0')) {
      continue;
    }
    const int frame = std::stoi(digits);
    first = std::min(first, frame);
    last = std::max(last, frame);
  }
  return first <= last;
}

} // namespace

Read::Read(Node* node)
    : Iop(node) {}

void Read::filename(const char* path) {
  // Setting the name again reads the file afresh: it may have been written anew since.
  std::string name = path ? path : "";
  m_filename = std::move(name);
  m_infoKnown = false;
  m_image = ImagePlane();
  m_imageFile.clear();
}

std::string Read::frameFile(int frame) const {
  const SequencePattern pattern = parsePattern(m_filename);
  return pattern.isSequence ? joinFrame(pattern, frame) : m_filename;
}

void Read::retrieveInfo() {
  Op::validate(false);
}

void Read::_validate(bool forReal) {
  if (m_filename.empty()) {
    error("no file name");
    return;
  }
  if (!m_infoKnown) {
    int first = 1;
    int last = 1;
    const SequencePattern pattern = parsePattern(m_filename);
    if (pattern.isSequence && !findFrameRange(pattern, first, last)) {
      error("no frames of " + m_filename);
      return;
    }
    auto input = OIIO::ImageInput::open(pattern.isSequence ? joinFrame(pattern, first) : m_filename);
    if (!input) {
      error("cannot read " + m_filename + ": " + OIIO::geterror());
      return;
    }
    const OIIO::ImageSpec& spec = input->spec();
    m_fileFormat =
        Format(0, 0, spec.width, spec.height, double(spec.get_float_attribute("PixelAspectRatio", 1.0f)));
    m_reader.setFrameRange(first, last);
    m_reader.setFrame(std::clamp(m_reader.frame(), first, last));
    m_infoKnown = true;
  }
  setFormat(m_fileFormat);
  setFrameRange(m_reader.firstFrame(), m_reader.lastFrame());
  setChannels(ChannelSet(eMaskRGBA));
  if (!forReal) {
    return;
  }

  const int frame =
      std::clamp(int(std::lround(outputContext().frame())), m_reader.firstFrame(), m_reader.lastFrame());
  const std::string file = frameFile(frame);
  const bool preview = Reader::inPreviewMode();
  if (file == m_imageFile && preview == m_imageInPreviewMode) {
    return;
  }
  m_image = ImagePlane();
  m_imageFile.clear();
  auto input = OIIO::ImageInput::open(file);
  if (!input) {
    error("cannot read " + file + ": " + OIIO::geterror());
    return;
  }
  const OIIO::ImageSpec spec = input->spec();
  const int channels = spec.nchannels;
  std::vector<float> pixels(std::size_t(spec.width) * std::size_t(spec.height) * std::size_t(channels));
  std::vector<unsigned char> previewPixels;
  bool read = false;
  if (preview) {
    previewPixels.resize(pixels.size());
    read = input->read_image(0, 0, 0, channels, OIIO::TypeDesc::UINT8, previewPixels.data());
    std::transform(previewPixels.begin(), previewPixels.end(), pixels.begin(),
                   [](unsigned char v) { return v / 255.0f; });
  } else {
    read = input->read_image(0, 0, 0, channels, OIIO::TypeDesc::FLOAT, pixels.data());
  }
  if (!read) {
    error("cannot read the pixels of " + file + ": " + input->geterror());
    return;
  }
  if (spec.width != m_fileFormat.width() || spec.height != m_fileFormat.height()) {
    error(file + " differs in size from the first frame");
    return;
  }

  // Files store rows from the top; images here count rows from the bottom. One or two channels
  // are grey (and alpha).
  m_image = ImagePlane(m_fileFormat);
  const int alphaChannel =
      spec.alpha_channel >= 0 ? spec.alpha_channel : (channels == 2 || channels >= 4 ? channels - 1 : -1);
  for (int y = 0; y < spec.height; ++y) {
    const float* source =
        pixels.data() + std::size_t(spec.height - 1 - y) * std::size_t(spec.width) * std::size_t(channels);
    float* target = m_image.pixel(0, y);
    for (int x = 0; x < spec.width; ++x, source += channels, target += 4) {
      for (int c = 0; c < 3; ++c) {
        target[c] = channels >= 3 ? source[c] : source[0];
      }
      target[3] = alphaChannel >= 0 ? source[alphaChannel] : 1.0f;
    }
  }
  m_imageFile = file;
  m_imageInPreviewMode = preview;
}

void Read::engine(int y, int x, int r, const ChannelSet& channels, Row& row) {
  CopyFromPlane(m_image, y, x, r, channels, row);
}

} // namespace KX::Image
