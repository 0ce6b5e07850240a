// Token replacement on one long line, the seven tokens applied to a full page of token rows, and
// the per-frame update of the values.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "fake_host.h"
#include "pages/page_store.h"
#include "tokens/replace_token.h"
#include "tokens/token_table.h"
#include "work_folder.h"

namespace vantor {
namespace {

// A 259-character line: the longest a row can hold.
std::string longLine(const std::string& filler, const std::string& token) {
    std::string line;
    while (line.size() < 259) line += filler + token;
    line.resize(259);
    return line;
}

void replaceOnLongLine(benchmark::State& state, const std::string& source) {
    char destination[kLineSize];
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            replaceToken(destination, source.c_str(), "*CUR_TIME*", "12:34:56", kLineSize));
        benchmark::ClobberMemory();
    }
}

void BM_ReplaceToken_LongLineWithTokens(benchmark::State& state) {
    replaceOnLongLine(state, longLine("time ", "*CUR_TIME* "));  // 16 occurrences
}
BENCHMARK(BM_ReplaceToken_LongLineWithTokens);

void BM_ReplaceToken_LongLineWithoutTokens(benchmark::State& state) {
    replaceOnLongLine(state, longLine("plain text, ", "*CUR_TIM "));  // near misses only
}
BENCHMARK(BM_ReplaceToken_LongLineWithoutTokens);

// A host in face mode with a named active camera.
struct Host : test::FakeHost {
    Host() {
        faces.count = 1234;
        scene.topCamera = 7;
        view.camera = 7;
    }
    TokenInputs inputs() const { return {&scene, &services, 1000, 3726000, 1709186703}; }
};

// 28 rows of about 40 characters, each with one or two tokens.
std::vector<std::string> tokenPage() {
    const char* lines[] = {"Camera: *CAMERA_NAME* on *CUR_DATE*", "Time *CUR_TIME*, up *ELAPSED*",
                           "Faces *SEL_FACES* / edges *SEL_EDGES*",
                           "Vertices selected: *SEL_VERTICES*"};
    std::vector<std::string> rows;
    for (int i = 0; i < kPageRows; ++i) rows.push_back(std::string(lines[i % 4]) + " (row)");
    return rows;
}

void BM_ApplyTokens_FullPage(benchmark::State& state) {
    const test::WorkFolder dir(test::iniWithPage(tokenPage()));
    static PageStore store;
    if (!test::loadFirstPage(store)) {
        state.SkipWithError("page file could not be loaded");
        return;
    }
    static TokenTable table;
    HostWord camera = 0;
    const Host host;
    updateTokenValues(table, camera, host.inputs());
    char line[kLineSize] = {};
    for (auto _ : state) {
        for (int i = 0; i < store.getRowCount(); ++i) {
            store.selectRow(i);
            const char* text = store.getRowText();
            std::memcpy(line, text, std::strlen(text) + 1);
            applyTokens(*store.getRow(), table, line);
            benchmark::DoNotOptimize(line);
        }
    }
}
BENCHMARK(BM_ApplyTokens_FullPage);

void BM_UpdateTokenValues(benchmark::State& state) {
    static TokenTable table;
    HostWord camera = 0;
    const Host host;
    for (auto _ : state) {
        updateTokenValues(table, camera, host.inputs());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_UpdateTokenValues);

}  // namespace
}  // namespace vantor
