#include "check/token_guesses.h"

#include <algorithm>

#include "check/known_names.h"
#include "tokens/token_table.h"

namespace hudhost::check {
namespace {

// Words users write for a token whose name only abbreviates them.
const struct {
    vantor::Token token;
    const char* word;
} kSpelledOut[] = {{vantor::kFpsToken, "FRAME"}, {vantor::kFpsToken, "RATE"}};

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }

bool isSeparator(char c) { return c == '_' || c == '-' || c == ' '; }

bool inWord(char c) {
    return isCapital(c) || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || isSeparator(c);
}

std::vector<std::string> splitWords(const std::string& name) {
    std::vector<std::string> parts(1);
    for (char c : name) {
        if (!isSeparator(c)) {
            parts.back() += c;
        } else if (!parts.back().empty()) {
            parts.emplace_back();
        }
    }
    if (parts.back().empty()) parts.pop_back();
    return parts;
}

// Each token's name without its asterisks, and the words it is made of or stands for.
struct TokenWords {
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> words;
};

const TokenWords& tokenWords() {
    static const TokenWords table = [] {
        TokenWords built;
        for (const std::string& key : tokenKeys()) {
            built.names.push_back(key.substr(1, key.size() - 2));
            built.words.push_back(splitWords(built.names.back()));
        }
        for (const auto& spelled : kSpelledOut) built.words[spelled.token].push_back(spelled.word);
        return built;
    }();
    return table;
}

// Whether a word names no other token than its own: SEL and CUR begin several, so sharing
// only them is no sign of which token was meant.
bool namesOneToken(const std::string& word) {
    int tokens = 0;
    for (const auto& words : tokenWords().words) {
        tokens += static_cast<int>(std::count(words.begin(), words.end(), word));
    }
    return tokens == 1;
}

// Whether a written word stands for a token's word: the same, one shortening the other (SEL,
// SELECTED), one stem (VERTEX, VERTICES), or a long word with a typo.
bool sameWord(const std::string& written, const std::string& word) {
    const std::size_t shorter = std::min(written.size(), word.size());
    std::size_t common = 0;
    while (common < shorter && written[common] == word[common]) ++common;
    if (common == shorter && shorter >= 3) return true;
    return common >= 4 || (shorter >= 5 && distance(written, word) <= 1);
}

}  // namespace

std::vector<StarWord> starWords(const std::string& text) {
    std::vector<StarWord> found;
    std::size_t closing = std::string::npos;  // the asterisk that closes the last word found
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '*') continue;
        std::size_t end = k + 1;
        while (end < text.size() && inWord(text[end])) ++end;
        const std::string word = text.substr(k + 1, end - k - 1);
        const bool closed = end < text.size() && text[end] == '*';
        const bool open = end == text.size() && k != closing;
        if (word.empty() || word.front() == ' ' || word.back() == ' ' || !(closed || open)) {
            continue;
        }
        found.push_back({k, word, open});
        if (closed) {
            closing = end;
            k = end - 1;
        }
    }
    return found;
}

bool looksLikeToken(const std::string& word) {
    const bool lower =
        std::any_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    return !lower && std::any_of(word.begin(), word.end(), isCapital);
}

std::string nearestToken(const std::string& word) {
    const std::string near = nearest(word, tokenWords().names);
    return near.empty() ? near : "*" + near + "*";
}

std::vector<std::string> guessTokens(const std::string& word) {
    const std::string near = nearestToken(word);
    if (!near.empty()) return {near};

    const std::vector<std::string> written = splitWords(word);
    const TokenWords& table = tokenWords();
    std::vector<std::string> best;
    int bestShared = 1;
    for (std::size_t t = 0; t < table.names.size(); ++t) {
        int shared = 0;
        bool named = false;
        for (const std::string& own : table.words[t]) {
            const bool hit = std::any_of(written.begin(), written.end(),
                                         [&](const std::string& w) { return sameWord(w, own); });
            shared += hit;
            named = named || (hit && namesOneToken(own));
        }
        if (!named || shared < bestShared) continue;
        if (shared > bestShared) best.clear();
        bestShared = shared;
        best.push_back(tokenKeys()[t]);
    }
    return best;
}

}  // namespace hudhost::check
