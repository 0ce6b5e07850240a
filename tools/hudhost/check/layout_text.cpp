#include "check/layout_text.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "pages/file_format.h"
#include "platform/ini_parse.h"
#include "platform/platform.h"
#include "platform/utf16_text.h"

namespace hudhost::check {
namespace {

using vantor::platform::IniIndex;
using vantor::platform::kMaxIniBytes;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool readHead(const std::string& path, std::string& bytes, std::uint64_t& size) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    // Past the limit only the size is wanted.
    char chunk[65536];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
        if (size < kMaxIniBytes) {
            bytes.append(chunk, std::min<std::uint64_t>(got, kMaxIniBytes - size));
        }
        size += got;
    }
    return std::ferror(file.get()) == 0;
}

// The index of `bytes` as an editor shows them, and their encoding. UTF-16 is read in its
// characters, which the code page gives a byte each (Windows-1252 on Linux), so that lines and
// columns are where an editor shows them; little-endian text without the mark, which the HUD reads
// as bytes, is read the same way to show what it holds.
Encoding parseAsShown(std::string text, IniIndex& shown, bool& crOnly, std::u16string& units) {
    Encoding found = Encoding::Utf16;
    if (!vantor::platform::markedUtf16(text, units)) {
        const bool bareLe = text.size() >= 4 && text[0] != '\0' && text[1] == '\0' &&
                            text[2] != '\0' && text[3] == '\0';
        found = bareLe ? Encoding::Utf16WithoutMark : Encoding::Ansi;
        if (bareLe) units = vantor::platform::utf16Units(text, true);
    }
    if (found != Encoding::Ansi) vantor::platform::toCodePage(units.data(), units.size(), text);
    if (found == Encoding::Ansi && text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        found = Encoding::Utf8Bom;
        text.erase(0, 3);
    }
    crOnly = text.find('\n') == std::string::npos && text.find('\r') != std::string::npos;
    const char lineEnd = crOnly ? '\r' : '\n';
    if (found == Encoding::Ansi || found == Encoding::Utf8Bom) {
        shown.parse(std::move(text), lineEnd);
    } else {
        shown.parse(std::move(text), units, lineEnd);
    }
    return found;
}

// `units` in UTF-8; a lone surrogate as U+FFFD.
std::string utf8Of(std::u16string_view units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        const int extra = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
        out += static_cast<char>(kLead[extra] | (c >> (6 * extra)));
        for (int k = extra - 1; k >= 0; --k)
            out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return out;
}

// The values of a UTF-16 file as written, by key in file order: its characters in UTF-8 have the
// same lines, names and delimiters.
std::vector<std::string> writtenValues(std::u16string_view units, bool crOnly) {
    IniIndex written;
    written.parse(utf8Of(units), crOnly ? '\r' : '\n');
    std::vector<std::string> values;
    for (std::size_t s = 0; s < written.sectionCount(); ++s) {
        const vantor::platform::IniSection section = written.section(s);
        for (std::size_t k = section.firstKey; k < section.firstKey + section.keyCount; ++k)
            values.emplace_back(written.key(k).value);
    }
    return values;
}

// Whether the reader of this build reads the file otherwise than it is shown: it takes the forms
// on which readers part ways as profileForms() says.
bool readOtherwise(const LayoutText& text, const vantor::platform::IniForms& forms) {
    return (text.encoding == Encoding::Utf8Bom && !forms.readsPastUtf8Mark) ||
           (text.crOnly && !forms.crAloneEndsLines) ||
           text.encoding == Encoding::Utf16WithoutMark || text.fileBytes > forms.largestFile;
}

// Section `s` of `shown` is read when the reader finds its first named key where it is written;
// a repeated one never is, and one without keys has nothing to lose.
bool sectionRead(const IniIndex& shown, std::size_t s, bool firstOfName, const IniIndex& reading) {
    const vantor::platform::IniSection section = shown.section(s);
    if (!firstOfName) return false;
    for (std::size_t k = section.firstKey; k < section.firstKey + section.keyCount; ++k) {
        const vantor::platform::IniKey key = shown.key(k);
        if (key.name.empty()) continue;
        const std::optional<vantor::platform::IniKey> found = reading.find(section.name, key.name);
        return found && found->at.line == key.at.line;
    }
    return true;
}

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

const Entry* configEntry(const LayoutText& text, const char* key) {
    for (const Section& section : text.sections) {
        if (upper(section.name) != vantor::kConfigSection || !section.read) continue;
        for (const Entry& entry : section.entries) {
            if (upper(entry.name) == key) return &entry;
        }
        return nullptr;
    }
    return nullptr;
}

std::optional<LayoutText> scanLayout(const std::string& path) {
    LayoutText out;
    std::string bytes;
    if (!readHead(path, bytes, out.fileBytes)) return std::nullopt;
    out.writable = canSaveOver(path);
    IniIndex shown;
    std::u16string units;
    out.encoding = parseAsShown(bytes, shown, out.crOnly, units);
    const std::vector<std::string> written = out.encoding == Encoding::Utf16
                                                 ? writtenValues(units, out.crOnly)
                                                 : std::vector<std::string>{};
    std::size_t keyIndex = 0;

    const vantor::platform::IniForms forms = vantor::platform::profileForms();
    IniIndex otherwise;  // left empty for a file the reader reads as absent
    if (readOtherwise(out, forms) && out.fileBytes <= forms.largestFile) {
        otherwise.parseFile(std::move(bytes), forms);
    }
    const IniIndex& reading = readOtherwise(out, forms) ? otherwise : shown;

    std::unordered_map<std::string, std::size_t> first;
    for (std::size_t s = 0; s < shown.sectionCount(); ++s) {
        const vantor::platform::IniSection section = shown.section(s);
        const std::string name(section.name);
        const std::size_t firstOfName = first.emplace(upper(name), s).first->second;
        std::vector<Entry> entries;
        for (std::size_t k = section.firstKey; k < section.firstKey + section.keyCount; ++k) {
            const vantor::platform::IniKey key = shown.key(k);
            const std::size_t n = keyIndex++;
            entries.push_back({key.at.line, key.at.column, std::string(key.name),
                               std::string(key.value), key.valueAt.column,
                               n < written.size() ? written[n] : std::string()});
        }
        out.sections.push_back({section.at.line, section.at.column, name, std::move(entries),
                                firstOfName, sectionRead(shown, s, firstOfName == s, reading)});
    }
    for (const vantor::platform::IniStray& stray : shown.strays()) {
        out.strays.push_back(
            {stray.at.line, stray.at.column, stray.beforeSections, stray.first == '#'});
    }
    out.strayCount = shown.strayCount();
    return out;
}

}  // namespace hudhost::check
