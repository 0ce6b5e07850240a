// Windows shaping: Uniscribe itemizes the row by the bidirectional algorithm, lays its items out
// in visual order and shapes and places each over the HUD's GDI font.
#include <usp10.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"
#include "platform/win32_fallback_faces.h"
#include "platform/win32_font.h"

namespace vantor::platform {
namespace {

// The characters that direct the bidirectional algorithm and draw nothing: LRM, RLM, ALM, the
// embeddings and overrides with their PDF, the isolates with their PDI.
bool isDirectionControl(WCHAR c) {
    return c == 0x200E || c == 0x200F || c == 0x061C || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

// Into `out` (room for two units a character), `text` in UTF-16; `owner` gets the character each
// unit belongs to. Returns the units.
int toUtf16(const char32_t* text, int count, WCHAR* out, int* owner) {
    int units = 0;
    for (int i = 0; i < count; ++i) {
        char32_t c = text[i];
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c > 0xFFFF) {
            c -= 0x10000;
            owner[units] = i;
            out[units++] = static_cast<WCHAR>(0xD800 + (c >> 10));
            c = 0xDC00 + (c & 0x3FF);
        }
        owner[units] = i;
        out[units++] = static_cast<WCHAR>(c);
    }
    return units;
}

}  // namespace

bool needsShaping(const char32_t* text, int count) {
    std::vector<WCHAR> wide(static_cast<std::size_t>(count) * 2 + 1);
    std::vector<int> owner(wide.size());
    const int units = toUtf16(text, count, wide.data(), owner.data());
    if (units == 0) return false;
    // Uniscribe counts Korean as complex for its jamo, but a precomposed syllable needs no
    // shaping: such rows keep the character lists and their fallback faces, as on Linux.
    std::vector<WCHAR> rest;
    for (int u = 0; u < units; ++u) {
        const WCHAR w = wide[static_cast<std::size_t>(u)];
        if ((w >= 0xAC00 && w <= 0xD7A3) || (w >= 0x3130 && w <= 0x318F)) continue;
        rest.push_back(w);
    }
    if (!rest.empty() &&
        ScriptIsComplex(rest.data(), static_cast<int>(rest.size()), SIC_COMPLEX) == S_OK) {
        return true;
    }
    std::vector<WORD> types(static_cast<std::size_t>(units));
    GetStringTypeW(CT_CTYPE2, wide.data(), units, types.data());
    for (int u = 0; u < units; ++u) {
        if (types[u] == C2_RIGHTTOLEFT || types[u] == C2_ARABICNUMBER) return true;
        if (isDirectionControl(wide[u])) return true;
    }
    return false;
}

// A font the engine shapes with: its own, or a fallback face's, which the fallback list owns.
struct ShapingFont {
    HFONT font = nullptr;
    SCRIPT_CACHE cache = nullptr;
    WORD missingGlyph = 0;
};

struct Shaper::Engine {
    HDC dc = nullptr;
    HFONT own = nullptr;
    HGDIOBJ previous = nullptr;
    std::vector<ShapingFont> fonts;  // the chosen face first, then the fallback faces taken
    std::unique_ptr<FallbackFaces> fallback;
    // By character: the font that draws it when the chosen face lacks it, -1 when none has it.
    std::unordered_map<char32_t, int> fallbacks;
    int capacity = 0;
    std::vector<WCHAR> wide;
    std::vector<int> owner;
    std::vector<WORD> types;
    std::vector<SCRIPT_ITEM> items;
    std::vector<BYTE> levels;
    std::vector<int> order;
    std::vector<WORD> glyphs;
    std::vector<WORD> clusters;
    std::vector<SCRIPT_VISATTR> attributes;
    std::vector<int> advances;
    std::vector<GOFFSET> offsets;
    std::vector<char> skipped;      // by glyph of the item being shaped
    std::vector<char32_t> lacking;  // of the item being shaped, the characters its font lacks

    ~Engine() {
        for (ShapingFont& f : fonts) ScriptFreeCache(&f.cache);
        if (dc != nullptr) SelectObject(dc, previous);
        fallback.reset();  // its fonts, now that none is selected
        if (dc != nullptr) DeleteDC(dc);
        if (own != nullptr) DeleteObject(own);
    }

    // Takes `font` as one the engine shapes with, once: its place in `fonts`.
    int take(HFONT font) {
        for (std::size_t k = 0; k < fonts.size(); ++k) {
            if (fonts[k].font == font) return static_cast<int>(k);
        }
        ShapingFont taken{font};
        SelectObject(dc, font);
        SCRIPT_FONTPROPERTIES properties{};
        properties.cBytes = sizeof properties;
        if (ScriptGetFontProperties(dc, &taken.cache, &properties) == S_OK) {
            taken.missingGlyph = properties.wgDefault;
        }
        fonts.push_back(taken);
        return static_cast<int>(fonts.size()) - 1;
    }

    // The paragraph's direction: that of its first strong character, right to left for R and AL.
    bool rightToLeft(int units) {
        GetStringTypeW(CT_CTYPE2, wide.data(), units, types.data());
        for (int u = 0; u < units; ++u) {
            if (isDirectionControl(wide[u])) continue;
            if (types[u] == C2_LEFTTORIGHT) return false;
            if (types[u] == C2_RIGHTTOLEFT) return true;
        }
        return false;
    }

    // Shapes and places the `length` units from `start` with font `font`; the glyphs' count, 0
    // when the engine fails. A face that lacks the script gives its own glyphs, missing ones too.
    int shapeWith(int font, int start, int length, SCRIPT_ANALYSIS analysis) {
        ShapingFont& f = fonts[static_cast<std::size_t>(font)];
        SelectObject(dc, f.font);
        const int most = static_cast<int>(glyphs.size());
        int count = 0;
        HRESULT shaped = ScriptShape(dc, &f.cache, &wide[start], length, most, &analysis,
                                     glyphs.data(), clusters.data(), attributes.data(), &count);
        if (shaped == USP_E_SCRIPT_NOT_IN_FONT) {
            analysis.eScript = SCRIPT_UNDEFINED;
            shaped = ScriptShape(dc, &f.cache, &wide[start], length, most, &analysis, glyphs.data(),
                                 clusters.data(), attributes.data(), &count);
        }
        ABC abc{};
        if (shaped != S_OK ||
            ScriptPlace(dc, &f.cache, glyphs.data(), count, attributes.data(), &analysis,
                        advances.data(), offsets.data(), &abc) != S_OK) {
            return 0;
        }
        return count;
    }

    // Into `lacking`, the characters of the units shaped that came out as the missing glyph of
    // `font`; direction controls need none.
    void findLacking(int font, int start, int length, int count) {
        lacking.clear();
        const WORD missing = fonts[static_cast<std::size_t>(font)].missingGlyph;
        for (int c = 0; c < length; ++c) {
            const WORD g = clusters[c];
            if (!isDirectionControl(wide[start + c]) && g < count && glyphs[g] == missing) {
                lacking.push_back(text[owner[start + c]]);
            }
        }
    }

    // The font that draws `c` when the chosen face lacks it: the first fallback face that has
    // it, asked once a character; -1 when none has.
    int fallbackOf(char32_t c) {
        const auto known = fallbacks.find(c);
        if (known != fallbacks.end()) return known->second;
        const Candidate* found = fallback->select(c);
        const int k = found != nullptr ? take(found->font) : -1;
        fallbacks.emplace(c, k);
        return k;
    }

    // Of the faces that draw the characters in `lacking`, the first that has them all, else the
    // first lacking character's; -1 when none has. The answer depends on the characters alone,
    // not on the rows shaped before.
    int fallbackFor() {
        int first = -1;
        for (char32_t c : lacking) {
            const int k = fallbackOf(c);
            if (k < 0) continue;
            if (first < 0) first = k;
            SelectObject(dc, fonts[static_cast<std::size_t>(k)].font);
            bool hasAll = true;
            for (char32_t other : lacking) hasAll = hasAll && hasGlyph(dc, other);
            if (hasAll) return k;
        }
        return first;
    }

    // Shapes item `item`, its glyphs appended to `out` in visual order from pen position `pen`:
    // with the chosen face, or when it lacks some of the item's characters, with a fallback face.
    int shapeItem(int item, int& pen, ShapedGlyph* out, int placed, int room, ShapeNotes& notes) {
        const int start = items[item].iCharPos;
        const int length = items[item + 1].iCharPos - start;
        int font = 0;
        int count = shapeWith(font, start, length, items[item].a);
        if (count == 0) return placed;
        findLacking(font, start, length, count);
        if (!lacking.empty()) {
            const int other = fallbackFor();
            const int again = other > 0 ? shapeWith(other, start, length, items[item].a) : 0;
            if (again > 0) {
                font = other;
                count = again;
                findLacking(font, start, length, count);
            } else if (other > 0) {
                count = shapeWith(font, start, length, items[item].a);
            }
        }
        if (!lacking.empty() && notes.missing < 0) {
            for (int c = 0; c < length && notes.missing < 0; ++c) {
                if (text[owner[start + c]] == lacking[0]) notes.missing = owner[start + c];
            }
        }
        // A control shaped alone is a zero-width glyph of its own: it is skipped, not drawn.
        skipped.assign(static_cast<std::size_t>(count), false);
        for (int c = 0; c < length; ++c) {
            const WORD g = clusters[c];
            const bool alone =
                (c == 0 || clusters[c - 1] != g) && (c + 1 == length || clusters[c + 1] != g);
            if (isDirectionControl(wide[start + c]) && alone && g < count) skipped[g] = 1;
        }
        for (int g = 0; g < count; ++g) {
            if (skipped[g]) continue;
            if (placed < room) {
                out[placed++] = {glyphs[g], pen + offsets[g].du, offsets[g].dv, font};
            }
            pen += advances[g];
        }
        return placed;
    }

