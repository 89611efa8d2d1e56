#include <velloro/eventgraph/EventUserDataFrameAndDuration.h>

namespace Velloro::UI {

EventUserDataFrameAndDuration::EventUserDataFrameAndDuration(int frameIn, int desiredWaitIn)
    : frame(frameIn)
    , desiredWait(desiredWaitIn) {}

QString EventUserDataFrameAndDuration::text() const {
  return QString::number(frame) + QStringLiteral(", Desired Wait=") + QString::number(desiredWait);
}

} // namespace Velloro::UI
