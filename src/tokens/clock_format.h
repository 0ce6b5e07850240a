// How *CUR_DATE* and *CUR_TIME* read: a pattern of % letters and literal text, DATE_FORMAT and
// TIME_FORMAT, written out for one local time.
#pragma once

#include <ctime>

#include "pages/row_page.h"
#include "platform/platform.h"

namespace vantor {

// The letters a pattern may hold after '%', each what strftime writes for it, with the names in
// the user's language:
//   Y year, y its last two digits, m month 01-12, d day 01-31, e day 1-31 led by a blank,
//   b B the month's short and full name, a A the day's short and full name,
//   H hour 00-23, I hour 01-12, M minute, S second, p AM or PM, % a '%' itself.
inline constexpr const char* kClockLetters = "YymdebBaAHIMSp%";

// Whether `letter`, written after '%', is one of kClockLetters.
bool isClockLetter(char letter);

// Whether `pattern` spells out a name (b B a A p), for which the system's names are read.
bool needsClockNames(const char* pattern);

// Writes `pattern` for the time `t` into `out`, zero-terminated; a '%' before any other letter,
// or at the end, is written as it stands, and a name is empty without `names`. What does not fit
// in kTextSize - 1 bytes is left off, never in the middle of a UTF-8 character. Allocates nothing.
void formatClock(const char* pattern, const std::tm& t, const platform::ClockNames* names,
                 char (&out)[kTextSize]);

}  // namespace vantor