    const char32_t* text = nullptr;  // the row being shaped, by character
};

Shaper::Shaper() = default;
Shaper::~Shaper() { close(); }

void Shaper::close() {
    delete engine_;
    engine_ = nullptr;
}

bool Shaper::opened() const { return engine_ != nullptr; }

bool Shaper::open(DeviceContext dc, const char* face, int pixelHeight, int capacity, int weight) {
    close();
    auto* engine = new Engine;
    // A device of its own, so that the GL context's keeps the font it has.
    engine->dc = CreateCompatibleDC(static_cast<HDC>(dc));
    const std::wstring name = wideOf(face);
    engine->own = createHudFont(name.c_str(), pixelHeight, weight);
    if (engine->dc == nullptr || engine->own == nullptr) {
        delete engine;
        return false;
    }
    engine->previous = SelectObject(engine->dc, engine->own);
    engine->take(engine->own);
    engine->fallback = std::make_unique<FallbackFaces>(engine->dc, name, pixelHeight);
    const auto units = static_cast<std::size_t>(capacity) * 2 + 1;
    const std::size_t most = units * 3 / 2 + 16;  // as Uniscribe asks for the glyph buffers
    engine->capacity = capacity;
    engine->wide.resize(units);
    engine->owner.resize(units);
    engine->types.resize(units);
    engine->items.resize(units + 1);
    engine->levels.resize(units);
    engine->order.resize(units);
    engine->glyphs.resize(most);
    engine->clusters.resize(units);
    engine->attributes.resize(most);
    engine->advances.resize(most);
    engine->offsets.resize(most);
    engine->skipped.reserve(most);
    engine->lacking.reserve(units);
    engine_ = engine;
    return true;
}

int Shaper::shape(const char32_t* text, int count, ShapedGlyph* glyphs, int room,
                  ShapeNotes& notes) {
    notes = {};
    if (engine_ == nullptr || count <= 0) return 0;
    Engine& e = *engine_;
    if (count > e.capacity) count = e.capacity;
    const int units = toUtf16(text, count, e.wide.data(), e.owner.data());
    e.text = text;

    // Embeddings close with a PDF, isolates with a PDI, which also closes those opened inside.
    int embeddings = 0;
    int isolates = 0;
    for (int u = 0; u < units; ++u) {
        const WCHAR c = e.wide[u];
        if (c >= 0x202A && c <= 0x202E && c != 0x202C) ++embeddings;
        if (c == 0x202C && embeddings > 0) --embeddings;
        if (c >= 0x2066 && c <= 0x2068) ++isolates;
        if (c == 0x2069 && isolates > 0) {
            --isolates;
            embeddings = 0;
        }
    }
    notes.unclosedControl = embeddings > 0 || isolates > 0;

    SCRIPT_CONTROL control{};
    SCRIPT_STATE state{};
    state.uBidiLevel = e.rightToLeft(units) ? 1 : 0;
    int itemCount = 0;
    if (ScriptItemize(e.wide.data(), units, static_cast<int>(e.items.size()) - 1, &control, &state,
                      e.items.data(), &itemCount) != S_OK) {
        return 0;
    }
    for (int i = 0; i < itemCount; ++i) e.levels[i] = e.items[i].a.s.uBidiLevel;
    if (ScriptLayout(itemCount, e.levels.data(), e.order.data(), nullptr) != S_OK) return 0;
    int pen = 0;
    int placed = 0;
    for (int v = 0; v < itemCount; ++v) {
        placed = e.shapeItem(e.order[v], pen, glyphs, placed, room, notes);
    }
    notes.width = pen;
    return placed;
}

// What wglUseFontBitmaps compiles of glyph `index` of face `face`.
GlyphBitmap Shaper::render(int face, unsigned int index) {
    if (engine_ == nullptr || face < 0 || face >= static_cast<int>(engine_->fonts.size())) {
        return {};
    }
    SelectObject(engine_->dc, engine_->fonts[static_cast<std::size_t>(face)].font);
    return outlineBitmap(engine_->dc, index, GGO_BITMAP | GGO_GLYPH_INDEX);
}

}  // namespace vantor::platform
