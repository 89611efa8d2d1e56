#pragma once

#include <TesselUI/TesselUIExport.h>

#include <TesselUI/GLWidget.h>

#include <QPointer>
#include <QWidget>

class QLabel;

namespace Tessel::UI {

class FrameSlider;

// The preview panel of the file browser: a picture area (an OpenGL widget the subclass draws
// in), a frame slider for sequences and a text label. The browser hands it files with
// setFile(); the subclass renders them in previewImage() or previewFont() and shows, hides and
// fills the three parts. GUI thread only.
class TESSEL_UI_EXPORT FilePreview : public QWidget {
  Q_OBJECT
public:
  // A compact preview shows the picture only; a detailed one adds the label and the slider.
  enum PreviewMode { eCompact = 0, eDetailed = 1 };
  Q_ENUM(PreviewMode)

  // Takes ownership of the picture widget and lays it out in the panel.
  FilePreview(QWidget* parent, GLWidget* picture, PreviewMode mode);
  ~FilePreview() override;

  PreviewMode mode() const { return m_mode; }
  GLWidget* pictureArea() const { return m_picture; }
  FrameSlider* frameSlider() const { return m_frameSlider; }
  QLabel* label() const { return m_label; }

  // Whether the panel shows its picture (the picture widget itself stays hidden on platforms
  // without OpenGL).
  bool isPictureShown() const { return m_pictureShown; }
  QString currentFile() const { return m_file; }
  // The frame the slider stands on.
  int currentFrame() const;
  // Whether the slider keeps the range set on it instead of each file's own (for a browser
  // that scrubs several files of one shot over a common range).
  bool keepsFrameRange() const { return m_keepFrameRange; }
  void setKeepsFrameRange(bool keep) { m_keepFrameRange = keep; }

  // Font files (.ttf, .otf, .ttc, .pfa, .pfb) go to previewFont(), other files to
  // previewImage(); an empty path shows that there is nothing to preview.
  void setFile(const QString& path);

  static bool IsFontFile(const QString& path);

public slots:
  virtual void previewImage(const QString& path) = 0;
  virtual void previewFont(const QString& path) = 0;
  // With true, hides the picture and the slider and says there is no preview; with false,
  // shows the picture again.
  virtual void noPreview(bool nothingToShow);

private:
  PreviewMode m_mode;
  QPointer<GLWidget> m_picture;
  FrameSlider* m_frameSlider;
  QLabel* m_label;
  QString m_file;
  bool m_keepFrameRange = false;
  bool m_pictureShown = true;
};

} // namespace Tessel::UI
