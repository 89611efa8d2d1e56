#pragma once

#include <KXImage/Iop.h>
#include <KXImage/KXImageExport.h>
#include <KXImage/Reader.h>

#include <string>

namespace KX::Image {

// Reads an image file through OpenImageIO. The file name is a single file or a numbered
// sequence written with a run of '#' ("plate.####.exr", one '#' per digit) or a printf number
// ("plate.%04d.exr"); a sequence's frame range is that of the files present. The frame read is
// the output context's, kept within the range.
class KXIMAGE_EXPORT Read : public Iop {
public:
  explicit Read(Node* node = nullptr);

  const char* Class() const override { return "Read"; }

  // Sets the file; the next retrieveInfo() or validate() opens it afresh, even under the same
  // name.
  void filename(const char* path);
  const char* getFilename() const { return m_filename.c_str(); }

  // Learns the format and the frame range without reading pixels; records an error when the
  // file (or every frame of the sequence) cannot be opened.
  void retrieveInfo();
  Reader* reader() { return &m_reader; }
  // The file of a frame (the file name itself for a single file).
  std::string frameFile(int frame) const;

protected:
  void _validate(bool forReal) override;
  void engine(int y, int x, int r, const ChannelSet& channels, Row& row) override;

private:
  std::string m_filename;
  Reader m_reader;
  bool m_infoKnown = false;
  Format m_fileFormat;
  ImagePlane m_image;
  std::string m_imageFile;
  bool m_imageInPreviewMode = false;
};

} // namespace KX::Image
