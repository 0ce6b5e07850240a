// The HUD's frame against the floor and two peers, with each text effect and held to two corners,
// the CPU side of a frame
// alone, and a Reload INI with its rebuild: one EGL (Mesa llvmpipe) context, one page, one font at
// one pixel height. scripts/perf-report runs it and prints the table; by hand:
//
//   build/linux/bin/bench_draw --benchmark_repetitions=10
//       --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
//
// Every GL frame ends in glFinish, so its time is the whole frame, llvmpipe's rasterising
// included. Each benchmark also reports, per frame after the first: heap allocations outside the
// GL driver ("allocs") and inside it ("driver_allocs"), and the lit pixels of one frame ("lit_px"),
// which shows that every contender draws the same text. Under valgrind each benchmark runs a
// fixed number of frames and skips those extras, and callgrind collects only around the loop
// (run it with --collect-atstart=no), so that its counts divide into frames.
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "allocation_log.h"
#include "fake_host.h"
#include "freetype_peer.h"
#include "ftgl_peer.h"
#include "gl_context.h"
#include "gl_frame.h"
#include "host/plugin_entry.h"
#include "hud/hud_plugin.h"
#include "hud_internals.h"
#include "hud_layout.h"
#include "platform/posix_font_match.h"
#include "plugin_seam.h"
#include "tokens/replace_token.h"
#include "work_folder.h"

namespace vantor::bench {
namespace {

constexpr int kCallgrindFrames = 20;
constexpr int kCountedFrames = 10;

// Everything the benchmarks share, made once: members are destroyed in reverse, the working
// directory before the context.
struct Suite {
    std::unique_ptr<hudhost::GlContext> gl;
    std::unique_ptr<test::WorkFolder> dir;

    // The host's side: its scene (face mode, a named camera), record and callback table.
    test::FakeHost host;
    HudPlugin* hud = nullptr;  // the instance initializePlugin made

    // The drawn page as the HUD's first frame substituted it, for the floor and the peers.
    char lines[kDrawnRows][kLineSize]{};
    int lengths[kDrawnRows]{};

    std::unique_ptr<FtglPeer> ftgl;
    std::unique_ptr<FreeTypePeer> freetype;       // glyphs rendered once
    std::unique_ptr<FreeTypePeer> freetypeNaive;  // glyphs rendered each time they are drawn

    // The CPU side's own state, loaded from the same file as the HUD's.
    std::unique_ptr<PageStore> store;
    std::unique_ptr<TokenTable> tokens;
    HudSettings settings{};
    HostWord camera = 0;
    FrameRate rate;
    std::uint32_t startTick = 0;
    std::unique_ptr<PageLayout> layout = std::make_unique<PageLayout>();
    HudSettings anchored{};   // the settings held to the top right corner
    ByteAdvances advances{};  // the font's, as the HUD keeps them
    platform::CodePageCharacters codePage{};

