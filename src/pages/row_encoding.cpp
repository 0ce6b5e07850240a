#include "pages/row_encoding.h"

namespace vantor {

int utf8SequenceLength(const unsigned char* text) {
    const unsigned char lead = text[0];
    int length = 0;
    char32_t low = 0;  // the smallest character of that length: shorter forms are overlong
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        low = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = 0x10000;
    } else {
        return 0;
    }
    char32_t c = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((text[i] & 0xC0) != 0x80) return 0;  // the terminating zero stops here too
        c = (c << 6) | (text[i] & 0x3F);
    }
    if (c < low || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

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
    if (encoding == RowEncoding::kCodePage) return codePage[bytes[0] - 0x80];
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

}  // namespace vantor
