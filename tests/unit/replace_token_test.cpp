// The one-pass token replacement: its matching quirks, the bytes it writes, and its refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "pages/page_store.h"

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
};

void PrintTo(const Substitution& c, std::ostream* os) { *os << c.name; }

class ReplaceTokenCase : public testing::TestWithParam<Substitution> {
protected:
    std::unique_ptr<PageStore> store = std::make_unique<PageStore>();
};

// Separate buffers: the line, its terminator and zeros up to the limit; nothing past it. The same
// call with one buffer as destination and source leaves the same limit bytes.
TEST_P(ReplaceTokenCase, WritesTheLineThenZerosUpToTheLimit) {
    const Substitution& c = GetParam();
    const std::uint32_t limit = 1024;
    std::vector<char> destination = freshDestination(limit);
    EXPECT_EQ(store->replaceToken(destination.data(), c.source.c_str(), c.token.c_str(),
                                  c.replacement.c_str(), limit),
              c.count);
    const std::string written = c.line + std::string(limit - c.line.size(), '\0');
    EXPECT_EQ(destination, expectedBytes(written, destination.size()));

    std::vector<char> inPlace = freshDestination(limit);
    std::memcpy(inPlace.data(), c.source.c_str(), c.source.size() + 1);
    EXPECT_EQ(store->replaceToken(inPlace.data(), inPlace.data(), c.token.c_str(),
                                  c.replacement.c_str(), limit),
              c.count);
    EXPECT_EQ(inPlace, destination);
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
};

INSTANTIATE_TEST_SUITE_P(OnePass, ReplaceTokenCase, testing::ValuesIn(kSubstitutions),
                         [](const auto& info) { return std::string(info.param.name); });

// Refused calls return 0 and leave every byte of the destination as it was.
struct Refusal {
    const char* name;
    bool nullSource;
    bool nullToken;
    bool nullReplacement;
    std::string token;
};

void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

class ReplaceTokenRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(ReplaceTokenRefusal, ReturnsZeroAndLeavesDestination) {
    const Refusal& c = GetParam();
    PageStore store;
    const std::string source = "<" + kToken33 + kTime + ">";
    std::vector<char> destination = freshDestination(64);
    const std::vector<char> before = destination;
    EXPECT_EQ(store.replaceToken(destination.data(), c.nullSource ? nullptr : source.c_str(),
                                 c.nullToken ? nullptr : c.token.c_str(),
                                 c.nullReplacement ? nullptr : "R", 64),
              0);
    EXPECT_EQ(destination, before);
}

INSTANTIATE_TEST_SUITE_P(Arguments, ReplaceTokenRefusal,
                         testing::Values(Refusal{"NullSource", true, false, false, kTime},
                                         Refusal{"NullToken", false, true, false, kTime},
                                         Refusal{"NullReplacement", false, false, true, kTime},
                                         Refusal{"EmptyToken", false, false, false, ""},
                                         Refusal{"Token33Characters", false, false, false,
                                                 kToken33}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReplaceToken, NullDestinationIsRefused) {
    PageStore store;
    EXPECT_EQ(store.replaceToken(nullptr, kTime.c_str(), kTime.c_str(), "R", 64), 0);
}

// Exactly `limit` bytes are written: the count does not depend on it, and a result of `limit`
// bytes or more is cut so that the destination still ends in a zero.
struct Limited {
    const char* name;
    std::string source;
    std::string replacement;
    std::uint32_t limit;
    std::string written;  // exactly `limit` bytes
    int count;
};

void PrintTo(const Limited& c, std::ostream* os) { *os << c.name; }

class ReplaceTokenLimit : public testing::TestWithParam<Limited> {};

TEST_P(ReplaceTokenLimit, WritesExactlyLimitBytes) {
    const Limited& c = GetParam();
    ASSERT_EQ(c.written.size(), c.limit);
    PageStore store;
    std::vector<char> destination = freshDestination(c.limit);
    EXPECT_EQ(store.replaceToken(destination.data(), c.source.c_str(), kTime.c_str(),
                                 c.replacement.c_str(), c.limit),
              c.count);
    EXPECT_EQ(destination, expectedBytes(c.written, destination.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Destination, ReplaceTokenLimit,
    testing::Values(
        Limited{"LimitZeroWritesNothing", kTime, "123456", 0, "", 1},
        Limited{"LimitOneWritesTerminator", "a" + kTime, "123456", 1, std::string(1, '\0'), 1},
        Limited{"SevenBytesInEight", "a" + kTime, "123456", 8, std::string("a123456\0", 8), 1},
        Limited{"EightBytesCutToSeven", "a" + kTime, "1234567", 8, std::string("a123456\0", 8), 1},
        Limited{"LongResultCut", kTime + " and " + kTime, "123456", 8, std::string("123456 \0", 8),
                2},
        Limited{"ShortResultZeroFilled", "ab", "123456", 8, std::string("ab\0\0\0\0\0\0", 8), 0},
        Limited{"EmptySourceAllZeros", "", "123456", 5, std::string(5, '\0'), 0}),
    [](const auto& info) { return std::string(info.param.name); });

// The result stops growing at 4095 bytes however long it would be; the occurrences are still
// counted.
struct Oversized {
    const char* name;
    std::string source;
    std::string token;
    std::string replacement;
    std::string full;  // the result had there been room
    int count;
};

void PrintTo(const Oversized& c, std::ostream* os) { *os << c.name; }

class ReplaceTokenWorkLimit : public testing::TestWithParam<Oversized> {};

TEST_P(ReplaceTokenWorkLimit, ResultStopsAt4095Bytes) {
    const Oversized& c = GetParam();
    ASSERT_GT(c.full.size(), 4095u);
    const std::uint32_t limit = 8192;
    auto store = std::make_unique<PageStore>();
    std::vector<char> destination = freshDestination(limit);
    EXPECT_EQ(store->replaceToken(destination.data(), c.source.c_str(), c.token.c_str(),
                                  c.replacement.c_str(), limit),
              c.count);
    const std::string written = c.full.substr(0, 4095) + std::string(limit - 4095, '\0');
    EXPECT_EQ(destination, expectedBytes(written, destination.size()));
}

std::string repeated(const std::string& unit, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += unit;
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Work, ReplaceTokenWorkLimit,
    testing::Values(Oversized{"LongSourceNoToken", std::string(5000, 'x'), kTime, kNoon,
                              std::string(5000, 'x'), 0},
                    Oversized{"OneLongReplacement", std::string(4000, 'x') + kTime, kTime,
                              std::string(500, 'R'), std::string(4000, 'x') + std::string(500, 'R'),
                              1},
                    Oversized{"ManyReplacements", repeated("a-", 1000), "a", "0123456789",
                              repeated("0123456789-", 1000), 1000}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantor
