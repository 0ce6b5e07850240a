// Fuzzed rows and face names read in a code page the first byte picks, double-byte ones foremost:
// decoded as the HUD decodes a row, cut as the reader cuts one, and loaded through the reload.
#include <cstdint>
#include <cstring>
#include <string>

#include "pages/hud_settings.h"
#include "platform/platform.h"
#include "platform/tools.h"
#include "tokens/replace_token.h"
#include "work_folder.h"

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

constexpr unsigned int kPages[] = {932, 936, 949, 950, 1252, 1251};

// Each character in the row, read once: never past the end, never a trail byte below 0x40.
void decode(const char* text, vantor::RowEncoding encoding,
            const vantor::platform::CodePageCharacters& page) {
    const char* const end = text + std::strlen(text);
    while (*text != '\0') {
        const char* before = text;
        const char32_t c = vantor::nextCharacter(text, encoding, page);
        require(text > before && text <= end && c <= 0x10FFFF);
        require(text - before == 1 || encoding != vantor::RowEncoding::kCodePage ||
                static_cast<unsigned char>(before[1]) >= 0x40);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static vantor::test::WorkFolder folder;
    static vantor::PageStore store;
    static vantor::HudSettings settings;
    require(vantor::platform::useCodePage(kPages[data[0] % std::size(kPages)]));
    vantor::platform::CodePageCharacters page;
    vantor::platform::readCodePage(page);

    std::string row(reinterpret_cast<const char*>(data + 1), size - 1);
    row.resize(std::strlen(row.c_str()));
    decode(row.c_str(), vantor::detectEncoding(row.c_str()), page);
    // A cut keeps a prefix, and what it keeps reads as UTF-8 when the row's head did.
    const std::size_t kept = vantor::wholeCharacters(row.c_str(), row.size());
    require(kept <= row.size());
    // Token values are ASCII: replacing one never makes a row's characters other than its own.
    char line[vantor::kWorkSize];
    vantor::replaceToken(line, row.c_str(), "*FPS*", "60", sizeof line);
    decode(line, vantor::detectEncoding(line), page);

    folder.enter();
    folder.writeIni("[CONFIG]\nFONT_FACE=" + row + "\n[SECTION1]\nROWDATA1=" + row + "\n");
    vantor::reloadConfig(store, settings);
    for (int p = 0; p < store.getPageCount(); ++p) {
        store.selectPage(p);
        for (int r = 0; r < store.getRowCount(); ++r) {
            store.selectRow(r);
            decode(store.getRowText(), store.getRowEncoding(), page);
        }
    }
    require(strnlen(settings.fontFace, vantor::kTextSize) < vantor::kTextSize);
    folder.leave();
    return 0;
}
