// Fuzzed bytes as the HUD's INI file, read through the INI reader, the page loader and the reload.
// Beyond the sanitizers, every answer must keep to its buffer and every setting to its range.
#include <cstdint>
#include <cstring>
#include <string>

#include "hud/character_lists.h"
#include "pages/hud_settings.h"
#include "platform/platform.h"
#include "work_folder.h"

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

void readAndCheck(const char* section, const char* key, std::uint32_t size) {
    char buffer[300];
    std::memset(buffer, 0x7F, sizeof buffer);
    const std::uint32_t length =
        vantor::platform::readProfileString(section, key, "", buffer, size, vantor::kIniPath);
    require(size == 0 ? length == 0 : length < size && buffer[length] == '\0');
    for (std::size_t i = size; i < sizeof buffer; ++i) require(buffer[i] == 0x7F);
}

bool inRange(float v, float low, float high) { return v >= low && v <= high; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The working folder only while an input runs: libFuzzer reads its corpus by the paths it was
    // given.
    static vantor::test::WorkFolder folder;
    static vantor::PageStore store;
    static vantor::HudSettings settings;
    static vantor::platform::CodePageCharacters codePage;
    vantor::platform::readCodePage(codePage);
    folder.enter();
    folder.writeIni(std::string(reinterpret_cast<const char*>(data), size));

    // The names the reload asks for, and a name taken from the input so that its own lines are
    // found as well.
    std::string own(reinterpret_cast<const char*>(data), size < 12 ? size : 12);
    own.resize(std::strlen(own.c_str()));
    for (std::uint32_t bufferSize : {0u, 1u, 7u, 260u}) {
        readAndCheck("SECTION1", "ROWDATA1", bufferSize);
        readAndCheck("CONFIG", "FONT_FACE", bufferSize);
        readAndCheck(own.c_str(), own.c_str(), bufferSize);
        readAndCheck("S", own.c_str(), bufferSize);
    }

    vantor::reloadConfig(store, settings);
    require(store.getPageCount() >= 0 && store.getPageCount() <= 5);
    for (int p = 0; p < store.getPageCount(); ++p) {
        require(store.selectPage(p) == 1);
        require(store.getRowCount() >= 1 && store.getRowCount() <= 28);
        for (int r = 0; r < store.getRowCount(); ++r) {
            require(store.selectRow(r) == 1);
            require(strnlen(store.getRowText(), vantor::kTextSize) < vantor::kTextSize);
            // Decoding keeps inside the row and reads each byte once at most.
            const vantor::RowEncoding encoding = store.getRowEncoding();
            const char* text = store.getRowText();
            const char* const end = text + std::strlen(text);
            while (*text != '\0') {
                const char* before = text;
                const char32_t c = vantor::nextCharacter(text, encoding, codePage);
                require(text > before && text <= end && c <= 0x10FFFF);
                require(encoding != vantor::RowEncoding::kUtf8 || c != 0);
            }
        }
    }
    static vantor::CharacterLists lists;
    lists.collect(store, codePage);
    require(lists.count() <= vantor::kMaxCharacterLists);
    for (int i = 1; i < lists.count(); ++i) require(lists.code(i - 1) < lists.code(i));
    require(inRange(settings.posX, 1, 640) && inRange(settings.posY, 1, 480));
    require(inRange(settings.stepY, 1, 480) && settings.fontSize >= 1 && settings.fontSize <= 64);
    require(inRange(settings.red, 0, 1) && inRange(settings.green, 0, 1) &&
            inRange(settings.blue, 0, 1));
    require(settings.fontFace[0] != '\0' &&
            strnlen(settings.fontFace, vantor::kTextSize) < vantor::kTextSize);
    folder.leave();
    return 0;
}
