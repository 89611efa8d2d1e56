// Another file's static initialiser that names a poster-frame setting. This program links this
// file before the one that defines the names, so it is initialised first: the names must be
// ready all the same.
#include <velloro/widgets/PosterFrameSetting.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kNamedEarly = Velloro::PosterFrameSettingToString(Velloro::Middle);

TEST(PosterFrameSetting, NamesAreReadyForAnotherFilesStaticInitialiser) {
  EXPECT_EQ(kNamedEarly, "Middle");
}

} // namespace
