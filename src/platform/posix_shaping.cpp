// Linux shaping: FriBidi orders the row by the bidirectional algorithm, HarfBuzz shapes each run
// of one level and one script over the FreeType face that the glyph lists are made from.
#include <fribidi.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb-ft.h>
#include <hb.h>

#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"
#include "platform/posix_font_match.h"

namespace vantor::platform {
namespace {

bool isControl(FriBidiCharType type) {
    return FRIBIDI_IS_EXPLICIT(type) || FRIBIDI_IS_ISOLATE(type);
}

// The scripts whose letters take their shape from their neighbours whatever their direction;
// those that run right to left are found by their bidirectional type.
bool joins(hb_script_t script) {
    return script == HB_SCRIPT_ARABIC || script == HB_SCRIPT_SYRIAC ||
           script == HB_SCRIPT_MONGOLIAN || script == HB_SCRIPT_PHAGS_PA ||
           script == HB_SCRIPT_NKO || script == HB_SCRIPT_MANDAIC;
}

bool complexCharacter(hb_unicode_funcs_t* unicode, char32_t c) {
    const FriBidiCharType type = fribidi_get_bidi_type(c);
    if (FRIBIDI_IS_RTL(type) || type == FRIBIDI_TYPE_AN || isControl(type)) return true;
    if (c == 0x200E || c == 0x200F) return true;  // LRM, RLM: marks of direction
    const hb_script_t script = hb_unicode_script(unicode, c);
    if (joins(script)) return true;
    // A mark of a script of its own (a vowel sign, a virama) reorders or stacks with its base; the
    // marks that any script takes (the combining accents) are drawn as they always were.
    switch (hb_unicode_general_category(unicode, c)) {
        case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
        case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
        case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK:
            return script != HB_SCRIPT_INHERITED && script != HB_SCRIPT_COMMON;
        default:
            return false;
    }
}

int toPixels(hb_position_t position) { return (position + 32) >> 6; }

}  // namespace

bool needsShaping(const char32_t* text, int count) {
    hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
    for (int i = 0; i < count; ++i) {
        if (complexCharacter(unicode, text[i])) return true;
    }
    return false;
}

// A face the engine shapes with, and the file it came from.
struct ShapingFont {
    FT_Face face = nullptr;
    hb_font_t* font = nullptr;
    std::string path;
    int index = 0;
};

struct Shaper::Engine {
    FT_Library library = nullptr;
    std::vector<ShapingFont> fonts;  // the chosen face first, then the fallback faces taken
    std::string name;                // the chosen face's name, as fallback faces are asked for it
    int pixelHeight = 0;
    // By character: the font that draws it when the chosen face lacks it, -1 when none has it.
    std::unordered_map<char32_t, int> fallbacks;
    hb_buffer_t* buffer = nullptr;
    int capacity = 0;
    std::vector<char32_t> lacking;  // of the run being shaped, the characters the face lacks
    // By character in logical order, and the logical place of each visual one.
    std::vector<FriBidiCharType> types;
    std::vector<FriBidiBracketType> brackets;
    std::vector<FriBidiLevel> levels;
    std::vector<hb_script_t> scripts;
    std::vector<FriBidiStrIndex> order;

    ~Engine() {
        if (buffer != nullptr) hb_buffer_destroy(buffer);
        for (ShapingFont& f : fonts) {
            if (f.font != nullptr) hb_font_destroy(f.font);  // drops its reference to the face
        }
        if (library != nullptr) FT_Done_FreeType(library);
    }

    // Opens the face in `file` at the engine's size, once: its place in `fonts`, -1 when it fails.
    int openFont(const FontFile& file) {
        for (std::size_t k = 0; k < fonts.size(); ++k) {
            if (fonts[k].path == file.path && fonts[k].index == file.index) {
                return static_cast<int>(k);
            }
        }
        FT_Face face = nullptr;
        if (FT_New_Face(library, file.path, file.index, &face) != 0) return -1;
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
            FT_Done_Face(face);
            return -1;
        }
        // Hinted as the glyph lists render, so that a glyph advances by the pixels its list would.
        hb_font_t* font = hb_ft_font_create_referenced(face);
        FT_Done_Face(face);  // the font holds its own reference
        hb_ft_font_set_load_flags(font, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO);
        fonts.push_back({face, font, file.path, file.index});
        return static_cast<int>(fonts.size()) - 1;
    }

