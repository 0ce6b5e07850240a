// The INI corpus baseline shared by the Linux reader's test and the Windows test of the real
// GetPrivateProfileStringA: one query a line, tab-separated,
//   file  section  key  default  size  length  value
// with '\\', '\t', '\n', '\r' and '\xHH' escapes in the text fields. Lines starting with '#' are
// comments. Each answer is checked the same way on both sides by `checkAnswer`.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

inline std::string escapeField(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
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
        switch (text[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 'x': {
                if (i + 2 >= text.size()) return false;
                const std::string hex = text.substr(i + 1, 2);
                char* end = nullptr;
                const long byte = std::strtol(hex.c_str(), &end, 16);
                if (end != hex.c_str() + 2) return false;
                out += static_cast<char>(byte);
                i += 2;
                break;
            }
            default:
                return false;
        }
    }
    return true;
}

inline std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == '\t') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// Reads the baseline at `path`; on a malformed line, `error` names it and the result is empty.
// Without `requireAnswers`, a query may stand with "?" for its answer (a new case, before the
// baseline is written again from the real call).
inline std::vector<IniQuery> loadBaseline(const std::string& path, std::string& error,
                                          bool requireAnswers = true) {
    std::vector<IniQuery> queries;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot open " + path;
        return {};
    }
    std::string line;
    int number = 0;
    for (int c = std::fgetc(file);; c = std::fgetc(file)) {
        if (c != '\n' && c != EOF) {
            line += static_cast<char>(c);
            continue;
        }
        ++number;
        if (!line.empty() && line[0] != '#') {
            const std::vector<std::string> f = splitTabs(line);
            IniQuery q;
            q.line = number;
            q.file = f[0];
            const bool ok = f.size() == 7 && unescapeField(f[1], q.section) &&
                            unescapeField(f[2], q.key) && unescapeField(f[3], q.fallback) &&
                            unescapeField(f[6], q.value);
            q.size = ok ? static_cast<std::uint32_t>(std::strtoul(f[4].c_str(), nullptr, 10)) : 0;
            q.length = ok ? static_cast<std::uint32_t>(std::strtoul(f[5].c_str(), nullptr, 10)) : 0;
            const bool answered = !f[5].empty() && f[5][0] != '?' && q.length == q.value.size();
            if (!ok || (requireAnswers && !answered)) {
                error = path + ":" + std::to_string(number) + ": malformed or unanswered query";
                std::fclose(file);
                return {};
            }
            queries.push_back(q);
        }
        line.clear();
        if (c == EOF) break;
    }
    std::fclose(file);
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

}  // namespace vantor::test
