// Face names resolved as a Windows font mapper would resolve them, through fontconfig.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix_font_match.h"

namespace vantor::platform {
namespace {

std::string fileName(const FontFile& file) {
    const std::string path = file.path;
    return path.substr(path.find_last_of('/') + 1);
}

TEST(FontMatch, FaceNamesFindTheirFilesOrTheDefaultSans) {
    // Liberation (fonts-liberation2) is metric-compatible with the Windows core fonts, a stand-in
    // for them; DejaVu Sans (fonts-dejavu-core) is fontconfig's default sans-serif face, a
    // substitute for a name it does not know.
    const struct {
        const char* face;
        const char* file;
        bool standsIn;
    } cases[] = {
        {"Arial", "LiberationSans-Regular.ttf", true},
        {"arial", "LiberationSans-Regular.ttf", true},
        {"Times New Roman", "LiberationSerif-Regular.ttf", true},
        {"Courier New", "LiberationMono-Regular.ttf", true},
        {"DejaVu Sans Mono", "DejaVuSansMono.ttf", true},
        {"No Such Face", "DejaVuSans.ttf", false},
        {"Arial:weight=200", "DejaVuSans.ttf", false},  // a name is never parsed as a pattern
        {"Caf\xe9", "DejaVuSans.ttf", false},
        {"", "DejaVuSans.ttf", false},
    };
    for (const auto& c : cases) {
        for (int size : {1, 18, 64}) {
            FontFile file{};
            ASSERT_TRUE(matchFontFile(c.face, size, file)) << c.face;
            EXPECT_EQ(fileName(file), c.file) << c.face << " at " << size;
            EXPECT_GE(file.index, 0);
            EXPECT_EQ(file.standsIn, c.standsIn) << c.face << " drawn as " << file.family;
        }
    }
}

}  // namespace
}  // namespace vantor::platform
