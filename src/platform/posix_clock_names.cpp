// Linux clock names: the C library's, in the locale the environment names, turned into UTF-8
// whatever that locale's character set.
#include <langinfo.h>
#include <locale.h>

#include <cwchar>

#include "platform/clock_names.h"

namespace vantor::platform {
namespace {

// `text`, in the character set of `locale`, as UTF-8 in `out`; '?' for what does not decode.
void toUtf8(const char* text, locale_t locale, char (&out)[kClockNameSize]) {
    const locale_t previous = uselocale(locale);
    char utf8[4 * kClockNameSize] = {};
    std::size_t used = 0;
    std::mbstate_t state{};
    const char* end = text + std::strlen(text);
    while (text < end && used + 4 < sizeof utf8) {
        wchar_t c = 0;
        const std::size_t got =
            std::mbrtowc(&c, text, static_cast<std::size_t>(end - text), &state);
        if (got == 0) break;
        if (got == static_cast<std::size_t>(-1) || got == static_cast<std::size_t>(-2)) {
            c = L'?';
            state = std::mbstate_t{};
            ++text;
        } else {
            text += got;
        }
        const auto u = static_cast<char32_t>(c);
        if (u < 0x80) {
            utf8[used++] = static_cast<char>(u);
        } else if (u < 0x800) {
            utf8[used++] = static_cast<char>(0xC0 | (u >> 6));
            utf8[used++] = static_cast<char>(0x80 | (u & 0x3F));
        } else if (u < 0x10000) {
            utf8[used++] = static_cast<char>(0xE0 | (u >> 12));
            utf8[used++] = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            utf8[used++] = static_cast<char>(0x80 | (u & 0x3F));
        } else {
            utf8[used++] = static_cast<char>(0xF0 | (u >> 18));
            utf8[used++] = static_cast<char>(0x80 | ((u >> 12) & 0x3F));
            utf8[used++] = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            utf8[used++] = static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    uselocale(previous);
    copyClockName(utf8, out);
}

}  // namespace

void readClockNames(ClockNames& names) {
    // The host's own locale is left alone: ours is made, asked and freed here. A locale the
    // environment names but the system lacks gives the C library's own names.
    locale_t locale = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "", nullptr);
    if (locale == nullptr) locale = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "C", nullptr);
    if (locale == nullptr) return;
    for (int i = 0; i < 12; ++i) {
        toUtf8(nl_langinfo_l(MON_1 + i, locale), locale, names.months[i]);
        toUtf8(nl_langinfo_l(ABMON_1 + i, locale), locale, names.shortMonths[i]);
    }
    for (int i = 0; i < 7; ++i) {
        toUtf8(nl_langinfo_l(DAY_1 + i, locale), locale, names.days[i]);
        toUtf8(nl_langinfo_l(ABDAY_1 + i, locale), locale, names.shortDays[i]);
    }
    toUtf8(nl_langinfo_l(AM_STR, locale), locale, names.am);
    toUtf8(nl_langinfo_l(PM_STR, locale), locale, names.pm);
    // A locale without a 12-hour clock has no AM or PM; the C library's are taken then.
    if (names.am[0] == '\0') copyClockName("AM", names.am);
    if (names.pm[0] == '\0') copyClockName("PM", names.pm);
    freelocale(locale);
}

}  // namespace vantor::platform
