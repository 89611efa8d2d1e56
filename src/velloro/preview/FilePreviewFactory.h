#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/IFilePreviewFactory.h>

// Makes the library's preview panels for the file browser; the host registers instance() with
// the browser. GUI thread only.
class VELLORO_EXPORT FilePreviewFactory : public Tessel::UI::IFilePreviewFactory {
public:
  FilePreviewFactory() = default;
  FilePreviewFactory(const FilePreviewFactory&) = default;
  FilePreviewFactory& operator=(const FilePreviewFactory&) = default;
  ~FilePreviewFactory() override;

  // The one factory of the process.
  static Tessel::UI::IFilePreviewFactory* instance();

  // A new OrvikFilePreview, owned by the caller.
  Tessel::UI::FilePreview* create(QWidget* parent, Tessel::UI::FilePreview::PreviewMode mode) override;
};