    // The font that draws `c` when the chosen face lacks it: the first face that has it, asked
    // once a character; -1 when none has.
    int fallbackOf(char32_t c) {
        const auto known = fallbacks.find(c);
        if (known != fallbacks.end()) return known->second;
        const CoveringFaces cover = coveringFaces(name.c_str(), &c, 1);
        const int k = cover.of.empty() || cover.of[0] < 0
                          ? -1
                          : openFont(cover.faces[static_cast<std::size_t>(cover.of[0])]);
        fallbacks.emplace(c, k);
        return k;
    }

    // The font that shapes the logical characters [from, to): the chosen face, unless it lacks
    // some of them; then of the faces that draw those, the first that has them all, else the
    // first lacking character's. The answer depends on the characters alone, not on the rows
    // shaped before.
    int fontFor(const char32_t* text, int from, int to) {
        hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
        lacking.clear();
        for (int i = from; i < to; ++i) {
            // Controls and the other invisible formatting characters need no glyph of their own.
            if (isControl(types[i]) || hb_unicode_general_category(unicode, text[i]) ==
                                           HB_UNICODE_GENERAL_CATEGORY_FORMAT) {
                continue;
            }
            if (FT_Get_Char_Index(fonts[0].face, text[i]) == 0) lacking.push_back(text[i]);
        }
        int first = -1;
        for (char32_t c : lacking) {
            const int k = fallbackOf(c);
            if (k < 0) continue;
            if (first < 0) first = k;
            bool hasAll = true;
            for (char32_t other : lacking) {
                hasAll = hasAll &&
                         FT_Get_Char_Index(fonts[static_cast<std::size_t>(k)].face, other) != 0;
            }
            if (hasAll) return k;
        }
        return first < 0 ? 0 : first;
    }

    // Each character's script; those of every script (spaces, digits, marks) take the script of
    // the text before them, or at the row's start, of the text after.
    void resolveScripts(const char32_t* text, int count) {
        hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
        hb_script_t last = HB_SCRIPT_INVALID;
        int pending = 0;
        for (int i = 0; i < count; ++i) {
            const hb_script_t script = hb_unicode_script(unicode, text[i]);
            if (script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED ||
                script == HB_SCRIPT_UNKNOWN) {
                scripts[i] = last;
                if (last == HB_SCRIPT_INVALID) ++pending;
                continue;
            }
            for (; pending > 0; --pending) scripts[i - pending] = script;
            scripts[i] = last = script;
        }
        for (int i = count - pending; i < count; ++i) scripts[i] = HB_SCRIPT_COMMON;
    }

    // Shapes the logical characters [from, to) in `rtl` direction, their glyphs appended to
    // `glyphs` in visual order from pen position `pen` (26.6).
    int shapeRun(const char32_t* text, int count, int from, int to, bool rtl, hb_position_t& pen,
                 ShapedGlyph* glyphs, int placed, int room, ShapeNotes& notes) {
        hb_buffer_clear_contents(buffer);
        hb_buffer_add_utf32(buffer, reinterpret_cast<const std::uint32_t*>(text), count,
                            static_cast<unsigned int>(from), to - from);
        hb_buffer_set_direction(buffer, rtl ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
        hb_buffer_set_script(buffer, scripts[from]);
        hb_buffer_set_language(buffer, hb_language_get_default());
        hb_buffer_set_flags(
            buffer, static_cast<hb_buffer_flags_t>(HB_BUFFER_FLAG_REMOVE_DEFAULT_IGNORABLES |
                                                   (from == 0 ? HB_BUFFER_FLAG_BOT : 0) |
                                                   (to == count ? HB_BUFFER_FLAG_EOT : 0)));
        const int face = fontFor(text, from, to);
        hb_shape(fonts[static_cast<std::size_t>(face)].font, buffer, nullptr, 0);
        unsigned int length = 0;
        const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &length);
        const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &length);
        for (unsigned int g = 0; g < length; ++g) {
            if (infos[g].codepoint == 0 && notes.missing < 0) {
                notes.missing = static_cast<int>(infos[g].cluster);
            }
            if (placed < room && !isControl(types[infos[g].cluster])) {
                glyphs[placed++] = {infos[g].codepoint, toPixels(pen + positions[g].x_offset),
                                    toPixels(positions[g].y_offset), face};
            }
            pen += positions[g].x_advance;
        }
        return placed;
    }
};

Shaper::Shaper() = default;
Shaper::~Shaper() { close(); }

void Shaper::close() {
    delete engine_;
    engine_ = nullptr;
}

bool Shaper::opened() const { return engine_ != nullptr; }

