// The cursor op's CPU engine over every row of a 3840 x 2160 RGBA float frame, against fetching
// the same rows from the same source without the op (the plain copy every op's driver makes).
// Rows away from the cursor should cost no more than that copy.

#include <velloro/preview/DrawCursorShaderOp.h>

#include <KXImage/Row.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace KX::Image;

// A frame held in memory, handed out row by row.
class FrameIop : public Iop {
public:
  explicit FrameIop(const Format& format)
      : m_plane(format) {
    for (std::size_t i = 0; i < m_plane.pixels.size(); ++i) {
      m_plane.pixels[i] = float(i % 997) / 997.0f;
    }
  }
  const char* Class() const override { return "Frame"; }

protected:
  void _validate(bool) override { setFormat(m_plane.format); }
  void engine(int y, int x, int r, const ChannelSet& channels, Row& row) override {
    CopyFromPlane(m_plane, y, x, r, channels, row);
  }

private:
  ImagePlane m_plane;
};

Format frameFormat() {
  return std::getenv("VELLORO_BENCH_TINY") ? Format(0, 0, 384, 216) : Format(0, 0, 3840, 2160);
}

void renderRows(Iop& op, benchmark::State& state) {
  const Format format = frameFormat();
  const ChannelSet rgba(eMaskRGBA);
  Row row(format.x, format.r);
  for (auto _ : state) {
    for (int y = format.y; y < format.t; ++y) {
      op.get(y, format.x, format.r, rgba, row);
      benchmark::DoNotOptimize(row[eChannelRed]);
    }
  }
  state.SetItemsProcessed(state.iterations() * format.height());
}

void CursorOpRows(benchmark::State& state) {
  FrameIop frame(frameFormat());
  std::unique_ptr<Iop> cursor(dynamic_cast<Iop*>(DrawCursorShaderOp::sDescription.build()(nullptr)));
  cursor->set_input(0, &frame);
  cursor->validate();
  renderRows(*cursor, state);
}

void PlainCopyRows(benchmark::State& state) {
  FrameIop frame(frameFormat());
  frame.validate();
  renderRows(frame, state);
}

} // namespace

BENCHMARK(CursorOpRows)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainCopyRows)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
