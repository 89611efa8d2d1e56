#include <velloro/eventgraph/EventUserDataFileAndFrame.h>

namespace Velloro::UI {

EventUserDataFileAndFrame::EventUserDataFileAndFrame(const std::string& fileIn, std::int64_t frameIn)
    : file(QString::fromStdString(fileIn))
    , frame(frameIn) {}

QString EventUserDataFileAndFrame::text() const {
  return QStringLiteral("File=\"") + file + QStringLiteral("\", Frame=") + QString::number(frame);
}

} // namespace Velloro::UI