    std::string renderer;
};

bool hostDraw(Suite& s, std::int32_t flag) {
    return entryAs<DrawEntry>(s.host.table.entries[kDrawPosition])(flag);
}
bool hostExecute(Suite& s, std::int32_t function) {
    return entryAs<ExecuteEntry>(s.host.record.execute)(function);
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "bench_draw: %s\n", what);
    std::exit(1);
}

// The host's record handed to initializePlugin, the HUD shown and drawn once (which reads the file
// and builds the lists), and what the floor, the peers and the CPU side need made from it.
Suite& suite() {
    static Suite s;
    static const bool ready = [] {
        std::string error;
        s.gl = hudhost::GlContext::create(test::kWidth, test::kHeight, error);
        if (s.gl == nullptr) fail(error.c_str());
        s.renderer = std::string(reinterpret_cast<const char*>(glGetString(GL_RENDERER))) + ", " +
                     reinterpret_cast<const char*>(glGetString(GL_VERSION));
        s.dir = std::make_unique<test::WorkFolder>(fullLayoutIni());

        s.host.scene.mainPerspectiveCamera = 7;
        s.host.view.camera = 7;
        s.host.faces.count = 1234;
        initializePlugin(&s.host.record);
        s.hud = static_cast<HudPlugin*>(pluginInstance());
        if (s.hud == nullptr) fail("initializePlugin made no plug-in");
        hostExecute(s, kSwitchCommand);
        hostDraw(s, 0);
        if (test::inspect(*s.hud).fontListBase() == 0 ||
            test::inspect(*s.hud).store().getPageCount() != 5) {
            fail("the HUD did not build its lists or load the five pages");
        }

        PageStore copy(test::inspect(*s.hud).store());
        copy.selectPage(0);
        for (int r = 0; r < kDrawnRows; ++r) {
            copy.selectRow(r);
            std::memcpy(s.lines[r], copy.getRowText(), std::strlen(copy.getRowText()) + 1);
            for (int j = 0; j < kTokenCount; ++j) {
                replaceToken(s.lines[r], s.lines[r], kTokenKeys[j],
                             test::inspect(*s.hud).tokens().values[j], kLineSize);
            }
            s.lengths[r] = static_cast<int>(std::strlen(s.lines[r]));
        }

        // The font file the HUD's lists came from.
        platform::FontFile file{};
        if (!platform::matchFontFile(kFace, kPixelHeight, file)) fail("fontconfig found no font");
        s.ftgl = std::make_unique<FtglPeer>(file.path, kPixelHeight);
        s.freetype = std::make_unique<FreeTypePeer>(file.path, file.index, kPixelHeight,
                                                    FreeTypePeer::Glyphs::kRenderedOnce);
        s.freetypeNaive = std::make_unique<FreeTypePeer>(file.path, file.index, kPixelHeight,
                                                         FreeTypePeer::Glyphs::kRenderedEachTime);

        s.store = std::make_unique<PageStore>();
        s.tokens = std::make_unique<TokenTable>();
        reloadConfig(*s.store, s.settings);
        s.anchored = s.settings;
        s.anchored.anchor = kTopRight;
        const std::optional<platform::FontMeasure> font =
            platform::measureFont(kFace, kPixelHeight);
        if (!font) fail("no glyph advances");
        std::copy(font->advances, font->advances + platform::kGlyphCount,
                  s.advances + platform::kFirstGlyph);
        s.startTick = platform::tickCount();
        s.rate.restart(s.startTick);
        return true;
    }();
    static_cast<void>(ready);
    return s;
}

// The floor's and the peers' frame: the HUD's projection set-up and restore around the lines,
// each at the HUD's position for its row.
template <class DrawLine>
void overlayFrame(const HudSettings& settings, DrawLine drawLine) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glColor3f(settings.red, settings.green, settings.blue);
    for (int r = 0; r < kDrawnRows; ++r) {
        drawLine(r, settings.posX, settings.posY - static_cast<float>(r) * settings.stepY);
    }
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glFinish();
}

void hudFrame(Suite& s) {
    hostDraw(s, 0);
    glFinish();
}

// The same substituted lines through the same 96 lists: what drawing the page cannot go below.
void floorFrame(Suite& s) {
    glListBase(test::inspect(*s.hud).fontListBase() - platform::kFirstGlyph);
    overlayFrame(test::inspect(*s.hud).settings(), [&](int r, float x, float y) {
        glRasterPos2f(x, y);
        glCallLists(s.lengths[r], GL_UNSIGNED_BYTE, s.lines[r]);
    });
    glListBase(0);
}

// A peer's frame: the same lines through its own drawing, `peer` one of the Suite's peers.
template <auto peer>
void peerFrame(Suite& s) {
    overlayFrame(test::inspect(*s.hud).settings(),
                 [&](int r, float x, float y) { (s.*peer)->drawLine(x, y, s.lines[r]); });
}

