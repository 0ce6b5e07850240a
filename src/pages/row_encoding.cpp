#include "pages/row_encoding.h"

namespace vantor {

RowEncoding detectEncoding(const char* text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    bool high = false;
    while (*bytes != 0) {
        if (*bytes < 0x80) {
            ++bytes;
            continue;
        }
        const int length = utf8SequenceLength(bytes);
        if (length == 0) return RowEncoding::kCodePage;
        high = true;
        bytes += length;
    }
    return high ? RowEncoding::kUtf8 : RowEncoding::kAscii;
}

char32_t nextCharacter(const char*& text, RowEncoding encoding,
                       const platform::CodePageCharacters& codePage) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    ++text;
    if (bytes[0] < 0x80) return bytes[0];
    if (encoding == RowEncoding::kCodePage) {
        if (!codePage.leads(bytes[0])) return codePage[bytes[0] - 0x80];
        const char32_t c = codePage.pair(bytes[0], bytes[1]);  // the terminator pairs with none
        if (c != 0) ++text;
        return c;
    }
    const int length = encoding == RowEncoding::kUtf8 ? utf8SequenceLength(bytes) : 0;
    if (length == 0) return 0;
    char32_t c = bytes[0] & (0x7F >> length);
    for (int i = 1; i < length; ++i) c = (c << 6) | (bytes[i] & 0x3F);
    text += length - 1;
    return c;
}

void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string toUtf8(const char* text, const platform::CodePageCharacters& codePage) {
    const RowEncoding encoding = detectEncoding(text);
    if (encoding == RowEncoding::kAscii) return text;
    std::string out;
    while (*text != '\0') {
        const char32_t c = nextCharacter(text, encoding, codePage);
        if (c != 0) appendUtf8(c, out);
    }
    return out;
}

std::size_t wholeCharacters(const char* text, std::size_t length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t whole = 0;  // the end of the last whole character
    bool high = false;
    while (whole < length) {
        if (bytes[whole] < 0x80) {
            ++whole;
            continue;
        }
        const int sequence = utf8SequenceLength(bytes + whole);
        if (sequence == 0) break;
        // Whole only past the cut, in text that goes on after it: cut, then.
        if (whole + static_cast<std::size_t>(sequence) > length) return whole;
        high = true;
        whole += static_cast<std::size_t>(sequence);
    }
    if (whole == length || !high) return length;
    // What follows the last whole character must be the start of one that the cut broke.
    const std::size_t rest = length - whole;
    const unsigned char lead = bytes[whole];
    const std::size_t wanted = lead > 0xF4    ? 0
                               : lead >= 0xF0 ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC2 ? 2
                                              : 0;
    if (wanted == 0 || wanted <= rest) return length;
    for (std::size_t i = 1; i < rest; ++i) {
        if ((bytes[whole + i] & 0xC0) != 0x80) return length;
    }
    return whole;
}

}  // namespace vantor
