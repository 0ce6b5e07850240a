// Linux side of the system code page: Windows-1252 by our own table, as a Windows system set to a
// Western European language reads; or another Windows code page, chosen by hudhost, whose
// characters come from the C library's iconv tables. The choice reaches the plug-in hudhost loads
// through the environment, as a locale reaches a Windows program.
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/posix_code_page.h"
#include "platform/tools.h"

namespace vantor::platform {
namespace {

constexpr const char* kCodePageVariable = "VANTOR_CODE_PAGE";
constexpr unsigned int kWestern = 1252;

// The Windows code pages iconv has under the same tables as Windows: CP932 rather than SHIFT_JIS,
// which differ (0x8160 among others).
constexpr unsigned int kKnown[] = {874,  932,  936,  949,  950,  1250, 1251,
                                   1253, 1254, 1255, 1256, 1257, 1258};

bool known(unsigned int number) {
    if (number == kWestern) return true;
    for (const unsigned int page : kKnown) {
        if (page == number) return true;
    }
    return false;
}

std::string iconvName(unsigned int number) { return "CP" + std::to_string(number); }

unsigned int& chosen() {
    static unsigned int number = [] {
        const char* set = std::getenv(kCodePageVariable);
        const unsigned long asked = set != nullptr ? std::strtoul(set, nullptr, 10) : 0;
        return known(static_cast<unsigned int>(asked)) ? static_cast<unsigned int>(asked)
                                                       : kWestern;
    }();
    return number;
}

// One conversion of `length` bytes from `from` to `to` with `cd`, its state reset first; the bytes
// made, or -1 when the input is not whole or not convertible.
long convert(iconv_t cd, const char* from, std::size_t length, char* to, std::size_t room) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(from);
    char* out = to;
    std::size_t left = room;
    if (iconv(cd, &in, &length, &out, &left) == static_cast<std::size_t>(-1) || length != 0) {
        return -1;
    }
    return static_cast<long>(room - left);
}

// The character `bytes` stand for, alone: 0 for none; sets `incomplete` when they begin one.
char32_t decoded(iconv_t cd, const char* bytes, std::size_t length, bool& incomplete) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes);
    unsigned char out[8] = {};
    char* at = reinterpret_cast<char*>(out);
    std::size_t left = sizeof out;
    const std::size_t done = iconv(cd, &in, &length, &at, &left);
    incomplete = done == static_cast<std::size_t>(-1) && errno == EINVAL;
    if (done == static_cast<std::size_t>(-1) || length != 0 || sizeof out - left != 4) return 0;
    return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

// The table of a code page other than 1252, made once from iconv.
CodePageCharacters tableOf(unsigned int number) {
    CodePageCharacters table;
    const iconv_t cd = iconv_open("UTF-32LE", iconvName(number).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return table;
    auto pairs = std::make_shared<std::vector<char32_t>>();
    for (int i = 0; i < 128; ++i) {
        const char byte = static_cast<char>(0x80 + i);
        bool incomplete = false;
        table.single[i] = decoded(cd, &byte, 1, incomplete);
        table.lead[i] = incomplete;
        if (!incomplete) continue;
        pairs->resize(128 * 256);
        // Trail bytes start at 0x40: no byte below, '*' among them, ever ends a pair.
        for (int trail = 0x40; trail < 0x100; ++trail) {
            const char pair[2] = {byte, static_cast<char>(trail)};
            (*pairs)[static_cast<std::size_t>(i) * 256 + trail] = decoded(cd, pair, 2, incomplete);
        }
    }
    iconv_close(cd);
    if (!pairs->empty()) table.pairs = std::move(pairs);
    return table;
}

}  // namespace

unsigned int codePageNumber() { return chosen(); }

bool useCodePage(unsigned int number) {
    if (!known(number)) return false;
    if (number != kWestern) {
        const iconv_t cd = iconv_open("UTF-32LE", iconvName(number).c_str());
        if (cd == reinterpret_cast<iconv_t>(-1)) return false;
        iconv_close(cd);
    }
    chosen() = number;
    setenv(kCodePageVariable, std::to_string(number).c_str(), 1);
    return true;
}

bool readCodePageOf(unsigned int number, CodePageCharacters& table) {
    if (!known(number)) return false;
    if (number == kWestern) {
        table = {};
        for (int i = 0; i < 128; ++i)
            table.single[i] = windows1252Character(static_cast<unsigned char>(0x80 + i));
        return true;
    }
    // The tables made, kept: a double-byte one is made of thousands of conversions.
    static std::vector<std::pair<unsigned int, CodePageCharacters>> made;
    for (const auto& [page, characters] : made) {
        if (page == number) {
            table = characters;
            return true;
        }
    }
    made.emplace_back(number, tableOf(number));
    table = made.back().second;
    return true;
}

void readCodePage(CodePageCharacters& table) { readCodePageOf(chosen(), table); }

void toCodePage(const char16_t* units, std::size_t count, std::string& out) {
    out.clear();
    if (chosen() == kWestern) {
        out.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            out[i] = static_cast<char>(windows1252Converted(units[i]));
        return;
    }
    const iconv_t cd = iconv_open(iconvName(chosen()).c_str(), "UTF-16LE");
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char unit[2] = {static_cast<unsigned char>(units[i] & 0xFF),
                                       static_cast<unsigned char>(units[i] >> 8)};
        char bytes[8];
        // A unit the page lacks, and each surrogate, gives '?'.
        const long made =
            cd == reinterpret_cast<iconv_t>(-1)
                ? -1
                : convert(cd, reinterpret_cast<const char*>(unit), 2, bytes, sizeof bytes);
        if (made > 0) {
            out.append(bytes, static_cast<std::size_t>(made));
        } else {
            out += '?';
        }
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
}

}  // namespace vantor::platform