// What draw does apart from GL: the clocks read, the values refreshed, each row of the page copied
// and given its tokens; held to the top right corner, the viewport read too and each row placed
// from its width.
template <bool kAnchored>
void cpuFrame(Suite& s) {
    Viewport viewport;
    if (kAnchored) {
        GLint at[4];
        glGetIntegerv(GL_VIEWPORT, at);
        viewport = {at[0], at[1], at[2], at[3]};
    }
    const std::uint32_t now = platform::tickCount();
    s.rate.countFrame(now);
    updateTokenValues(*s.tokens, s.camera,
                      {&s.host.scene, &s.host.services, s.startTick, now, platform::calendarTime(),
                       s.rate.perSecond});
    const FontAdvances advances{kAnchored ? s.advances : nullptr, {}, nullptr};
    layOutPage(readThroughCursor(*s.store, 0),
               {kAnchored ? s.anchored : s.settings, advances, {}, viewport, *s.tokens, s.codePage},
               *s.layout);
    benchmark::DoNotOptimize(s.layout->rows[0]);
}

// Reload INI through the host's entry, then the pass that rebuilds: the file read again and the 96
// lists built anew. The HUD is hidden meanwhile, so the pass draws nothing.
void rebuildFrame(Suite& s) {
    hostExecute(s, kReloadIniCommand);
    hostDraw(s, 0);
    glFinish();
}

int litPixels(Suite& s, void (*frame)(Suite&)) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    frame(s);
    return test::litArea(test::readFramebuffer()).count;
}

// Runs `frame` as the benchmark's loop, after a warm-up frame and, outside valgrind, the counts.
void runFrames(benchmark::State& state, void (*frame)(Suite&), bool drawsPixels = true) {
    Suite& s = suite();
    frame(s);
    test::AllocationCounts counts;
    if (!RUNNING_ON_VALGRIND) {
        if (drawsPixels) state.counters["lit_px"] = litPixels(s, frame);
        counts = test::countAllocations([&] {
            for (int i = 0; i < kCountedFrames; ++i) frame(s);
        });
    }
    CALLGRIND_TOGGLE_COLLECT;
    for (auto _ : state) frame(s);
    CALLGRIND_TOGGLE_COLLECT;
    if (test::kCountsAllocations && !RUNNING_ON_VALGRIND) {
        state.counters["allocs"] = static_cast<double>(counts.outsideDriver) / kCountedFrames;
        state.counters["driver_allocs"] = static_cast<double>(counts.driver) / kCountedFrames;
    }
}

void frameRuns(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)->UseRealTime()->MeasureProcessCPUTime();
    if (RUNNING_ON_VALGRIND) b->Iterations(kCallgrindFrames);
}

void BM_HudDraw(benchmark::State& state) {
    runFrames(state, hudFrame);
    state.SetLabel(suite().renderer);
}
BENCHMARK(BM_HudDraw)->Apply(frameRuns);

// The same page with a text effect or held to a corner: the file read again with the keys set (the
// rebuild is the warm-up frame, outside the loop), then the plain file again for the other
// benchmarks.
void effectFrames(benchmark::State& state, const std::string& ini) {
    Suite& s = suite();
    s.dir->writeIni(ini);
    hostExecute(s, kReloadIniCommand);
    runFrames(state, hudFrame);
    s.dir->writeIni(fullLayoutIni());
    hostExecute(s, kReloadIniCommand);
    hudFrame(s);
}

void BM_HudDrawShadow(benchmark::State& state) {
    effectFrames(state, fullLayoutIni() + "TEXT_EFFECT=1\nEFFECT_BLUE=255\n");
}
BENCHMARK(BM_HudDrawShadow)->Apply(frameRuns);

