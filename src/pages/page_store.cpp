#include "pages/page_store.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

namespace vantor {
namespace {

constexpr int kMaxRowsRead = kPageRows;

// Section and key names: a short constant prefix and a number.
void buildName(char (&name)[kTextSize], const char* prefix, int number) {
    std::snprintf(name, sizeof name, "%s%d", prefix, number);
}

// Whether `text` begins with `prefix` (the whole of it with `whole`), ASCII letters in any case,
// as the profile functions match names.
bool sameName(const char* text, const char* prefix, bool whole) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    for (; *prefix != '\0'; ++text, ++prefix) {
        if (upper(*text) != upper(*prefix)) return false;
    }
    return !whole || *text == '\0';
}

}  // namespace

PageStore::PageStore() {
    std::memset(path_, 0, sizeof path_);
    std::memset(scratch_, 0, sizeof scratch_);
    reset();
}

void PageStore::reset() {
    pageCount_ = 0;
    curRow_ = 0;
    for (RowPage& page : pages_) {
        for (TextRow& row : page.rows) row.clear();
    }
}

int PageStore::setPath(const char* source) {
    if (source == nullptr || source[0] == '\0') return 0;
    // strncpy fills the rest with zeros; the last byte stays zero whatever the caller passed.
    std::strncpy(path_, source, sizeof path_ - 1);
    path_[sizeof path_ - 1] = '\0';
    return 1;
}

int PageStore::loadPages(const char* sectionPrefix, const char* rowPrefix) {
    pageCount_ = 0;
    if (sectionPrefix == nullptr || sectionPrefix[0] == '\0') return 0;
    if (rowPrefix == nullptr || rowPrefix[0] == '\0') return 0;
    if (path_[0] == '\0') return 0;
    if (!platform::canOpenForReading(path_)) return 0;

    for (int p = 1; p <= kPageCount; ++p) {
        RowPage& page = pages_[p - 1];
        page.count = 0;
        char section[kTextSize];
        buildName(section, sectionPrefix, p);

        for (int r = 1; r <= kMaxRowsRead; ++r) {
            char key[kTextSize];
            buildName(key, rowPrefix, r);
            const std::optional<std::string_view> value = readString(section, key);
            if (!value) break;
            // A blank row keeps its line but draws nothing: the row stays as the reset left it.
            if (*value != kBlankRow) {
                TextRow& row = page.rows[r - 1];
                // A value the buffer cut keeps its whole characters only.
                const std::size_t kept = value->size() == static_cast<std::size_t>(kMaxTextChars)
                                             ? wholeCharacters(value->data(), value->size())
                                             : value->size();
                std::memcpy(row.text, value->data(), kept);
                std::memset(row.text + kept, 0, sizeof row.text - kept);
                row.encoding = detectEncoding(row.text);
            }
            ++page.count;
        }
        if (page.count == 0) break;
        ++pageCount_;
    }
    return pageCount_;
}

void PageStore::loadRowColours(const char* sectionPrefix, const char* colourPrefix) {
    for (int p = 1; p <= pageCount_; ++p) {
        RowPage& page = pages_[p - 1];
        char section[kTextSize];
        buildName(section, sectionPrefix, p);
        // Enough for every key a page section can sensibly hold; a longer list, cut, has every
        // row's key read instead.
        char names[4096];
        const std::uint32_t length =
            platform::readProfileKeyNames(section, names, sizeof names, path_);
        if (length + 2 >= sizeof names) {
            for (int r = 1; r <= page.count; ++r) {
                char key[kTextSize];
                buildName(key, colourPrefix, r);
                readRowColour(section, key, page.rows[r - 1]);
            }
            continue;
        }
        for (const char* name = names; *name != '\0'; name += std::strlen(name) + 1) {
            if (!sameName(name, colourPrefix, false)) continue;
            // Only the name the row's own key would be read by: ROWCOLOR01 is not ROWCOLOR1.
            const long r = std::strtol(name + std::strlen(colourPrefix), nullptr, 10);
            if (r < 1 || r > page.count) continue;
            char key[kTextSize];
            buildName(key, colourPrefix, static_cast<int>(r));
            if (sameName(name, key, true)) readRowColour(section, key, page.rows[r - 1]);
        }
    }
}

// A value with a fault leaves the row in the HUD colour; the layout checker tells which.
void PageStore::readRowColour(const char* section, const char* key, TextRow& row) {
    const std::optional<std::string_view> value = readString(section, key);
    if (value) parseRowColour(*value, row.colour);
}

std::optional<std::string_view> PageStore::readString(const char* section, const char* key) const {
    std::memset(scratch_, 0, sizeof scratch_);
    const std::uint32_t length =
        platform::readProfileString(section, key, "", scratch_, sizeof scratch_, path_);
    if (length == 0) return std::nullopt;
    return std::string_view(scratch_, length);
}

std::optional<std::int32_t> PageStore::readInt(const char* section, const char* key) const {
    const std::optional<std::string_view> text = readString(section, key);
    if (!text) return std::nullopt;
    // strtol rather than atol: the same digits, but an out-of-range number saturates instead of
    // being undefined; the clamp then keeps it in 32 bits. The text is zero-terminated.
    long value = std::strtol(text->data(), nullptr, 10);
    if (value > INT32_MAX) value = INT32_MAX;
    if (value < INT32_MIN) value = INT32_MIN;
    return static_cast<std::int32_t>(value);
}

bool PageStore::cursorValid() const {
    return curPage_ >= 0 && curPage_ < pageCount_ && curRow_ >= 0 &&
           curRow_ < pages_[curPage_].count;
}

int PageStore::selectPage(int n) {
    if (n < 0 || n >= pageCount_) return 0;
    curPage_ = n;
    return 1;
}

int PageStore::getRowCount() const {
    if (curPage_ < 0 || curPage_ >= pageCount_) return 0;
    return pages_[curPage_].count;
}

int PageStore::selectRow(int n) {
    if (n < 0 || n >= getRowCount()) return 0;
    curRow_ = n;
    return 1;
}

const char* PageStore::getRowText() const {
    return cursorValid() ? pages_[curPage_].rows[curRow_].text : nullptr;
}

RowEncoding PageStore::getRowEncoding() const {
    return cursorValid() ? pages_[curPage_].rows[curRow_].encoding : RowEncoding::kAscii;
}

std::int32_t PageStore::getTokenHits() const {
    return cursorValid() ? pages_[curPage_].rows[curRow_].tokenHits : -1;
}

void PageStore::setTokenHits(std::int32_t n) {
    if (cursorValid()) pages_[curPage_].rows[curRow_].tokenHits = n;
}

const TextRow* PageStore::getRow() const {
    return cursorValid() ? &pages_[curPage_].rows[curRow_] : nullptr;
}

PageView PageStore::view(int n) const {
    PageView page;
    if (n < 0 || n >= pageCount_) return page;
    page.count = pages_[n].count;
    for (int i = 0; i < page.count; ++i) page.rows[i] = &pages_[n].rows[i];
    return page;
}

PageView readThroughCursor(PageStore& store, int n) {
    PageView page;
    if (store.selectPage(n) == 0) return page;
    page.count = store.getRowCount();
    for (int i = 0; i < page.count; ++i) {
        store.selectRow(i);
        page.rows[i] = store.getRow();
    }
    return page;
}

}  // namespace vantor
