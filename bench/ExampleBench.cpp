// The example viewer's per-frame cost and its playback rate.
//
// DisplayPath against OIIOOcioDisplay: one 1920 x 1080 float RGBA frame made display-ready, by
// the viewer's pipeline (OpenColorIO's CPU processor of the chosen display transform writing
// 8-bit values directly) and by OpenImageIO's ImageBufAlgo::ociodisplay on the same frame and
// configuration followed by the conversion to 8 bits for upload. Both run on one thread.
//
// Playback: the example window playing a 1920 x 1080 sequence already held in its caches at
// 24 fps; the counter "fps" is the rate the transport's rate control reports.
//
// VELLORO_BENCH_TINY shrinks the frames to 64 x 36 and the playback to a fraction of a second.
#include <DisplayPipeline.h>
#include <MainWindow.h>
#include <PlaybackPanel.h>
#include <SampleMedia.h>

#include <OpenImageIO/color.h>
#include <OpenImageIO/imagebuf.h>
#include <OpenImageIO/imagebufalgo.h>
#include <OpenImageIO/imageio.h>

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

bool Tiny() {
  return std::getenv("VELLORO_BENCH_TINY") != nullptr;
}
int Width() {
  return Tiny() ? 64 : 1920;
}
int Height() {
  return Tiny() ? 36 : 1080;
}

// One folder with the sample configuration, shared by every benchmark of the run.
const QTemporaryDir& Folder() {
  static QTemporaryDir folder;
  static const bool written = Velloro::Example::SampleMedia(folder.path()).ensure();
  (void)written;
  return folder;
}

std::string ConfigPath() {
  return Velloro::Example::SampleMedia(Folder().path()).configPath().toStdString();
}

// A frame with values from black to over white, so that every part of the curves is used.
std::vector<float> MakeFrame(int width, int height) {
  std::vector<float> rgba(std::size_t(width) * std::size_t(height) * 4);
  for (std::size_t pixel = 0; pixel < rgba.size() / 4; ++pixel) {
    const float value = float(pixel % 1024) / 512.0f;
    rgba[pixel * 4 + 0] = value;
    rgba[pixel * 4 + 1] = value * 0.5f;
    rgba[pixel * 4 + 2] = 1.5f - value * 0.7f;
    rgba[pixel * 4 + 3] = 1.0f;
  }
  return rgba;
}

void DisplayPath(benchmark::State& state) {
  Velloro::Example::DisplayPipeline pipeline;
  if (!pipeline.loadConfig(ConfigPath()) || !pipeline.setDisplayTransform("sRGB/Standard")) {
    state.SkipWithError("the sample configuration does not load");
    return;
  }
  const std::vector<float> frame = MakeFrame(Width(), Height());
  for (auto _ : state) {
    QImage picture = pipeline.toDisplay(frame.data(), Width(), Height());
    benchmark::DoNotOptimize(picture.constBits());
  }
}
BENCHMARK(DisplayPath)->Unit(benchmark::kMillisecond)->UseRealTime();

void OIIOOcioDisplay(benchmark::State& state) {
  OIIO::ColorConfig config(ConfigPath());
  const std::vector<float> frame = MakeFrame(Width(), Height());
  OIIO::ImageBuf source(OIIO::ImageSpec(Width(), Height(), 4, OIIO::TypeDesc::FLOAT),
                        const_cast<float*>(frame.data()));
  std::vector<unsigned char> upload(frame.size());
  for (auto _ : state) {
    OIIO::ImageBuf display = OIIO::ImageBufAlgo::ociodisplay(source, "sRGB", "Standard", "linear", "", false,
                                                             "", "", &config, {}, 1);
    display.get_pixels(display.roi(), OIIO::TypeDesc::UINT8, upload.data());
    benchmark::DoNotOptimize(upload.data());
  }
}
BENCHMARK(OIIOOcioDisplay)->Unit(benchmark::kMillisecond)->UseRealTime();

void Playback(benchmark::State& state) {
  const int frames = 24;
  const QString pattern = Folder().path() + QStringLiteral("/playback.####.exr");
  static const bool written = [&] {
    const std::vector<float> rgba = MakeFrame(Width(), Height());
    OIIO::ImageSpec spec(Width(), Height(), 4, OIIO::TypeDesc::HALF);
    spec.attribute("compression", "none");
    for (int frame = 1; frame <= frames; ++frame) {
      const std::string path = Folder().path().toStdString() + "/playback." +
                               std::string(4 - std::to_string(frame).size(), '0') + std::to_string(frame) +
                               ".exr";
      auto output = OIIO::ImageOutput::create(path);
      if (!output || !output->open(path, spec) || !output->write_image(OIIO::TypeDesc::FLOAT, rgba.data()) ||
          !output->close()) {
        return false;
      }
    }
    return true;
  }();
  if (!written) {
    state.SkipWithError("cannot write the sequence");
    return;
  }
  Velloro::Example::MainWindow window(Folder().filePath(QStringLiteral("cache")));
  window.loadColourConfig(QString::fromStdString(ConfigPath()));
  window.resize(1280, 720);
  window.show();
  window.openSequence(pattern);
  // Every frame read and converted once, as a first pass of playback would.
  for (int frame = 1; frame <= frames; ++frame) {
    window.playback()->setFrame(frame);
  }
  const int milliseconds = Tiny() ? 200 : 5000;
  double rate = 0;
  for (auto _ : state) {
    window.playback()->play();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    rate = window.playback()->achievedRate();
    window.playback()->stop();
  }
  state.counters["fps"] = rate;
}
BENCHMARK(Playback)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char** argv) {
  // Headless without a display; under Xvfb the window is drawn as on a desktop.
  if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
