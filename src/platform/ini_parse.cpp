#include "platform/ini_parse.h"

#include <cstring>

namespace vantor::platform {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\r'; }

char foldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    }
    return true;
}

// Windows strips only spaces, not tabs, from the names it is asked for.
std::string_view trimSpaces(std::string_view name) {
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    return name;
}

}  // namespace

void IniIndex::parse(std::string text) {
    text_ = std::move(text);
    sections_.clear();
    keys_.clear();
    const char* const base = text_.data();
    const std::size_t size = text_.size();
    std::size_t begin = 0;
    while (begin < size) {
        const void* newline = std::memchr(base + begin, '\n', size - begin);
        const std::size_t end = newline ? static_cast<const char*>(newline) - base : size;
        addLine(begin, end);
        begin = end + 1;
    }
}

void IniIndex::addLine(std::size_t begin, std::size_t end) {
    while (begin < end && isBlank(text_[begin])) ++begin;
    while (end > begin && isBlank(text_[end - 1])) --end;
    if (begin == end) return;

    const char* const line = text_.data() + begin;
    const std::size_t length = end - begin;
    if (line[0] == '[') {
        const void* close = std::memchr(line + 1, ']', length - 1);
        const std::size_t nameEnd = close ? static_cast<const char*>(close) - text_.data() : end;
        sections_.push_back({field(begin + 1, nameEnd), keys_.size(), 0});
        return;
    }
    // Comments, and keys before the first section, which no query can reach.
    if (line[0] == ';' || sections_.empty()) return;
    const void* equals = std::memchr(line, '=', length);
    if (equals == nullptr) return;
    const std::size_t split = static_cast<const char*>(equals) - text_.data();

    Span value = field(split + 1, end);
    const char first = value.length >= 2 ? text_[value.begin] : '\0';
    if ((first == '"' || first == '\'') && text_[value.begin + value.length - 1] == first) {
        value = {value.begin + 1, value.length - 2};
    }
    keys_.push_back({field(begin, split), value});
    ++sections_.back().keyCount;
}

IniIndex::Span IniIndex::field(std::size_t begin, std::size_t end) const {
    while (begin < end && isBlank(text_[begin])) ++begin;
    while (end > begin && isBlank(text_[end - 1])) --end;
    // Names and values are C strings to the Windows reader: a NUL ends them.
    const void* nul = std::memchr(text_.data() + begin, '\0', end - begin);
    if (nul != nullptr) end = static_cast<const char*>(nul) - text_.data();
    return {begin, end - begin};
}

bool IniIndex::find(std::string_view section, std::string_view key, std::string_view& value) const {
    section = trimSpaces(section);
    key = trimSpaces(key);
    for (const Section& s : sections_) {
        if (!sameName(view(s.name), section)) continue;
        for (std::size_t k = s.firstKey; k < s.firstKey + s.keyCount; ++k) {
            if (sameName(view(keys_[k].name), key)) {
                value = view(keys_[k].value);
                return true;
            }
        }
        return false;  // only the first section of a name is searched
    }
    return false;
}

}  // namespace vantor::platform