bool Shaper::open(DeviceContext, const char* face, int pixelHeight, int capacity, int weight) {
    close();
    FontFile file;
    if (face == nullptr || pixelHeight <= 0 || !matchFontFile(face, pixelHeight, file, weight)) {
        return false;
    }
    auto* engine = new Engine;
    engine->name = face;
    engine->pixelHeight = pixelHeight;
    if (FT_Init_FreeType(&engine->library) != 0 || engine->openFont(file) != 0) {
        delete engine;
        return false;
    }
    engine->buffer = hb_buffer_create();
    hb_buffer_pre_allocate(engine->buffer, static_cast<unsigned int>(capacity) * 2);
    engine->capacity = capacity;
    engine->types.resize(capacity);
    engine->brackets.resize(capacity);
    engine->levels.resize(capacity);
    engine->scripts.resize(capacity);
    engine->order.resize(capacity);
    engine->lacking.reserve(static_cast<std::size_t>(capacity));
    engine_ = engine;
    return true;
}

int Shaper::shape(const char32_t* text, int count, ShapedGlyph* glyphs, int room,
                  ShapeNotes& notes) {
    notes = {};
    if (engine_ == nullptr || count <= 0) return 0;
    Engine& e = *engine_;
    if (count > e.capacity) count = e.capacity;
    const auto* characters = reinterpret_cast<const FriBidiChar*>(text);
    fribidi_get_bidi_types(characters, count, e.types.data());
    fribidi_get_bracket_types(characters, count, e.types.data(), e.brackets.data());
    FriBidiParType direction = FRIBIDI_PAR_ON;  // from the first strong character
    if (fribidi_get_par_embedding_levels_ex(e.types.data(), e.brackets.data(), count, &direction,
                                            e.levels.data()) == 0) {
        return 0;
    }
    // Marks stay after their base in logical order within a run, so each run is one piece of
    // the text that HarfBuzz shapes and orders itself.
    for (int i = 0; i < count; ++i) e.order[i] = i;
    if (fribidi_reorder_line(0, e.types.data(), count, 0, direction, e.levels.data(), nullptr,
                             e.order.data()) == 0) {
        return 0;
    }
    e.resolveScripts(text, count);

    // An opening control with no closing one to match it: embeddings close with a PDF, isolates
    // with a PDI, which also closes the embeddings opened inside them.
    int embeddings = 0;
    int isolates = 0;
    for (int i = 0; i < count; ++i) {
        const FriBidiCharType type = e.types[i];
        if (FRIBIDI_IS_EXPLICIT(type) && type != FRIBIDI_TYPE_PDF) ++embeddings;
        if (type == FRIBIDI_TYPE_PDF && embeddings > 0) --embeddings;
        if (FRIBIDI_IS_ISOLATE(type) && type != FRIBIDI_TYPE_PDI) ++isolates;
        if (type == FRIBIDI_TYPE_PDI && isolates > 0) {
            --isolates;
            embeddings = 0;
        }
    }
    notes.unclosedControl = embeddings > 0 || isolates > 0;

    // Visual runs: neighbours in visual order that follow each other in logical order, in their
    // direction, at one level and in one script.
    hb_position_t pen = 0;
    int placed = 0;
    for (int v = 0; v < count;) {
        const int start = e.order[v];
        const FriBidiLevel level = e.levels[start];
        const bool rtl = (level & 1) != 0;
        int end = v + 1;
        while (end < count && e.levels[e.order[end]] == level &&
               e.order[end] == e.order[end - 1] + (rtl ? -1 : 1) &&
               e.scripts[e.order[end]] == e.scripts[start]) {
            ++end;
        }
        const int from = rtl ? e.order[end - 1] : start;
        const int to = (rtl ? start : e.order[end - 1]) + 1;
        placed = e.shapeRun(text, count, from, to, rtl, pen, glyphs, placed, room, notes);
        v = end;
    }
    notes.width = toPixels(pen);
    return placed;
}

GlyphBitmap Shaper::render(int font, unsigned int index) {
    GlyphBitmap glyph;
    if (engine_ == nullptr || font < 0 || font >= static_cast<int>(engine_->fonts.size())) {
        return glyph;
    }
    FT_Face face = engine_->fonts[static_cast<std::size_t>(font)].face;
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return glyph;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.rows == 0) return glyph;
    const std::size_t bytes = (bitmap.width + 7) / 8;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.xorig = -slot->bitmap_left;
    glyph.yorig = glyph.height - slot->bitmap_top;
    glyph.rows.resize(bytes * bitmap.rows);
    bool inked = false;
    for (unsigned int row = 0; row < bitmap.rows; ++row) {
        const unsigned char* from = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        std::memcpy(&glyph.rows[(bitmap.rows - 1 - row) * bytes], from, bytes);
        for (std::size_t k = 0; k < bytes; ++k) inked = inked || from[k] != 0;
    }
    if (!inked) glyph = {};
    return glyph;
}

}  // namespace vantor::platform
