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
    // Liberation (fonts-liberation2) is metric-compatible with the Windows core fonts;
    // DejaVu Sans (fonts-dejavu-core) is fontconfig's default sans-serif face.
    const struct {
        const char* face;
        const char* file;
    } cases[] = {
        {"Arial", "LiberationSans-Regular.ttf"},
        {"arial", "LiberationSans-Regular.ttf"},
        {"Times New Roman", "LiberationSerif-Regular.ttf"},
        {"Courier New", "LiberationMono-Regular.ttf"},
        {"DejaVu Sans Mono", "DejaVuSansMono.ttf"},
        {"No Such Face", "DejaVuSans.ttf"},
        {"Arial:weight=200", "DejaVuSans.ttf"},  // a name is never parsed as a pattern
        {"Caf\xe9", "DejaVuSans.ttf"},
        {"", "DejaVuSans.ttf"},
    };
    for (const auto& c : cases) {
        for (int size : {1, 18, 64}) {
            FontFile file{};
            ASSERT_TRUE(matchFontFile(c.face, size, file)) << c.face;
            EXPECT_EQ(fileName(file), c.file) << c.face << " at " << size;
            EXPECT_GE(file.index, 0);
        }
    }
}

}  // namespace
}  // namespace vantor::platform
