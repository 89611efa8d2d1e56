#include <velloro/preview/OrvikFilePreview.h>

#include <velloro/preview/PreviewWidget.h>
#include <velloro/preview/internal/PreviewOps.h>

#include <KXImage/Matrix4.h>
#include <KXImage/OpMessageHandler.h>
#include <KXImage/Read.h>
#include <KXImage/Reader.h>
#include <KXImage/ToBuffer.h>

#include <TesselUI/FrameSlider.h>

#include <QLabel>

#include <algorithm>

namespace {

using namespace Velloro::Preview;

// Reads in preview mode for the lifetime of the object, then restores the previous mode.
class PreviewModeScope {
public:
  PreviewModeScope()
      : m_previous(KX::Image::Reader::inPreviewMode()) {
    KX::Image::Reader::setInPreviewMode(true);
  }
  ~PreviewModeScope() { KX::Image::Reader::setInPreviewMode(m_previous); }
  PreviewModeScope(const PreviewModeScope&) = delete;
  PreviewModeScope& operator=(const PreviewModeScope&) = delete;

private:
  bool m_previous;
};

bool renderPreview(KX::Image::ToBuffer& toBuffer) {
  return toBuffer.render(previewBuffer(), 0, 0, kPreviewWidth, kPreviewHeight, 3);
}

} // namespace

OrvikFilePreview::OrvikFilePreview(QWidget* parent, PreviewMode mode)
    : Tessel::UI::FilePreview(parent, new PreviewWidget(nullptr), mode) {}

OrvikFilePreview::~OrvikFilePreview() = default;

void OrvikFilePreview::repaintPicture() {
  if (Tessel::UI::GLWidget* picture = pictureArea()) {
    picture->update();
  }
}

void OrvikFilePreview::showNothing() {
  Tessel::UI::FilePreview::noPreview(true);
  label()->setText(QString());
  clearPreviewBuffer();
  repaintPicture();
}

void OrvikFilePreview::previewImage(const QString& path) {
  ImageChain& chain = imageChain();
  KX::Image::Read& read = *chain.read;
  read.filename(path.toUtf8().constData());
  {
    // Files the browser cannot preview are not worth a message.
    PreviewModeScope preview;
    KX::Image::OpMessageHandler::IgnoreErrors();
    read.retrieveInfo();
    KX::Image::OpMessageHandler::ObserveErrors();
  }
  if (read.hasError()) {
    showNothing();
    return;
  }

  KX::Image::Reader& reader = *read.reader();
  const int first = reader.firstFrame();
  const int last = reader.lastFrame();
  const int frame = std::clamp(currentFrame(), first, last);
  reader.setFrame(frame);
  KX::Image::OutputContext context;
  context.setFrame(frame);
  read.setOutputContext(context);
  {
    PreviewModeScope preview;
    read.validate(true);
  }
  if (!keepsFrameRange()) {
    frameSlider()->setRange(first, last);
  }
  frameSlider()->setValue(frame);

  bool rendered = false;
  if (!read.hasError()) {
    const int width = read.format().width();
    label()->setText(QString::asprintf("Format size: %dx%d   Frame %d of %d to %d", width,
                                       read.format().height(), frame, first, last));
    if (chain.reformat) {
      chain.reformat->set_field("filter",
                                width >= kSmoothFilterMinWidth && width <= kSmoothFilterMaxWidth ? 1 : 0);
    }
    PreviewModeScope preview;
    rendered = renderPreview(*chain.toBuffer);
  } else {
    label()->setText(QString());
  }
  if (rendered) {
    Tessel::UI::FilePreview::noPreview(false);
    frameSlider()->show();
  } else {
    clearPreviewBuffer();
  }
  repaintPicture();
}

void OrvikFilePreview::previewFont(const QString& path) {
  FontChain& chain = fontChain();
  if (chain.text) {
    // The path is handed over whole, however long it is.
    chain.text->set_field("font", path.toUtf8().constData());
    chain.text->set_field("size", std::vector<double>{30.0, 30.0});
    chain.text->set_field("message", kFontSample);
    chain.text->set_field("xjustify", 1);
    chain.text->set_field("yjustify", 2);
    chain.text->set_field(
        "matrix", KX::Image::Matrix4::translation(float(kPreviewWidth / 2), float(kPreviewHeight / 2), 0.0f));
  }
  // A font that cannot be drawn leaves a black picture rather than the previous preview.
  if (!renderPreview(*chain.toBuffer)) {
    clearPreviewBuffer();
  }
  label()->setText(QStringLiteral("Font: ") + path);
  Tessel::UI::FilePreview::noPreview(false);
  frameSlider()->hide();
  repaintPicture();
}

void OrvikFilePreview::noPreview(bool nothingToShow) {
  Tessel::UI::FilePreview::noPreview(nothingToShow);
  clearPreviewBuffer();
}
