#include <velloro/eventgraph/EventUserDataFrameAndImage.h>

namespace Velloro::UI {

EventUserDataFrameAndImage::EventUserDataFrameAndImage(std::int64_t frameIn, int imageIn)
    : frame(frameIn)
    , image(imageIn) {}

QString EventUserDataFrameAndImage::text() const {
  return QStringLiteral("Frame=") + QString::number(frame) + QStringLiteral(", Image=") +
         QString::number(image);
}

} // namespace Velloro::UI
