// Files saved as UTF-16 ("Unicode" in Windows' editors). Windows' profile reader knows one only by
// its byte-order mark, FF FE or, big-endian, FE FF, and reads a file without it as bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantor::platform {

// The units of `bytes`, two bytes each; an odd last byte, half a unit, is dropped.
inline std::u16string utf16Units(std::string_view bytes, bool littleEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(littleEndian ? second << 8 | first : first << 8 | second);
    }
    return units;
}

// Whether `bytes` start with a UTF-16 byte-order mark; if so, `units` gets the units after it.
inline bool markedUtf16(std::string_view bytes, std::u16string& units) {
    const bool little = bytes.substr(0, 2) == "\xFF\xFE";
    if (!little && bytes.substr(0, 2) != "\xFE\xFF") return false;
    units = utf16Units(bytes.substr(2), little);
    return true;
}

}  // namespace vantor::platform
