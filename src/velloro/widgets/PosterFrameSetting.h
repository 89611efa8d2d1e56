#pragma once

#include <velloro/VelloroExport.h>

#include <string>
#include <utility>
#include <vector>

namespace Velloro {

// Which frame of a clip stands for it in thumbnails.
enum PosterFrameSetting { First = 0, Middle = 1, Last = 2, Custom = 3 };

// The names in menu order: "First", "Middle", "Last", "Custom...". Built on first use (also
// from static initialisers) and never changed, so any thread may read it.
VELLORO_EXPORT const std::vector<std::pair<std::string, PosterFrameSetting>>& PosterFrameSettingNames();

// The setting's name; "First" for a value outside the table.
VELLORO_EXPORT std::string PosterFrameSettingToString(PosterFrameSetting setting);
// The setting of exactly that name (case matters); First for any other text.
VELLORO_EXPORT PosterFrameSetting PosterFrameSettingFromString(const std::string& name);

} // namespace Velloro
