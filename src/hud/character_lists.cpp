#include "hud/character_lists.h"

#include <GL/gl.h>

#include <algorithm>

namespace vantor {

// Kept sorted as they come, so that a page full of one script costs a search a character.
void CharacterLists::add(char32_t c) {
    char32_t* end = codes_ + count_;
    char32_t* place = std::lower_bound(codes_, end, c);
    if (place != end && *place == c) return;
    if (count_ == kMaxCharacterLists) return;
    std::copy_backward(place, end, end + 1);
    *place = c;
    ++count_;
}

void CharacterLists::collect(const PageStore& store, const platform::CodePageCharacters& codePage) {
    count_ = 0;
    for (int page = 0; page < store.getPageCount(); ++page) {
        const PageView view = store.view(page);
        for (int row = 0; row < view.count; ++row) {
            const RowEncoding encoding = view.rows[row]->encoding;
            if (encoding != RowEncoding::kAscii)
                gatherText(view.rows[row]->text, encoding, codePage);
        }
    }
}

void CharacterLists::gather(const platform::ClockNames& names) {
    static const platform::CodePageCharacters kUnused = {};  // UTF-8 reads no code page
    const auto gatherAll = [&](const auto& table) {
        for (const auto& name : table) gatherText(name, RowEncoding::kUtf8, kUnused);
    };
    gatherAll(names.months);
    gatherAll(names.shortMonths);
    gatherAll(names.days);
    gatherAll(names.shortDays);
    gatherText(names.am, RowEncoding::kUtf8, kUnused);
    gatherText(names.pm, RowEncoding::kUtf8, kUnused);
}

void CharacterLists::gatherText(const char* text, RowEncoding encoding,
                                const platform::CodePageCharacters& codePage) {
    while (*text != '\0') {
        const char32_t c = nextCharacter(text, encoding, codePage);
        if (GatheredCharacters::wanted(c)) add(c);
    }
}

void CharacterLists::build(platform::DeviceContext dc, const char* face, int pixelHeight,
                           int weight) {
    release();
    if (count_ == 0) return;
    base_ = glGenLists(count_);
    if (base_ == 0) return;
    made_ = count_;
    platform::buildCharacterLists(dc, face, pixelHeight, codes_, count_, base_, weight);
}

void CharacterLists::release() {
    if (base_ != 0) glDeleteLists(base_, made_);
    base_ = 0;
    made_ = 0;
}

unsigned int CharacterLists::listOf(char32_t c) const {
    if (base_ == 0) return 0;
    const char32_t* end = codes_ + made_;
    const char32_t* found = std::lower_bound(codes_, end, c);
    if (found == end || *found != c) return 0;
    return base_ + static_cast<unsigned int>(found - codes_);
}

}  // namespace vantor
