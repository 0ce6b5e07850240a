// The real GetPrivateProfileStringA over the INI corpus, answer for answer against the baseline
// that the Linux reader is held to as well, and the places the grammar gives them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ini_baseline.h"

namespace vantor {
namespace {

// A path of the build machine as the Windows side sees it: wine maps its root to drive Z.
std::string windowsPath(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    if (!path.empty() && path[0] == '\\') path = "Z:" + path;
    return path;
}

TEST(IniCorpus, RealCallGivesTheBaselineAnswers) {
    const std::string dir = windowsPath(VANTOR_TEST_DATA "/ini");
    // Set to a file name to write the baseline anew from the real call (after adding a case).
    const char* rewrite = std::getenv("VANTOR_INI_BASELINE_OUT");
    std::string error;
    const auto queries = test::loadBaseline(dir + "\\expected.txt", error, rewrite == nullptr);
    ASSERT_FALSE(queries.empty()) << error;

    std::string answers = test::kBaselineHeader;
    for (const test::IniQuery& q : queries) {
        std::vector<char> buffer = test::guardedBuffer(q.size);
        const std::string path = dir + "\\" + q.file;
        const DWORD length =
            GetPrivateProfileStringA(q.section.c_str(), q.key.c_str(), q.fallback.c_str(),
                                     buffer.data(), q.size, path.c_str());
        answers += test::formatAnswer(q, length, buffer.data()) + "\n";
        if (rewrite == nullptr) {
            EXPECT_EQ(test::checkAnswer(q, length, buffer), "")
                << "expected.txt:" << q.line << " " << test::formatAnswer(q, length, buffer.data());
        }
    }
    if (rewrite != nullptr) {
        std::FILE* out = std::fopen(windowsPath(rewrite).c_str(), "wb");
        ASSERT_NE(out, nullptr) << rewrite;
        std::fwrite(answers.data(), 1, answers.size(), out);
        std::fclose(out);
    }
}

// The grammar the layout checker and the bench read with on this side too.
TEST(IniCorpus, TheGrammarPlacesWhatItReads) {
    for (const test::IniPlacement& place : test::kCorpusPlaces) {
        EXPECT_EQ(test::checkPlace(windowsPath(VANTOR_TEST_DATA "/ini"), place), "")
            << place.file << " "
            << (place.key       ? place.key
                : place.section ? place.section
                                : "");
    }
}

}  // namespace
}  // namespace vantor
