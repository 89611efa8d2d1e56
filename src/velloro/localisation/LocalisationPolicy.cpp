#include <velloro/localisation/LocalisationPolicy.h>

namespace Velloro {

const char* const kLocalisationPolicyNames[5] = {"on", "fromAutoLocalizePath\tfrom auto-localize path",
                                                 "onDemand\ton demand", "off", nullptr};

} // namespace Velloro
