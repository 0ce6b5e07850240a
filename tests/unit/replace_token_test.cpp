// The one-pass token replacement: its matching quirks, the bytes it writes, and its refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "tokens/replace_token.h"

namespace vantor {
namespace {

const std::string kTime = "*CUR_TIME*";
const std::string kNoon = "12:00:00";
const std::string kToken32 = "*ABCDEFGHIJKLMNOPQRSTUVWXYZ0123*";
const std::string kToken33 = "*ABCDEFGHIJKLMNOPQRSTUVWXYZ01234*";
constexpr char kUntouched = '\x5A';  // what bytes the call must not write hold before it
constexpr std::uint32_t kGuard = 16;

// A destination of `limit` bytes followed by a guard, all holding kUntouched.
std::vector<char> freshDestination(std::uint32_t limit) {
    return std::vector<char>(limit + kGuard, kUntouched);
}

// The bytes the call should leave: `written` in front, then kUntouched to the end.
std::vector<char> expectedBytes(const std::string& written, std::size_t size) {
    std::vector<char> bytes(size, kUntouched);
    std::memcpy(bytes.data(), written.data(), written.size());
    return bytes;
}

struct Substitution {
    const char* name;
    std::string source;
    std::string token;
    std::string replacement;
    std::string line;  // what the destination holds up to its terminator
    int count;
    std::uint32_t limit = 1024;
};

void PrintTo(const Substitution& c, std::ostream* os) { *os << c.name; }

class ReplaceTokenCase : public testing::TestWithParam<Substitution> {};

// Separate buffers: the line, its terminator and zeros up to the limit; nothing past it. The same
// call with one buffer as destination and source, where the source fits, leaves the same bytes.
// The count does not depend on the limit.
TEST_P(ReplaceTokenCase, WritesTheLineThenZerosUpToTheLimit) {
    const Substitution& c = GetParam();
    const std::uint32_t limit = c.limit;
    ASSERT_LE(c.line.size(), limit);
    std::vector<char> destination = freshDestination(limit);
    EXPECT_EQ(replaceToken(destination.data(), c.source.c_str(), c.token.c_str(),
                           c.replacement.c_str(), limit),
              c.count);
    const std::string written = c.line + std::string(limit - c.line.size(), '\0');
    EXPECT_EQ(destination, expectedBytes(written, destination.size()));

    if (c.source.size() >= limit) return;
    std::vector<char> inPlace = freshDestination(limit);
    std::memcpy(inPlace.data(), c.source.c_str(), c.source.size() + 1);
    EXPECT_EQ(
        replaceToken(inPlace.data(), inPlace.data(), c.token.c_str(), c.replacement.c_str(), limit),
        c.count);
    EXPECT_EQ(inPlace, destination);
}

std::string repeated(const std::string& unit, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += unit;
    return text;
}

const Substitution kSubstitutions[] = {
    {"ExactlyTheToken", kTime, kTime, kNoon, kNoon, 1},
    {"AtTheStart", kTime + " now", kTime, kNoon, kNoon + " now", 1},
    {"AtTheEnd", "now " + kTime, kTime, kNoon, "now " + kNoon, 1},
    {"TwiceWithTextBetween", kTime + " and " + kTime, kTime, kNoon, kNoon + " and " + kNoon, 2},
    {"TwiceWithOneCharacterBetween", kTime + "-" + kTime, kTime, kNoon, kNoon + "-" + kNoon, 2},
    {"TwiceAdjacentOnlyFirst", kTime + kTime, kTime, kNoon, kNoon + kTime, 1},
    {"ThreeAdjacentOnlyFirst", kTime + kTime + kTime, kTime, kNoon, kNoon + kTime + kTime, 1},
    {"CharacterAfterMatchCopied", kTime + "*x", kTime, kNoon, kNoon + "*x", 1},
    {"OneAsteriskBefore", "*" + kTime, kTime, kNoon, "*" + kTime, 0},
    {"TwoAsterisksBefore", "**" + kTime, kTime, kNoon, "**" + kNoon, 1},
    {"EndsWithFirstSevenCharacters", "at *CUR_TI", kTime, kNoon, "at *CUR_TI", 0},
    {"FirstFiveThenWholeToken", "*CUR_" + kTime, kTime, kNoon, "*CUR_" + kTime, 0},
    {"FirstFiveOneCharacterThenToken", "*CUR_x" + kTime, kTime, kNoon, "*CUR_x" + kNoon, 1},
    {"AabNotFoundInAaab", "aaab", "aab", "R", "aaab", 0},
    {"AaInAa", "aa", "aa", "R", "R", 1},
    {"AaInAaa", "aaa", "aa", "R", "Ra", 1},
    {"AaInAaaa", "aaaa", "aa", "R", "Raa", 1},
    {"AaInAaaaa", "aaaaa", "aa", "R", "RaR", 2},
    {"LowerCaseNotFound", "*cur_time*", kTime, kNoon, "*cur_time*", 0},
    {"HighBytesAround", "\x80\xff" + kTime + "\xe9\x81", kTime, kNoon,
     "\x80\xff" + kNoon + "\xe9\x81", 1},
    {"EmptyReplacementDeletes", "a" + kTime + "b" + kTime, kTime, "", "ab", 2},
    {"ReplacementHoldingTokenNotRescanned", "<" + kTime + ">", kTime, "[" + kTime + "]",
     "<[" + kTime + "]>", 1},
    {"ShorterReplacementMovesRest", kTime + " tail", kTime, "1", "1 tail", 1},
    {"LongerReplacementMovesRest", "a" + kTime + " tail", kTime, std::string(40, 'L'),
     "a" + std::string(40, 'L') + " tail", 1},
    {"EmptySource", "", kTime, kNoon, "", 0},
    {"NoToken", "no token here", kTime, kNoon, "no token here", 0},
    {"Token32Characters", "<" + kToken32 + ">", kToken32, "R", "<R>", 1},
    {"Token32BrokenAtLast", "<" + kToken32.substr(0, 31) + ">", kToken32, "R",
     "<" + kToken32.substr(0, 31) + ">", 0},
    // A result of `limit` bytes or more is cut so that the destination still ends in a zero.
    {"LimitZeroWritesNothing", kTime, kTime, "123456", "", 1, 0},
    {"LimitOneWritesTerminator", "a" + kTime, kTime, "123456", "", 1, 1},
    {"SevenBytesInEight", "a" + kTime, kTime, "123456", "a123456", 1, 8},
    {"EightBytesCutToSeven", "a" + kTime, kTime, "1234567", "a123456", 1, 8},
    {"LongResultCut", kTime + " and " + kTime, kTime, "123456", "123456 ", 2, 8},
    {"ShortResultZeroFilled", "ab", kTime, "123456", "ab", 0, 8},
    {"EmptySourceAllZeros", "", kTime, "123456", "", 0, 5},
    // The result stops growing at 4095 bytes however long it would be; every occurrence counts.
    {"LongSourceNoToken", std::string(5000, 'x'), kTime, kNoon, std::string(4095, 'x'), 0, 8192},
    {"OneLongReplacement", std::string(4000, 'x') + kTime, kTime, std::string(500, 'R'),
     std::string(4000, 'x') + std::string(95, 'R'), 1, 8192},
    {"ManyReplacements", repeated("a-", 1000), "a", "0123456789",
     repeated("0123456789-", 1000).substr(0, 4095), 1000, 8192},
};

INSTANTIATE_TEST_SUITE_P(OnePass, ReplaceTokenCase, testing::ValuesIn(kSubstitutions),
                         [](const auto& info) { return std::string(info.param.name); });

// Refused calls return 0 and leave every byte of the destination as it was.
enum class Null { kNone, kDestination, kSource, kToken, kReplacement };

struct Refusal {
    const char* name;
    Null null;  // the argument passed as a null pointer
    std::string token;
};

void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

class ReplaceTokenRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(ReplaceTokenRefusal, ReturnsZeroAndLeavesDestination) {
    const Refusal& c = GetParam();
    const std::string source = "<" + kToken33 + kTime + ">";
    std::vector<char> destination = freshDestination(64);
    const std::vector<char> before = destination;
    EXPECT_EQ(replaceToken(c.null == Null::kDestination ? nullptr : destination.data(),
                           c.null == Null::kSource ? nullptr : source.c_str(),
                           c.null == Null::kToken ? nullptr : c.token.c_str(),
                           c.null == Null::kReplacement ? nullptr : "R", 64),
              0);
    EXPECT_EQ(destination, before);
}

INSTANTIATE_TEST_SUITE_P(Arguments, ReplaceTokenRefusal,
                         testing::Values(Refusal{"NullDestination", Null::kDestination, kTime},
                                         Refusal{"NullSource", Null::kSource, kTime},
                                         Refusal{"NullToken", Null::kToken, kTime},
                                         Refusal{"NullReplacement", Null::kReplacement, kTime},
                                         Refusal{"EmptyToken", Null::kNone, ""},
                                         Refusal{"Token33Characters", Null::kNone, kToken33}),
                         [](const auto& info) { return std::string(info.param.name); });

// Where the values lie after a pass of "*T*": the line's own moved with their bytes, each value
// inserted one more, a value within or beside another joining it, all cut with the line.
struct Spans {
    const char* name;
    std::string source;
    std::vector<ValueSpan> before;  // the values `source` holds
    std::string replacement;
    std::vector<ValueSpan> after;
    std::uint32_t limit = 64;
};

TEST(ReplaceTokenSpans, ValuesMoveWithTheirBytes) {
    const Spans cases[] = {
        {"TwoValues", "a *T* b *T*", {}, "12", {{2, 4}, {7, 9}}},
        {"ValueBeforeMoves", "xx *T* yy", {{0, 2}, {7, 9}}, "abc", {{0, 2}, {3, 6}, {7, 9}}},
        {"TokenInsideAValue", "v*T*v w", {{0, 5}}, "QQ", {{0, 4}}},
        {"TokenAcrossAValuesEdge", "ab*T* c", {{0, 3}}, "12", {{0, 4}}},
        {"ValuesSideBySide", "12*T*", {{0, 2}}, "3", {{0, 3}}},
        {"EmptyValue", "a *T* b", {}, "", {}},
        {"CutWithTheLine", "ab *T* cd", {{7, 9}}, "123456", {{3, 5}}, 6},
    };
    for (const Spans& c : cases) {
        SCOPED_TRACE(c.name);
        ValueSpans values;
        for (const ValueSpan& span : c.before) values.at[values.count++] = span;
        char line[64];
        replaceToken(line, c.source.c_str(), "*T*", c.replacement.c_str(), c.limit, values);
        ASSERT_EQ(values.count, static_cast<int>(c.after.size()));
        for (int k = 0; k < values.count; ++k) {
            EXPECT_EQ(values.at[k].begin, c.after[k].begin) << k;
            EXPECT_EQ(values.at[k].end, c.after[k].end) << k;
        }
    }
}

}  // namespace
}  // namespace vantor
