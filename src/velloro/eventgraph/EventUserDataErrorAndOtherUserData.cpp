#include <velloro/eventgraph/EventUserDataErrorAndOtherUserData.h>

namespace Velloro::UI {

EventUserDataErrorAndOtherUserData::EventUserDataErrorAndOtherUserData(
    int errorIn, std::shared_ptr<Tessel::UI::IEventUserData> otherIn)
    : error(errorIn)
    , other(std::move(otherIn)) {}

QString EventUserDataErrorAndOtherUserData::text() const {
  QString result = QStringLiteral("Error=") + QString::number(error);
  if (other) {
    result += QStringLiteral(", ") + other->text();
  }
  return result;
}

} // namespace Velloro::UI