void BM_HudDrawOutline(benchmark::State& state) {
    effectFrames(state, fullLayoutIni() + "TEXT_EFFECT=2\nEFFECT_BLUE=255\n");
}
BENCHMARK(BM_HudDrawOutline)->Apply(frameRuns);

// The page with each row drawn as one bitmap.
void BM_HudDrawRowCache(benchmark::State& state) {
    effectFrames(state, fullLayoutIni() + "ROW_CACHE=1\n");
}
BENCHMARK(BM_HudDrawRowCache)->Apply(frameRuns);

void BM_HudDrawRowCacheShadow(benchmark::State& state) {
    effectFrames(state, fullLayoutIni() + "ROW_CACHE=1\nTEXT_EFFECT=1\nEFFECT_BLUE=255\n");
}
BENCHMARK(BM_HudDrawRowCacheShadow)->Apply(frameRuns);

void BM_HudDrawRowCacheOutline(benchmark::State& state) {
    effectFrames(state, fullLayoutIni() + "ROW_CACHE=1\nTEXT_EFFECT=2\nEFFECT_BLUE=255\n");
}
BENCHMARK(BM_HudDrawRowCacheOutline)->Apply(frameRuns);

// The page's values in a colour of their own, drawn again over their rows; from the row cache, as
// a layer of each row's bitmap.
constexpr const char* kValueColour = "VALUE_RED=255\nVALUE_GREEN=255\nVALUE_BLUE=0\n";

void BM_HudDrawValues(benchmark::State& state) {
    effectFrames(state, fullLayoutIni() + kValueColour);
}
BENCHMARK(BM_HudDrawValues)->Apply(frameRuns);

void BM_HudDrawRowCacheValues(benchmark::State& state) {
    effectFrames(state, fullLayoutIni() + "ROW_CACHE=1\n" + kValueColour);
}
BENCHMARK(BM_HudDrawRowCacheValues)->Apply(frameRuns);

// A frame in which two rows change, as the clock's do each second: the camera and the face count
// differ from the last frame's, and their rows are composed again.
void changingFrame(Suite& s) {
    s.host.view.camera = s.host.view.camera == 0x1001 ? 0x1002 : 0x1001;
    ++s.host.faces.count;
    hudFrame(s);
}

void BM_HudDrawRowCacheChanging(benchmark::State& state) {
    Suite& s = suite();
    s.dir->writeIni(fullLayoutIni() + "ROW_CACHE=1\n");
    hostExecute(s, kReloadIniCommand);
    runFrames(state, changingFrame);
    s.dir->writeIni(fullLayoutIni());
    hostExecute(s, kReloadIniCommand);
    hudFrame(s);
}
BENCHMARK(BM_HudDrawRowCacheChanging)->Apply(frameRuns);

// Rows in colours of their own: each row of page 1 in one of two, and the faces row by a limit its
// count crosses every frame, against the same page in one colour with the same count.
void flippingFrame(Suite& s) {
    s.host.faces.count = s.host.faces.count == 1234 ? 1235 : 1234;
    hudFrame(s);
}

std::string colouredIni(const std::string& config) {
    std::string colours;
    for (int r = 1; r <= kDrawnRows; ++r) {
        colours += "ROWCOLOR" + std::to_string(r) + "=" + (r % 2 == 0 ? "40C0FF" : "FFC040") + "\n";
    }
    colours += "ROWCOLOR17=FF0000<1235,00FF00\n";
    std::string ini = fullLayoutIni() + config;
    return ini.insert(ini.find("[SECTION1]\n") + 11, colours);
}

void flippingFrames(benchmark::State& state, const std::string& ini) {
    Suite& s = suite();
    s.dir->writeIni(ini);
    hostExecute(s, kReloadIniCommand);
    runFrames(state, flippingFrame);
    s.dir->writeIni(fullLayoutIni());
    hostExecute(s, kReloadIniCommand);
    s.host.faces.count = 1234;
    hudFrame(s);
}

