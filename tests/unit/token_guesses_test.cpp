// The words a row writes between asterisks, and the tokens the checker takes them to mean.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/token_guesses.h"

namespace hudhost::check {
namespace {

TEST(TokenGuesses, StarWordsAndTheTokensTheyMean) {
    using Tokens = std::vector<std::string>;
    const struct {
        const char* text;
        std::vector<StarWord> words;
        Tokens guesses;  // for each word in turn
    } cases[] = {
        {"Faces: *SEL_FACE*", {{7, "SEL_FACE", false}}, {"*SEL_FACES*"}},  // a letter away
        {"*sel_face*", {{0, "sel_face", false}}, {"*SEL_FACES*"}},         // any letter case
        {"Time *CUR_TIME", {{5, "CUR_TIME", true}}, {"*CUR_TIME*"}},       // left open
        {"*DATE*", {{0, "DATE", false}}, {"*CUR_DATE*"}},                  // by a word of its name
        // Shortenings, stems and a typo in a long word.
        {"*SELECTED_FACES_PER_FRAME*", {{0, "SELECTED_FACES_PER_FRAME", false}}, {"*SEL_FACES*"}},
        {"*ACTIVE_CAM*", {{0, "ACTIVE_CAM", false}}, {"*CAMERA_NAME*"}},
        {"*SELECTED VERTEX*", {{0, "SELECTED VERTEX", false}}, {"*SEL_VERTICES*"}},
        {"*SELECTED-FACSE*", {{0, "SELECTED-FACSE", false}}, {"*SEL_FACES*"}},
        {"*FRAME_RATE*", {{0, "FRAME_RATE", false}}, {"*FPS*"}},  // what FPS abbreviates
        {"*DATE_TIME*", {{0, "DATE_TIME", false}}, {"*CUR_DATE*", "*CUR_TIME*"}},  // a tie
        {"*SEL_COUNT*", {{0, "SEL_COUNT", false}}, {}},  // SEL begins three: no sign
        {"*HELLO* world", {{0, "HELLO", false}}, {}},
        // The asterisk that closes a word opens the next, but not one left open.
        {"*A*B*", {{0, "A", false}, {2, "B", false}}, {}},
        {"*A*B", {{0, "A", false}}, {}},
        {"*FPS**ELAPSE*", {{0, "FPS", false}, {5, "ELAPSE", false}}, {"*FPS*", "*ELAPSED*"}},
        // Words that begin or end with a blank are none: the text between tokens, a product.
        {"*A* and *B*", {{0, "A", false}, {8, "B", false}}, {}},
        {"5 * 3 = 15", {}, {}},
        {"no asterisk", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<StarWord> words = starWords(c.text);
        ASSERT_EQ(words.size(), c.words.size());
        Tokens guesses;
        for (std::size_t i = 0; i < words.size(); ++i) {
            EXPECT_EQ(words[i].start, c.words[i].start) << i;
            EXPECT_EQ(words[i].word, c.words[i].word) << i;
            EXPECT_EQ(words[i].open, c.words[i].open) << i;
            for (const std::string& token : guessTokens(words[i].word)) guesses.push_back(token);
        }
        EXPECT_EQ(guesses, c.guesses);
    }
}

}  // namespace
}  // namespace hudhost::check
