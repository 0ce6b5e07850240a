#include "tokens/clock_format.h"

#include <cstring>

namespace vantor {
namespace {

// Appends to a fixed buffer, keeping the room for the zero.
class Writer {
public:
    explicit Writer(char (&out)[kTextSize]) : out_(out) {}

    // The whole text, or as many of its characters as fit: a UTF-8 character is never split.
    void text(const char* s, std::size_t length) {
        if (cut_) return;  // nothing after a cut, or the text would read out of order
        const std::size_t room = kMaxBytes - used_;
        if (length > room) {
            cut_ = true;
            length = room;
            // Back off continuation bytes, and the lead byte of the character they belong to.
            while (length > 0 && (static_cast<unsigned char>(s[length]) & 0xC0) == 0x80) --length;
        }
        std::memcpy(out_ + used_, s, length);
        used_ += length;
    }
    void text(const char* s) { text(s, std::strlen(s)); }

    // `value` in decimal, at least `width` digits, led by `pad`.
    void number(int value, int width, char pad) {
        char digits[16];
        int n = 0;
        unsigned int v = value < 0 ? 0u - static_cast<unsigned int>(value) : value;
        do {
            digits[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        // As printf pads: zeros go between the sign and the digits, blanks before the sign.
        const int sign = value < 0 ? 1 : 0;
        while (pad == '0' && n < width - sign) digits[n++] = '0';
        if (sign != 0) digits[n++] = '-';
        while (n < width) digits[n++] = pad;
        char ordered[16];
        for (int k = 0; k < n; ++k) ordered[k] = digits[n - 1 - k];
        text(ordered, static_cast<std::size_t>(n));
    }

    void finish() { out_[used_] = '\0'; }

private:
    static constexpr std::size_t kMaxBytes = kTextSize - 1;
    char (&out_)[kTextSize];
    std::size_t used_ = 0;
    bool cut_ = false;
};

// A name of the table by the field's value, or nothing for a value out of its range.
template <std::size_t N>
const char* nameAt(const char (&names)[N][platform::kClockNameSize], int index) {
    return index >= 0 && index < static_cast<int>(N) ? names[index] : "";
}

}  // namespace

bool isClockLetter(char letter) {
    return letter != '\0' && std::strchr(kClockLetters, letter) != nullptr;
}

bool needsClockNames(const char* pattern) {
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (*p != '%' || !isClockLetter(p[1])) continue;
        if (std::strchr("bBaAp", *++p) != nullptr) return true;
    }
    return false;
}

void formatClock(const char* pattern, const std::tm& t, const platform::ClockNames* names,
                 char (&out)[kTextSize]) {
    static const platform::ClockNames kNoNames = {};
    const platform::ClockNames& spelt = names != nullptr ? *names : kNoNames;
    Writer w(out);
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (*p != '%' || !isClockLetter(p[1])) {
            w.text(p, 1);
            continue;
        }
        const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
        switch (*++p) {
            case 'Y':
                w.number(t.tm_year + 1900, 4, '0');
                break;
            case 'y':
                w.number((t.tm_year + 1900) % 100, 2, '0');
                break;
            case 'm':
                w.number(t.tm_mon + 1, 2, '0');
                break;
            case 'd':
                w.number(t.tm_mday, 2, '0');
                break;
            case 'e':
                w.number(t.tm_mday, 2, ' ');
                break;
            case 'b':
                w.text(nameAt(spelt.shortMonths, t.tm_mon));
                break;
            case 'B':
                w.text(nameAt(spelt.months, t.tm_mon));
                break;
            case 'a':
                w.text(nameAt(spelt.shortDays, t.tm_wday));
                break;
            case 'A':
                w.text(nameAt(spelt.days, t.tm_wday));
                break;
            case 'H':
                w.number(t.tm_hour, 2, '0');
                break;
            case 'I':
                w.number(hour12, 2, '0');
                break;
            case 'M':
                w.number(t.tm_min, 2, '0');
                break;
            case 'S':
                w.number(t.tm_sec, 2, '0');
                break;
            case 'p':
                w.text(t.tm_hour < 12 ? spelt.am : spelt.pm);
                break;
            default:
                w.text("%", 1);
                break;  // "%%"
        }
    }
    w.finish();
}

}  // namespace vantor