void BM_HudDrawCountFlipping(benchmark::State& state) { flippingFrames(state, fullLayoutIni()); }
BENCHMARK(BM_HudDrawCountFlipping)->Apply(frameRuns);

void BM_HudDrawRowColours(benchmark::State& state) { flippingFrames(state, colouredIni("")); }
BENCHMARK(BM_HudDrawRowColours)->Apply(frameRuns);

void BM_HudDrawRowCacheCountFlipping(benchmark::State& state) {
    flippingFrames(state, fullLayoutIni() + "ROW_CACHE=1\n");
}
BENCHMARK(BM_HudDrawRowCacheCountFlipping)->Apply(frameRuns);

void BM_HudDrawRowCacheRowColours(benchmark::State& state) {
    flippingFrames(state, colouredIni("ROW_CACHE=1\n"));
}
BENCHMARK(BM_HudDrawRowCacheRowColours)->Apply(frameRuns);

// The page held to the top right corner (each row's width summed) and to the bottom left, its
// rows where the stretched page has them in a 640 x 480 viewport, all on screen.
std::string anchoredIni(int anchor, int posY) {
    std::string ini = fullLayoutIni();
    const std::string stretched = "HUD_POS_Y=470";
    ini.replace(ini.find(stretched), stretched.size(), "HUD_POS_Y=" + std::to_string(posY));
    return ini + "HUD_ANCHOR=" + std::to_string(anchor) + "\n";
}

void BM_HudDrawTopRight(benchmark::State& state) { effectFrames(state, anchoredIni(2, 10)); }
BENCHMARK(BM_HudDrawTopRight)->Apply(frameRuns);

void BM_HudDrawBottomLeft(benchmark::State& state) { effectFrames(state, anchoredIni(3, 38)); }
BENCHMARK(BM_HudDrawBottomLeft)->Apply(frameRuns);

// The page with its plain rows in letters beyond ASCII, as many characters a row as in ASCII.
void BM_HudDrawBeyondAscii(benchmark::State& state) {
    std::string ini = fullLayoutIni();
    const std::string ascii = "plain text, the same each frame";
    const std::string beyond =
        "Gr\u00f6\u00dfe \u00b145\u00b0 \u2192 \u0412\u044b\u0431\u0440\u0430\u043d\u043e "
        "\u03a9\u03bc\u03ad\u03b3\u03b1 \u20ac12 ";
    for (auto at = ini.find(ascii); at != std::string::npos; at = ini.find(ascii, at)) {
        ini.replace(at, ascii.size(), beyond);
    }
    effectFrames(state, ini);
}
BENCHMARK(BM_HudDrawBeyondAscii)->Apply(frameRuns);

// The page with an Arabic word in each of its 28 rows: every row shaped, drawn as its row list.
std::string arabicIni() {
    std::string ini = fullLayoutIni();
    const std::string word = " \u0627\u0644\u062a\u062d\u062f\u064a\u062f";
    const std::string pageEnd = "[SECTION2]";
    std::size_t end = ini.find(pageEnd);
    for (auto at = ini.find("ROWDATA"); at < end; at = ini.find("ROWDATA", at + 1)) {
        const std::size_t line = ini.find('\n', at);
        ini.insert(line, word);
        end += word.size();
    }
    return ini;
}

void BM_HudDrawArabic(benchmark::State& state) { effectFrames(state, arabicIni()); }
BENCHMARK(BM_HudDrawArabic)->Apply(frameRuns);

// As BM_HudDrawRowCacheChanging: two shaped rows' tokens change each frame.
void BM_HudDrawArabicChanging(benchmark::State& state) {
    Suite& s = suite();
    s.dir->writeIni(arabicIni());
    hostExecute(s, kReloadIniCommand);
    runFrames(state, changingFrame);
    s.dir->writeIni(fullLayoutIni());
    hostExecute(s, kReloadIniCommand);
    hudFrame(s);
}
BENCHMARK(BM_HudDrawArabicChanging)->Apply(frameRuns);

