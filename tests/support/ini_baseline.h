// The INI corpus baseline shared by the Linux reader's test and the Windows test of the real
// GetPrivateProfileStringA: one query a line, tab-separated,
//   file  section  key  default  size  length  value
// with '\\', '\t', '\n', '\r' and '\xHH' escapes in the text fields. Lines starting with '#' are
// comments. Each answer is checked the same way on both sides by `checkAnswer`, and the places the
// grammar gives some of them by `checkPlace`.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/ini_parse.h"

namespace vantor::test {

// Heads the baseline file; written again when the baseline is made anew from the real call.
constexpr const char* kBaselineHeader =
    "# Answers of the real GetPrivateProfileStringA (kernel32 under wine) for the INI corpus\n"
    "# beside this file; the Linux reader must give the same, byte for byte. A new case: add its\n"
    "# query with ? as its length, write the answers anew in build/windows-i686/bin with\n"
    "#   VANTOR_INI_BASELINE_OUT=expected.txt ../../../scripts/wine-run windows_tests.exe\n"
    "# and check each against the Windows rules; where wine departs, test it on Linux alone.\n"
    "# file\tsection\tkey\tdefault\tsize\tlength\tvalue\n";

struct IniQuery {
    int line = 0;
    std::string file;
    std::string section;
    std::string key;
    std::string fallback;
    std::uint32_t size = 0;
    std::uint32_t length = 0;
    std::string value;
};

// The escapes of the text fields: a backslash and a letter for these, \xHH for other control and
// high bytes.
constexpr char kEscaped[] = "\\\t\n\r";
constexpr char kEscapeLetter[] = "\\tnr";

inline std::string escapeField(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        const char* escaped = c != 0 ? std::strchr(kEscaped, c) : nullptr;
        if (escaped != nullptr) {
            out += {'\\', kEscapeLetter[escaped - kEscaped]};
        } else if (c < 0x20 || c >= 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

inline bool unescapeField(const std::string& text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        const char* letter = std::strchr(kEscapeLetter, text[i]);
        if (letter != nullptr && *letter != '\0') {
            out += kEscaped[letter - kEscapeLetter];
            continue;
        }
        char* end = nullptr;
        const std::string hex = text.substr(i + 1, 2);
        const long byte = std::strtol(hex.c_str(), &end, 16);
        if (text[i] != 'x' || hex.size() != 2 || end != hex.c_str() + 2) return false;
        out += static_cast<char>(byte);
        i += 2;
    }
    return true;
}

// Reads the baseline at `path`; on a malformed line, `error` names it and the result is empty.
// Without `requireAnswers`, a query may stand with "?" for its answer (a new case, before the
// baseline is written again from the real call).
inline std::vector<IniQuery> loadBaseline(const std::string& path, std::string& error,
                                          bool requireAnswers = true) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open " + path;
        return {};
    }
    std::vector<IniQuery> queries;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f(1);
        for (char c : line) {
            if (c == '\t') {
                f.emplace_back();
            } else {
                f.back() += c;
            }
        }
        IniQuery q;
        q.line = number;
        q.file = f[0];
        const bool ok = f.size() == 7 && unescapeField(f[1], q.section) &&
                        unescapeField(f[2], q.key) && unescapeField(f[3], q.fallback) &&
                        unescapeField(f[6], q.value);
        q.size = ok ? static_cast<std::uint32_t>(std::strtoul(f[4].c_str(), nullptr, 10)) : 0;
        q.length = ok ? static_cast<std::uint32_t>(std::strtoul(f[5].c_str(), nullptr, 10)) : 0;
        const bool answered = ok && !f[5].empty() && f[5][0] != '?' && q.length == q.value.size();
        if (!ok || (requireAnswers && !answered)) {
            error = path + ":" + std::to_string(number) + ": malformed or unanswered query";
            return {};
        }
        queries.push_back(q);
    }
    if (queries.empty()) error = path + ": no queries";
    return queries;
}

