#pragma once

#include <TesselUI/TesselUIExport.h>

#include <TesselUI/FilePreview.h>

namespace Tessel::UI {

// Makes the preview panels of the file browser. The host registers one factory; browsers ask
// the registered factory for their panel and own what it returns. GUI thread only.
class TESSEL_UI_EXPORT IFilePreviewFactory {
public:
  virtual ~IFilePreviewFactory();
  virtual FilePreview* create(QWidget* parent, FilePreview::PreviewMode mode) = 0;

  // The factory browsers use; null until one is registered. The factory is not owned.
  static void Register(IFilePreviewFactory* factory);
  static IFilePreviewFactory* Registered();

protected:
  IFilePreviewFactory() = default;
  IFilePreviewFactory(const IFilePreviewFactory&) = default;
  IFilePreviewFactory& operator=(const IFilePreviewFactory&) = default;
};

} // namespace Tessel::UI
