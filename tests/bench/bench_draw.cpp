// One HUD frame of a full page against the floor: the same, already substituted lines sent
// through the same 96 glyph lists with the same overlay projection and nothing else.
//
//   build/linux/bin/bench_draw --benchmark_repetitions=10
//   --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true
// Both loops end in glFinish, so the time is the whole frame, llvmpipe's rasterising included.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "gl_context.h"
#include "hud/hud_plugin.h"
#include "ini_workdir.h"

namespace vantor {
namespace {

constexpr int kRows = 28;

// 28 rows of about 40 characters once substituted; every token appears, most rows have none.
std::string fullPageIni() {
    const char* tokenRows[] = {
        "Camera   *CAMERA_NAME*  view in use",  "Date     *CUR_DATE*   local calendar",
        "Time     *CUR_TIME*   local clock",    "Elapsed  *ELAPSED*   since reload",
        "Faces    *SEL_FACES*  selected now",   "Edges    *SEL_EDGES*  selected now",
        "Vertices *SEL_VERTICES*  selected now"};
    std::string ini = "[SECTION1]\n";
    for (int r = 0; r < kRows; ++r) {
        char row[64];
        if (r % 4 == 0) {
            std::snprintf(row, sizeof row, "%s", tokenRows[r / 4]);
        } else {
            std::snprintf(row, sizeof row, "Row %02d: plain text, the same each frame", r + 1);
        }
        ini += "ROWDATA" + std::to_string(r + 1) + "=" + row + "\n";
    }
    // Every row on screen: 470 - 27 * 16 = 38.
    return ini + "[CONFIG]\nHUD_POS_X=10\nHUD_POS_Y=470\nHUD_STEP_Y=16\n";
}

struct Setup {
    std::unique_ptr<hudhost::GlContext> gl;
    std::unique_ptr<test::IniWorkdir> dir;
    std::unique_ptr<HudPlugin> hud;
    std::unique_ptr<PageStore> store;  // a copy of the HUD's, for the page and the replacements
    char lines[kRows][kLineSize];
    int lengths[kRows];
};

// A context, the HUD shown and built, and the page's lines as the first frame substituted them.
Setup& setup() {
    static Setup* s = [] {
        auto* s = new Setup;
        std::string error;
        s->gl = hudhost::GlContext::create(640, 480, error);
        if (s->gl == nullptr) {
            std::fprintf(stderr, "bench_draw: %s\n", error.c_str());
            std::exit(1);
        }
        s->dir = std::make_unique<test::IniWorkdir>(fullPageIni());
        s->hud = std::make_unique<HudPlugin>();
        s->hud->execute(1);
        s->hud->draw(0);
        s->store = std::make_unique<PageStore>(s->hud->store());
        PageStore& store = *s->store;
        store.selectPage(0);
        for (int r = 0; r < kRows; ++r) {
            store.selectRow(r);
            std::memcpy(s->lines[r], store.getRowText(), std::strlen(store.getRowText()) + 1);
            for (const TextRow& token : s->hud->tokens().page.rows) {
                if (token.text[0] == '\0') break;
                store.replaceToken(s->lines[r], s->lines[r], token.text, token.value, kLineSize);
            }
            s->lengths[r] = static_cast<int>(std::strlen(s->lines[r]));
        }
        return s;
    }();
    return *s;
}

void BM_HudDraw(benchmark::State& state) {
    Setup& s = setup();
    for (auto _ : state) {
        s.hud->draw(0);
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_HudDraw)->Unit(benchmark::kMicrosecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_Floor(benchmark::State& state) {
    Setup& s = setup();
    const HudSettings& settings = s.hud->settings();
    for (auto _ : state) {
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glColor3f(settings.red, settings.green, settings.blue);
        glListBase(s.hud->fontListBase() - 32);
        for (int r = 0; r < kRows; ++r) {
            glRasterPos2f(settings.posX, settings.posY - static_cast<float>(r) * settings.stepY);
            glCallLists(s.lengths[r], GL_UNSIGNED_BYTE, s.lines[r]);
        }
        glListBase(0);
        glEnable(GL_DEPTH_TEST);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMicrosecond)->UseRealTime()->MeasureProcessCPUTime();

}  // namespace
}  // namespace vantor
