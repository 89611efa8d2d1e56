#include <velloro/preview/FilePreviewFactory.h>

#include <velloro/preview/OrvikFilePreview.h>

FilePreviewFactory::~FilePreviewFactory() = default;

Tessel::UI::IFilePreviewFactory* FilePreviewFactory::instance() {
  static FilePreviewFactory sFactory;
  return &sFactory;
}

Tessel::UI::FilePreview* FilePreviewFactory::create(QWidget* parent,
                                                    Tessel::UI::FilePreview::PreviewMode mode) {
  return new OrvikFilePreview(parent, mode);
}
