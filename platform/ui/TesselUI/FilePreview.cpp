#include <TesselUI/FilePreview.h>

#include <TesselUI/FrameSlider.h>
#include <TesselUI/GLWidget.h>

#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

namespace Tessel::UI {

FilePreview::FilePreview(QWidget* parent, GLWidget* picture, PreviewMode mode)
    : QWidget(parent)
    , m_mode(mode)
    , m_picture(picture)
    , m_frameSlider(new FrameSlider(this))
    , m_label(new QLabel(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  // Qt cannot show a window that holds an OpenGL widget on a platform without OpenGL, so there
  // the picture stays out of the panel (still owned by it) and the rest of the panel works.
  if (m_picture && GLWidget::IsOpenGLAvailable()) {
    m_picture->setParent(this);
    m_picture->setMinimumSize(128, 64);
    m_picture->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(m_picture, 1);
  }
  layout->addWidget(m_frameSlider);
  layout->addWidget(m_label);
  m_label->setWordWrap(true);
  m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_frameSlider->hide();
  m_label->setVisible(mode == eDetailed);
  // Moving the slider previews the same file at the new frame.
  connect(m_frameSlider, &FrameSlider::valueChanged, this, [this] {
    if (!m_file.isEmpty()) {
      previewImage(m_file);
    }
  });
}

FilePreview::~FilePreview() {
  if (m_picture && m_picture->parent() != this) {
    delete m_picture.data();
  }
}

int FilePreview::currentFrame() const {
  return m_frameSlider->value();
}

bool FilePreview::IsFontFile(const QString& path) {
  static const QStringList fonts{"ttf", "otf", "ttc", "pfa", "pfb"};
  return fonts.contains(QFileInfo(path).suffix().toLower());
}

void FilePreview::setFile(const QString& path) {
  m_file = path;
  if (path.isEmpty()) {
    noPreview(true);
    return;
  }
  noPreview(false);
  if (IsFontFile(path)) {
    previewFont(path);
  } else {
    previewImage(path);
  }
}

void FilePreview::noPreview(bool nothingToShow) {
  m_pictureShown = !nothingToShow;
  if (m_picture) {
    m_picture->setVisible(!nothingToShow);
  }
  if (nothingToShow) {
    m_frameSlider->hide();
    m_label->setText(QStringLiteral("No preview"));
  }
  if (m_mode == eDetailed) {
    m_label->show();
  }
}

} // namespace Tessel::UI
