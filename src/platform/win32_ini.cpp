// Windows side of the profile reads. The system's own reader answers, but for one form of file it
// would lose: in a multi-byte system code page (932, 936, 949, 950) it reads a file without a
// byte-order mark in that code page and hands its text over converted, so the sequences of a UTF-8
// file that the code page does not share are gone before the HUD sees them. Such a file, one whose
// high bytes are all UTF-8, is read through our own grammar there, which keeps its bytes as the
// system's reader keeps those of a UTF-8 file in a single-byte code page. Everywhere else the
// system's reader is asked, the same calls in the same order.
//
// The forms on which readers part ways are asked of the system's own reader, since its versions
// differ (wine reads past a UTF-8 byte-order mark, Windows 10 reads the mark as part of line 1).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include "platform/ini_parse.h"
#include "platform/utf16_text.h"
#include "platform/utf8_text.h"

namespace vantor::platform {
namespace {

bool multiByteCodePage() {
    static const bool multiByte = [] {
        CPINFO info{};
        return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
    }();
    return multiByte;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The file at `path` whole, when it is one the system's reader would lose: no byte-order mark,
// its high bytes UTF-8. Read again for each value, as the system's reader reads it.
bool readLostFile(const char* path, std::string& bytes) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file) return false;
    char chunk[65536];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
        bytes.append(chunk, got);
        if (bytes.size() > kMaxIniBytes) return false;
    }
    std::u16string units;
    return std::ferror(file.get()) == 0 && !markedUtf16(bytes, units) &&
           bytes.compare(0, 3, "\xEF\xBB\xBF") != 0 && holdsUtf8(bytes);
}

// Whether the system's reader finds K=v in section S of a file holding `content`, written for the
// question into the temporary folder and removed after it.
bool readsValue(const char* content) {
    char folder[MAX_PATH];
    char path[MAX_PATH];
    if (GetTempPathA(MAX_PATH, folder) == 0 || GetTempFileNameA(folder, "ini", 0, path) == 0) {
        return false;
    }
    bool found = false;
    if (std::FILE* file = std::fopen(path, "wb")) {
        std::fputs(content, file);
        std::fclose(file);
        char value[4] = {};
        GetPrivateProfileStringA("S", "K", "", value, sizeof value, path);
        found = std::strcmp(value, "v") == 0;
    }
    DeleteFileA(path);
    return found;
}

}  // namespace

std::uint32_t readProfileString(const char* section, const char* key, const char* fallback,
                                char* buffer, std::uint32_t size, const char* path) {
    if (multiByteCodePage() && path != nullptr) {
        std::string bytes;
        if (readLostFile(path, bytes)) {
            IniIndex index;
            index.parseFile(std::move(bytes), profileForms());
            return answerProfileRead(&index, section, key, fallback, buffer, size);
        }
    }
    return GetPrivateProfileStringA(section, key, fallback, buffer, size, path);
}

// Asked once a process. Windows' reader reads files of any size.
IniForms profileForms() {
    static const IniForms forms{readsValue("\xEF\xBB\xBF[S]\r\nK=v\r\n"), readsValue("[S]\rK=v\r"),
                                std::numeric_limits<std::uint64_t>::max()};
    return forms;
}

}  // namespace vantor::platform
