#include "platform/ini_parse.h"

#include "platform/posix_code_page.h"

namespace vantor::platform {
namespace {

template <typename Unit>
bool isBlank(Unit c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\r';
}

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

// The first `c` in [begin, end) of `text`, or end: a search past the line would make a long file
// of short lines quadratic.
template <typename Unit>
std::size_t findIn(std::basic_string_view<Unit> text, Unit c, std::size_t begin, std::size_t end) {
    const std::size_t at = text.substr(begin, end - begin).find(c);
    return at == std::basic_string_view<Unit>::npos ? end : begin + at;
}

// Whether the code page's `byte` stands for `unit` itself, not for a like character or '?'. The
// five undefined bytes stand for the controls of their own number, as a query's bytes do.
bool standsFor(char byte, char16_t unit) {
    const auto b = static_cast<unsigned char>(byte);
    const char32_t c = windows1252Character(b);
    return c == unit || (c == 0 && unit == b);
}

}  // namespace

void IniIndex::parse(std::string text) {
    text_ = std::move(text);
    index(std::string_view(text_));
}

void IniIndex::parse(std::string text, std::u16string_view units) {
    text_ = std::move(text);
    index(units.substr(0, text_.size()));
}

template <typename Unit>
void IniIndex::index(std::basic_string_view<Unit> shape) {
    sections_.clear();
    keys_.clear();
    std::size_t begin = 0;
    while (begin < shape.size()) {
        const std::size_t end = findIn(shape, Unit('\n'), begin, shape.size());
        addLine(shape, begin, end);
        begin = end + 1;
    }
}

template <typename Unit>
void IniIndex::addLine(std::basic_string_view<Unit> shape, std::size_t begin, std::size_t end) {
    while (begin < end && isBlank(shape[begin])) ++begin;
    while (end > begin && isBlank(shape[end - 1])) --end;
    if (begin == end) return;

    if (shape[begin] == '[') {
        const Span name = field(shape, begin + 1, findIn(shape, Unit(']'), begin + 1, end));
        sections_.push_back({name, reachable(shape, name), keys_.size(), 0});
        return;
    }
    // Comments, and keys before the first section, which no query can reach.
    if (shape[begin] == ';' || sections_.empty()) return;
    const std::size_t split = findIn(shape, Unit('='), begin, end);
    if (split == end) return;

    Span value = field(shape, split + 1, end);
    const Unit first = value.length >= 2 ? shape[value.begin] : Unit('\0');
    if ((first == '"' || first == '\'') && shape[value.begin + value.length - 1] == first) {
        value = {value.begin + 1, value.length - 2};
    }
    const Span name = field(shape, begin, split);
    keys_.push_back({name, value, reachable(shape, name)});
    ++sections_.back().keyCount;
}

template <typename Unit>
IniIndex::Span IniIndex::field(std::basic_string_view<Unit> shape, std::size_t begin,
                               std::size_t end) {
    while (begin < end && isBlank(shape[begin])) ++begin;
    while (end > begin && isBlank(shape[end - 1])) --end;
    // Names and values are C strings to the Windows reader: a NUL ends them.
    end = findIn(shape, Unit('\0'), begin, end);
    return {begin, end - begin};
}

bool IniIndex::reachable(std::u16string_view units, Span name) const {
    for (std::size_t i = name.begin; i < name.begin + name.length; ++i) {
        if (!standsFor(text_[i], units[i])) return false;
    }
    return true;
}

bool IniIndex::find(std::string_view section, std::string_view key, std::string_view& value) const {
    section = trimSpaces(section);
    key = trimSpaces(key);
    for (const Section& s : sections_) {
        if (!s.reachable || !sameName(view(s.name), section)) continue;
        for (std::size_t k = s.firstKey; k < s.firstKey + s.keyCount; ++k) {
            if (keys_[k].reachable && sameName(view(keys_[k].name), key)) {
                value = view(keys_[k].value);
                return true;
            }
        }
        return false;  // only the first section of a name is searched
    }
    return false;
}

}  // namespace vantor::platform
