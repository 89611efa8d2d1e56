#include <KXImage/Black.h>
#include <KXImage/OpMessageHandler.h>
#include <KXImage/Read.h>
#include <KXImage/Reformat.h>
#include <KXImage/ToBuffer.h>

#include <OpenImageIO/imagebuf.h>
#include <OpenImageIO/imagebufalgo.h>
#include <OpenImageIO/imageio.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

using namespace KX::Image;

namespace {

// OpenImageIO's own worker pool synchronises in ways ThreadSanitizer cannot see; on the calling
// thread alone its work leaves the row driver's threads as the only ones to check.
const bool kOneImageIOThread = OIIO::attribute("threads", 1);

// Writes a width x height RGB file: the top row (in the file) red, the rest of the given grey.
std::string writeImage(const QTemporaryDir& folder, const std::string& name, int width, int height,
                       float grey) {
  OIIO::ImageBuf image(OIIO::ImageSpec(width, height, 3, OIIO::TypeDesc::UINT8));
  const float fill[3] = {grey, grey, grey};
  const float red[3] = {1, 0, 0};
  OIIO::ImageBufAlgo::fill(image, fill);
  OIIO::ImageBufAlgo::fill(image, red, OIIO::ROI(0, width, 0, 1));
  const std::string path = folder.filePath(QString::fromStdString(name)).toStdString();
  EXPECT_TRUE(image.write(path));
  return path;
}

} // namespace

TEST(ImageOps, ReadFindsSequencesAndReportsUnreadableFilesUnlessIgnored) {
  QTemporaryDir folder;
  for (int frame : {3, 4, 5}) {
    writeImage(folder, "shot." + std::to_string(1000 + frame).substr(1) + ".png", 6, 4, frame / 10.0f);
  }
  Read read;
  read.filename(folder.filePath("shot.###.png").toUtf8().constData());
  read.retrieveInfo();
  ASSERT_FALSE(read.hasError()) << read.errorMessage();
  EXPECT_EQ(read.format().width(), 6);
  EXPECT_EQ(read.format().height(), 4);
  EXPECT_EQ(read.reader()->firstFrame(), 3);
  EXPECT_EQ(read.reader()->lastFrame(), 5);

  // Frame 4, through an 8-bit buffer: rows from the bottom, so the file's top row comes last.
  OutputContext context;
  context.setFrame(4);
  read.setOutputContext(context);
  ToBuffer toBuffer;
  toBuffer.set_input(0, &read);
  std::vector<unsigned char> pixels(6 * 4 * 3);
  ASSERT_TRUE(toBuffer.render(pixels.data(), 0, 0, 6, 4, 3));
  EXPECT_EQ(pixels[0], 102);
  EXPECT_EQ((std::vector<unsigned char>(pixels.end() - 3, pixels.end())),
            (std::vector<unsigned char>{255, 0, 0}));

  // A frame written anew is read anew once the file name is set again.
  writeImage(folder, "shot.004.png", 6, 4, 0.9f);
  read.filename(read.getFilename());
  ASSERT_TRUE(toBuffer.render(pixels.data(), 0, 0, 6, 4, 3));
  EXPECT_EQ(pixels[0], 230);

  int reported = 0;
  const auto previous = OpMessageHandler::SetReporter([&](const Op&, const std::string&) { ++reported; });
  read.filename(folder.filePath("missing.exr").toUtf8().constData());
  OpMessageHandler::IgnoreErrors();
  read.retrieveInfo();
  OpMessageHandler::ObserveErrors();
  EXPECT_TRUE(read.hasError());
  EXPECT_EQ(reported, 0);
  EXPECT_FALSE(toBuffer.render(pixels.data(), 0, 0, 6, 4, 3));
  EXPECT_TRUE(toBuffer.hasError());
  EXPECT_GT(reported, 0);
  OpMessageHandler::SetReporter(previous);
}

TEST(ImageOps, ReformatFitsIntoTheBoxCentredWithEitherFilter) {
  QTemporaryDir folder;
  // A 1024 x 256 picture fits as 512 x 128, centred in 512 x 256 with black above and below.
  Read read;
  read.filename(writeImage(folder, "wide.png", 1024, 256, 0.5f).c_str());
  std::unique_ptr<Op> reformat(Op::create("Reformat", &read));
  ASSERT_NE(reformat, nullptr);
  for (const char* field : {"type", "resize"}) {
    EXPECT_TRUE(reformat->set_field(field, field == std::string("type") ? 1 : 3));
  }
  EXPECT_TRUE(reformat->set_field("box_width", 512));
  EXPECT_TRUE(reformat->set_field("box_height", 256));
  EXPECT_FALSE(reformat->set_field("no_such_field", 1));
  ToBuffer toBuffer;
  toBuffer.set_input(0, reformat.get());
  std::vector<unsigned char> pixels(512 * 256);
  for (int filter : {0, 1}) {
    SCOPED_TRACE(filter);
    reformat->set_field("filter", filter);
    ASSERT_TRUE(toBuffer.render(pixels.data(), 0, 0, 512, 256, 1));
    std::set<int> values(pixels.begin() + 64 * 512, pixels.begin() + 192 * 512);
    EXPECT_EQ(pixels[63 * 512 + 256], 0);
    EXPECT_EQ(pixels[64 * 512 + 256], 128);
    EXPECT_GT(pixels[191 * 512 + 256], 128); // the red top row stays on top
    EXPECT_EQ(pixels[192 * 512 + 256], 0);
    // The nearest pixel keeps the two values of the picture; the smooth filter blends the red
    // top row into the grey.
    EXPECT_EQ(values.size() == 2, filter == 0);
  }

  Black black(Format(0, 0, 8, 2));
  toBuffer.set_input(0, &black);
  std::vector<unsigned char> rgb(8 * 2 * 3, 7);
  ASSERT_TRUE(toBuffer.render(rgb.data(), 0, 0, 8, 2, 3));
  EXPECT_EQ(rgb, std::vector<unsigned char>(rgb.size(), 0));
}
