#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/FilePreview.h>

// The file browser's preview panel: renders an image file (the current frame of a sequence) or
// a font sample into the shared 512 x 256 preview picture through the image SDK, and fills the
// panel's label and frame slider. Every panel shares the SDK op chains and the picture.
// GUI thread only.
class VELLORO_EXPORT OrvikFilePreview : public Tessel::UI::FilePreview {
  Q_OBJECT
public:
  static constexpr const char* kFontSample =
      "ABCDE abcde\nThe quick brown\nfox jumps over\nthe lazy dog.\n02468$!@#%^&*()?";

  OrvikFilePreview(QWidget* parent, PreviewMode mode);
  ~OrvikFilePreview() override;

  // The smooth filter for pictures between these widths; the nearest pixel outside them.
  static constexpr int kSmoothFilterMinWidth = 171;
  static constexpr int kSmoothFilterMaxWidth = 1535;

public slots:
  void previewImage(const QString& path) override;
  void previewFont(const QString& path) override;
  void noPreview(bool nothingToShow) override;

private:
  // No picture, no slider, an empty label and a black picture.
  void showNothing();
  void repaintPicture();
};
