#include "platform/ini_parse.h"

#include <cstring>

#include "platform/platform.h"
#include "platform/utf16_text.h"

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

std::uint32_t place(const char* text, std::size_t length, char* buffer, std::uint32_t size) {
    if (size == 0) return 0;
    if (length > size - 1) length = size - 1;
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return static_cast<std::uint32_t>(length);
}

}  // namespace

std::uint32_t answerProfileRead(const IniIndex* index, const char* section, const char* key,
                                const char* fallback, char* buffer, std::uint32_t size) {
    if (buffer == nullptr) return 0;
    if (index != nullptr && section != nullptr && key != nullptr) {
        const std::optional<IniKey> found = index->find(section, key);
        if (found) return place(found->value.data(), found->value.size(), buffer, size);
    }
    // The default loses its trailing spaces, as on Windows.
    if (fallback == nullptr) fallback = "";
    std::size_t length = std::strlen(fallback);
    while (length > 0 && fallback[length - 1] == ' ') --length;
    return place(fallback, length, buffer, size);
}

void IniIndex::parse(std::string text, char lineEnd) {
    text_ = std::move(text);
    index(std::string_view(text_), lineEnd);
}

void IniIndex::parse(std::string text, std::u16string_view units, char lineEnd) {
    if (text.size() != units.size()) {
        parse(std::move(text), lineEnd);
        return;
    }
    text_ = std::move(text);
    readCodePage(codePage_);
    index(units, static_cast<char16_t>(lineEnd));
}

void IniIndex::parseFile(std::string bytes, const IniForms& forms) {
    std::u16string units;
    const bool utf16 = markedUtf16(bytes, units);
    if (utf16) {
        // Windows reads such a file in its characters and hands over their bytes in the code page.
        toCodePage(units.data(), units.size(), bytes);
    } else if (forms.readsPastUtf8Mark && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        bytes.erase(0, 3);
    }
    const bool crAlone = forms.crAloneEndsLines && bytes.find('\n') == std::string::npos;
    const char lineEnd = crAlone ? '\r' : '\n';
    if (utf16) {
        parse(std::move(bytes), units, lineEnd);
    } else {
        parse(std::move(bytes), lineEnd);
    }
}

template <typename Unit>
void IniIndex::index(std::basic_string_view<Unit> shape, Unit lineEnd) {
    sections_.clear();
    keys_.clear();
    strays_.clear();
    strayCount_ = 0;
    Line line{0, 1};
    while (line.start < shape.size()) {
        const std::size_t end = findIn(shape, lineEnd, line.start, shape.size());
        addLine(shape, line, end);
        line = {end + 1, line.number + 1};
    }
}

template <typename Unit>
void IniIndex::addLine(std::basic_string_view<Unit> shape, Line line, std::size_t end) {
    std::size_t begin = line.start;
    while (begin < end && isBlank(shape[begin])) ++begin;
    while (end > begin && isBlank(shape[end - 1])) --end;
    if (begin == end || shape[begin] == ';') return;

    if (shape[begin] == '[') {
        const Span name = field(shape, begin + 1, findIn(shape, Unit(']'), begin + 1, end));
        sections_.push_back({name, place(line, begin), reachable(shape, name), keys_.size(), 0});
        return;
    }
    const std::size_t split = findIn(shape, Unit('='), begin, end);
    // Keys before the first section, which no query can reach, and lines without '='.
    if (sections_.empty() || split == end) {
        if (strays_.size() < kStraysKept) {
            strays_.push_back({place(line, begin), text_[begin], sections_.empty()});
        }
        ++strayCount_;
        return;
    }

    Span value = field(shape, split + 1, end);
    const Unit first = value.length >= 2 ? shape[value.begin] : Unit('\0');
    if ((first == '"' || first == '\'') && shape[value.begin + value.length - 1] == first) {
        value = {value.begin + 1, value.length - 2};
    }
    const Span name = field(shape, begin, split);
    keys_.push_back(
        {name, value, place(line, begin), place(line, value.begin), reachable(shape, name)});
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

// Whether each byte of the name stands for its unit itself, not for a like character or '?'. The
// five undefined bytes stand for the controls of their own number, as a query's bytes do.
bool IniIndex::reachable(std::u16string_view units, Span name) const {
    for (std::size_t i = name.begin; i < name.begin + name.length; ++i) {
        const auto b = static_cast<unsigned char>(text_[i]);
        const char32_t c = b < 0x80 ? b : codePage_[b - 0x80];
        if (c != units[i] && (c != 0 || units[i] != b)) return false;
    }
    return true;
}

IniSection IniIndex::section(std::size_t s) const {
    const Section& found = sections_[s];
    return {view(found.name), found.at, found.reachable, found.firstKey, found.keyCount};
}

IniKey IniIndex::key(std::size_t k) const {
    const Key& found = keys_[k];
    return {view(found.name), view(found.value), found.at, found.valueAt, found.reachable};
}

std::optional<IniSection> IniIndex::findSection(std::string_view section) const {
    section = trimSpaces(section);
    for (std::size_t s = 0; s < sections_.size(); ++s) {
        if (sections_[s].reachable && sameName(view(sections_[s].name), section)) {
            return this->section(s);
        }
    }
    return std::nullopt;
}

std::optional<IniKey> IniIndex::find(std::string_view section, std::string_view key) const {
    const std::optional<IniSection> s = findSection(section);
    if (!s) return std::nullopt;
    key = trimSpaces(key);
    // Only the first section of a name is searched.
    for (std::size_t k = s->firstKey; k < s->firstKey + s->keyCount; ++k) {
        if (keys_[k].reachable && sameName(view(keys_[k].name), key)) return this->key(k);
    }
    return std::nullopt;
}

}  // namespace vantor::platform