// The baseline line for `query` answered with `length` and the text in `buffer`.
inline std::string formatAnswer(const IniQuery& query, std::uint32_t length, const char* buffer) {
    const std::string value = query.size > 0 ? std::string(buffer, length) : std::string();
    return query.file + "\t" + escapeField(query.section) + "\t" + escapeField(query.key) + "\t" +
           escapeField(query.fallback) + "\t" + std::to_string(query.size) + "\t" +
           std::to_string(length) + "\t" + escapeField(value);
}

// Bytes around the answer that the reader must leave alone.
constexpr std::size_t kGuardBytes = 16;
constexpr char kGuard = '\x7F';

// A buffer of `size` bytes followed by guard bytes, all set to the guard value.
inline std::vector<char> guardedBuffer(std::uint32_t size) {
    return std::vector<char>(size + kGuardBytes, kGuard);
}

// Empty when `buffer` (from guardedBuffer) holds the expected answer of `query` for a call that
// returned `length`; otherwise what differs.
inline std::string checkAnswer(const IniQuery& query, std::uint32_t length,
                               const std::vector<char>& buffer) {
    for (std::size_t i = query.size; i < buffer.size(); ++i) {
        if (buffer[i] != kGuard) return "wrote past the buffer size";
    }
    if (length != query.length) return "length " + std::to_string(length);
    if (query.size == 0) return {};
    if (std::memcmp(buffer.data(), query.value.data(), length) != 0) return "different text";
    if (buffer[length] != '\0') return "no terminating zero";
    return {};
}

// Where the grammar (platform/ini_parse.h) places what it reads in a file of the corpus: a key, a
// section's header (no key), or a line it reads nothing of (no section either).
struct IniPlacement {
    const char* file;
    const char* section;
    const char* key;
    const char* place;  // "LINE:COLUMN", and for a key "=VALUE_COLUMN" after it
};

inline const IniPlacement kCorpusPlaces[] = {
    {"blanks_around_names_and_values.ini", "SECTION1", "ROWDATA1", "2:4=19"},
    {"blanks_around_names_and_values.ini", "SECTION1", "ROW DATA3", "4:3=15"},
    {"tabs_around_names_and_values.ini", "SECTION1", "ROWDATA2", "3:4=18"},
    {"section_header_with_outer_blanks.ini", "SECTION1", nullptr, "1:4"},
    {"section_header_with_outer_blanks.ini", "SECTION2", nullptr, "3:2"},
    {"quotes_double.ini", "Q", "A", "2:1=4"},
    {"quotes_double.ini", "Q", "C", "4:1=6"},
    {"quotes_double.ini", "Q", "D", "5:1=4"},
    {"crlf_line_ends.ini", "CONFIG", "FONT_SIZE", "5:1=11"},
    {"hash_is_not_comment.ini", "S", "#A", "2:1=4"},
    {"keys_before_first_section.ini", nullptr, nullptr, "1:1"},
    {"key_without_equals.ini", nullptr, nullptr, "4:1"},
    {"utf16_with_mark_read_in_code_page.ini", "SECTION1", "ROWDATA5", "6:1=10"},
    {"utf16_with_mark_read_in_code_page.ini", nullptr, nullptr, "8:1"},
    {"utf16_with_mark_read_in_code_page.ini", "CONFIG", nullptr, "10:1"},
};

// Empty when the grammar reads the corpus file under `folder` as `expected` says; otherwise where
// it places that, or "nowhere".
inline std::string checkPlace(const std::string& folder, const IniPlacement& expected) {
    std::ifstream in(folder + "/" + expected.file, std::ios::binary);
    platform::IniIndex index;
    index.parseFile({std::istreambuf_iterator<char>(in), {}}, platform::IniForms{});
    auto text = [](const platform::IniPlace& at) {
        return std::to_string(at.line) + ":" + std::to_string(at.column);
    };
    std::string found = "nowhere";
    if (expected.section == nullptr) {
        for (const platform::IniStray& stray : index.strays()) {
            if (text(stray.at) == expected.place) found = text(stray.at);
        }
    } else if (expected.key == nullptr) {
        const auto section = index.findSection(expected.section);
        if (section) found = text(section->at);
    } else {
        const auto key = index.find(expected.section, expected.key);
        if (key) found = text(key->at) + "=" + std::to_string(key->valueAt.column);
    }
    return found == expected.place ? "" : found;
}

}  // namespace vantor::test
