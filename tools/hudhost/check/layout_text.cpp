#include "layout_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/platform.h"
#include "platform/utf16_text.h"

namespace hudhost::check {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\r'; }

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool readHead(const std::string& path, std::string& bytes, std::uint64_t& size) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    // Past the limit only the size is wanted.
    char chunk[65536];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
        if (size < kScanLimit) bytes.append(chunk, std::min<std::uint64_t>(got, kScanLimit - size));
        size += got;
    }
    return std::ferror(file.get()) == 0;
}

// UTF-16 becomes the bytes the HUD reads of it, in the system code page (one a character in
// Windows-1252), so that lines and columns are where an editor shows them. Little-endian text
// without the mark, which the HUD reads as bytes, is scanned the same way to show what it holds.
Encoding decodeUtf16(std::string& bytes) {
    std::u16string units;
    Encoding found = Encoding::Utf16;
    if (!vantor::platform::markedUtf16(bytes, units)) {
        const bool bareLe = bytes.size() >= 4 && bytes[0] != '\0' && bytes[1] == '\0' &&
                            bytes[2] != '\0' && bytes[3] == '\0';
        if (!bareLe) return Encoding::Ansi;
        units = vantor::platform::utf16Units(bytes, true);
        found = Encoding::Utf16WithoutMark;
    }
    vantor::platform::toCodePage(units.data(), units.size(), bytes);
    return found;
}

class Scanner {
public:
    explicit Scanner(LayoutText& out) : out_(out) {}

    void line(const std::string& text, std::size_t begin, std::size_t end, int number) {
        const std::size_t lineStart = begin;
        while (begin < end && isBlank(text[begin])) ++begin;
        while (end > begin && isBlank(text[end - 1])) --end;
        if (begin == end || text[begin] == ';') return;
        const int column = static_cast<int>(begin - lineStart) + 1;

        if (text[begin] == '[') {
            const std::size_t close = find(text, ']', begin, end);
            out_.sections.push_back({number, column, trimmed(text, begin + 1, close), {}});
            return;
        }
        const std::size_t equals = find(text, '=', begin, end);
        if (out_.sections.empty() || equals == end) {
            out_.strays.push_back({number, column, out_.sections.empty(), text[begin] == '#'});
            return;
        }
        std::size_t valueBegin = equals + 1;
        while (valueBegin < end && isBlank(text[valueBegin])) ++valueBegin;
        out_.sections.back().entries.push_back({number, column, trimmed(text, begin, equals),
                                                text.substr(valueBegin, end - valueBegin),
                                                static_cast<int>(valueBegin - lineStart) + 1});
    }

private:
    // The first `c` in [begin, end), or end: a search past the line would make a long file of
    // short lines quadratic.
    static std::size_t find(const std::string& text, char c, std::size_t begin, std::size_t end) {
        const void* at = std::memchr(text.data() + begin, c, end - begin);
        return at == nullptr ? end
                             : static_cast<std::size_t>(static_cast<const char*>(at) - text.data());
    }

    static std::string trimmed(const std::string& text, std::size_t begin, std::size_t end) {
        while (begin < end && isBlank(text[begin])) ++begin;
        while (end > begin && isBlank(text[end - 1])) --end;
        return text.substr(begin, end - begin);
    }

    LayoutText& out_;
};

}  // namespace

std::string upper(const std::string& name) {
    std::string out = name;
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::unordered_map<std::string, const Entry*> firstEntries(const Section& section) {
    std::unordered_map<std::string, const Entry*> first;
    for (const Entry& entry : section.entries) first.emplace(upper(entry.name), &entry);
    return first;
}

bool scanLayout(const std::string& path, LayoutText& out) {
    out = LayoutText{};
    std::string text;
    if (!readHead(path, text, out.fileBytes)) return false;
    out.encoding = decodeUtf16(text);
    if (out.encoding == Encoding::Ansi && text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        out.encoding = Encoding::Utf8Bom;
        text.erase(0, 3);
    }
    out.crOnly = text.find('\n') == std::string::npos && text.find('\r') != std::string::npos;
    const char lineEnd = out.crOnly ? '\r' : '\n';

    Scanner scanner(out);
    int number = 1;
    for (std::size_t begin = 0; begin < text.size(); ++number) {
        std::size_t end = text.find(lineEnd, begin);
        if (end == std::string::npos) end = text.size();
        scanner.line(text, begin, end, number);
        begin = end + 1;
    }
    return true;
}

}  // namespace hudhost::check