// Shaping alone: a row of 40 characters, Arabic with digits and a Latin word, ordered and shaped.
void BM_ShapeRow(benchmark::State& state) {
    RowShaper shaper;
    if (!shaper.open(nullptr, kFace, kPixelHeight)) {
        state.SkipWithError("no face");
        return;
    }
    const char* row =
        "\u0627\u0644\u062a\u062d\u062f\u064a\u062f: 1234 \u0648\u062c\u0647 Faces "
        "\u0633\u0644\u0627\u0645 \u0639\u0644\u064a\u0643\u0645 \u0644\u0627 56";
    const platform::CodePageCharacters none = {};
    for (auto _ : state) {
        benchmark::DoNotOptimize(shaper.shape(row, RowEncoding::kUtf8, none).count);
    }
}
BENCHMARK(BM_ShapeRow)->Unit(benchmark::kMicrosecond);

// A page of 28 rows of 20 letters each, all on screen, from `first` on, a different letter each
// (wrapping after `span`), with the row cache off or on. Han characters that Arial lacks come from
// another face; the Cyrillic page, which Arial has, is what they are weighed against.
std::string scriptPageIni(char32_t first, int span, int rowCache, const char* face = "Arial") {
    std::string ini = "[CONFIG]\nHUD_POS_X=10\nHUD_POS_Y=470\nHUD_STEP_Y=16\nROW_CACHE=" +
                      std::to_string(rowCache) + "\nFONT_FACE=" + face + "\n[SECTION1]\n";
    for (int row = 0, k = 0; row < 28; ++row) {
        std::string text;
        for (int i = 0; i < 20; ++i, ++k) appendUtf8(first + static_cast<char32_t>(k % span), text);
        ini += "ROWDATA" + std::to_string(row + 1) + "=" + text + "\n";
    }
    return ini;
}

