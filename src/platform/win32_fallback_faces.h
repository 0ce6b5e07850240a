// The faces that draw what the HUD's font lacks, shared by the character lists and the shaping
// engine: those the registry links to the face, then every family the system lists.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace vantor::platform {

// Whether the font selected into `hdc` has a glyph of its own for `code`.
bool hasGlyph(HDC hdc, char32_t code);

// A face that may draw what the HUD's font lacks, with the characters it covers.
struct Candidate {
    Candidate(std::wstring name, bool forLanguage)
        : family(std::move(name)), ofLanguage(forLanguage) {}
    std::wstring family;
    bool ofLanguage = false;  // made for the user's language (hanCharset)
    bool read = false;        // font and ranges made
    HFONT font = nullptr;     // null when the system has no such face
    std::vector<WCRANGE> ranges;
};

// The faces tried, in order, for a character the HUD's font lacks: those the registry links to
// it, then every family the system lists (in the order of their names, so that the answer is the
// same from run to run), those made for the user's language first for a Han character. Listed
// when first needed; each face's font and coverage read when first tried.
class FallbackFaces {
public:
    FallbackFaces(HDC hdc, std::wstring face, int pixelHeight)
        : hdc_(hdc), face_(std::move(face)), pixelHeight_(pixelHeight) {}
    ~FallbackFaces() {
        for (Candidate& c : candidates_) {
            if (c.font != nullptr) DeleteObject(c.font);
        }
    }
    FallbackFaces(const FallbackFaces&) = delete;
    FallbackFaces& operator=(const FallbackFaces&) = delete;

    // The first face that has `code` and each of the `neededCount` characters `needed`, selected
    // into the device context; null, with nothing selected, when none has.
    const Candidate* select(char32_t code, const char32_t* needed = nullptr, int neededCount = 0);

private:
    void list();
    bool covers(Candidate& c, char32_t code);
    bool coversAll(Candidate& c, const char32_t* codes, int count);
    void read(Candidate& c);

    HDC hdc_;
    std::wstring face_;
    int pixelHeight_;
    bool listed_ = false;
    std::size_t linked_ = 0;  // how many of candidates_ the registry links
    std::vector<Candidate> candidates_;
};

}  // namespace vantor::platform
