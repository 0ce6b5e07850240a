// Words a row writes with asterisks round them, as a token is written, and the tokens a user most
// likely meant by one that is none: a few letters away, sharing the words a token's name is made
// of ("DATE" of CUR_DATE), or spelling out what a token's name abbreviates (a frame rate for FPS).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace hudhost::check {

struct StarWord {
    std::size_t start;  // of its opening asterisk in the row
    std::string word;   // after that asterisk, without the closing one
    bool open;          // no closing asterisk: the word runs to the end of the row
};

// The words of `text` made of letters, digits, '_', '-' and inner blanks between two asterisks,
// and the one after an asterisk left open at the end of the row. The asterisk that closes a word
// opens the next, but not one left open; a word that begins or ends with a blank is none, as the
// text between two tokens and a product such as "5 * 3" are none.
std::vector<StarWord> starWords(const std::string& text);

// Whether `word` is written as tokens are: capitals, digits, '_', '-' and blanks, a capital among
// them.
bool looksLikeToken(const std::string& word);

// The token, as a row writes it, that `word` in any letter case is by edits alone (see nearest),
// or empty.
std::string nearestToken(const std::string& word);

// The tokens, as a row writes them, that a user most likely meant by `word`: the nearest by
// edits, else those sharing the most of their words with it, equally close ones in the table's
// order. Empty when none is close.
std::vector<std::string> guessTokens(const std::string& word);

}  // namespace hudhost::check