void BM_HudDrawCjkPage(benchmark::State& state) {
    effectFrames(state, scriptPageIni(0x4E00, 560, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_HudDrawCjkPage)->Apply(frameRuns)->Arg(0)->Arg(1);

// The Han page in a face that has its letters: what the fallback itself costs a frame.
void BM_HudDrawCjkPageOwnFace(benchmark::State& state) {
    effectFrames(
        state, scriptPageIni(0x4E00, 560, static_cast<int>(state.range(0)), "WenQuanYi Micro Hei"));
}
BENCHMARK(BM_HudDrawCjkPageOwnFace)->Apply(frameRuns)->Arg(0)->Arg(1);

void BM_HudDrawCyrillicPage(benchmark::State& state) {
    effectFrames(state, scriptPageIni(0x400, 256, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_HudDrawCyrillicPage)->Apply(frameRuns)->Arg(0)->Arg(1);

void BM_Floor(benchmark::State& state) { runFrames(state, floorFrame); }
BENCHMARK(BM_Floor)->Apply(frameRuns);

template <auto peer>
void peerFrames(benchmark::State& state, const char* noFont) {
    if (!(suite().*peer)->ok()) {
        state.SkipWithError(noFont);
        return;
    }
    runFrames(state, peerFrame<peer>);
}

void BM_FtglBitmapFont(benchmark::State& state) {
    peerFrames<&Suite::ftgl>(state, "FTGL could not open the font");
}
BENCHMARK(BM_FtglBitmapFont)->Apply(frameRuns);

void BM_FreeTypeGlBitmap(benchmark::State& state) {
    peerFrames<&Suite::freetype>(state, "FreeType could not open the font");
}
BENCHMARK(BM_FreeTypeGlBitmap)->Apply(frameRuns);

void BM_FreeTypeGlBitmapUncached(benchmark::State& state) {
    peerFrames<&Suite::freetypeNaive>(state, "FreeType could not open the font");
}
BENCHMARK(BM_FreeTypeGlBitmapUncached)->Apply(frameRuns);

void BM_CpuSide(benchmark::State& state) { runFrames(state, cpuFrame<false>, false); }
BENCHMARK(BM_CpuSide)->Apply(frameRuns)->Unit(benchmark::kNanosecond);

void BM_CpuSideTopRight(benchmark::State& state) { runFrames(state, cpuFrame<true>, false); }
BENCHMARK(BM_CpuSideTopRight)->Apply(frameRuns)->Unit(benchmark::kNanosecond);

// AUTO_RELOAD=1: the frame's look at the clock, and the look at the file once a second.
void BM_HudDrawFollowingFile(benchmark::State& state) {
    effectFrames(state, fullLayoutIni() + "AUTO_RELOAD=1\n");
}
BENCHMARK(BM_HudDrawFollowingFile)->Apply(frameRuns);

void BM_FileLook(benchmark::State& state) {
    suite();
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::fileStamp(kIniPath));
        benchmark::DoNotOptimize(platform::canOpenForReading(kIniPath));
    }
}
BENCHMARK(BM_FileLook)->Unit(benchmark::kMicrosecond);

// A panel behind the page.
void BM_HudDrawPanel(benchmark::State& state) {
    effectFrames(state, fullLayoutIni() + "PANEL_ALPHA=128\n");
}
BENCHMARK(BM_HudDrawPanel)->Apply(frameRuns);

void BM_ReloadAndRebuild(benchmark::State& state) {
    Suite& s = suite();
    hostExecute(s, kSwitchCommand);
    runFrames(state, rebuildFrame, false);
    hostExecute(s, kSwitchCommand);
    if (test::inspect(*s.hud).store().getPageCount() != 5)
        state.SkipWithError("the full file did not load");
}
BENCHMARK(BM_ReloadAndRebuild)->Apply(frameRuns);

// Rebuilds, frame after frame, the full layout with `rows` rows of page 2 led by the texts
// rowText(row) gives; counts the characters the lists were made for.
template <typename RowText>
void rebuildWithRows(benchmark::State& state, int rows, RowText rowText) {
    Suite& s = suite();
    std::string ini = fullLayoutIni();
    for (int row = 0; row < rows; ++row) {
        const std::string key = "Page 2 row " + std::to_string(row + 1) + " ";
        ini.insert(ini.find(key), rowText(row));
    }
    s.dir->writeIni(ini);
    hostExecute(s, kSwitchCommand);
    runFrames(state, rebuildFrame, false);
    hostExecute(s, kSwitchCommand);
    state.counters["characters"] = test::inspect(*s.hud).characterLists().count();
    s.dir->writeIni(fullLayoutIni());
    rebuildFrame(s);
}

// The same with the 256 characters of the Cyrillic block on page 2, a list each: the difference
// from BM_ReloadAndRebuild is what making their lists costs.
void BM_ReloadAndRebuildCharacters(benchmark::State& state) {
    rebuildWithRows(state, 4, [](int row) {
        std::string text;
        for (int c = 0x400 + row * 64; c < 0x440 + row * 64; ++c) {
            text += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
        }
        return text;
    });
}
BENCHMARK(BM_ReloadAndRebuildCharacters)->Apply(frameRuns);

// The same with 500 different Han characters on page 2 (50 a row, within the bytes a row keeps),
// which the chosen face lacks: each list's glyph comes from a face that has it, found through the
// system's list of faces.
void BM_ReloadAndRebuildCjk(benchmark::State& state) {
    rebuildWithRows(state, 10, [](int row) {
        std::string text;
        for (int k = 0; k < 50; ++k) appendUtf8(0x4E00 + static_cast<char32_t>(row * 50 + k), text);
        return text;
    });
}
BENCHMARK(BM_ReloadAndRebuildCjk)->Apply(frameRuns);

}  // namespace
}  // namespace vantor::bench
