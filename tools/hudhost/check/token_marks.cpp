#include "check/token_marks.h"

#include <cstring>

#include "check/known_names.h"
#include "tokens/replace_token.h"
#include "tokens/token_table.h"

namespace hudhost::check {
namespace {

// A marker holds no asterisk, as no live value does, so a later pass treats it as it treats a
// value.
std::string markerOf(const std::string& token) {
    std::string marker = token;
    marker.front() = '\x01';
    marker.back() = '\x01';
    return marker;
}

}  // namespace

std::string markTokens(const char* text) {
    char line[vantor::kLineSize];
    std::strncpy(line, text, sizeof line - 1);
    line[sizeof line - 1] = '\0';
    for (const std::string& token : tokenKeys()) {
        vantor::replaceToken(line, line, token.c_str(), markerOf(token).c_str(), sizeof line);
    }
    return line;
}

int replacedAt(const std::string& marked, std::size_t k) {
    if (k >= marked.size() || marked[k] != '\x01') return -1;
    const std::vector<std::string>& tokens = tokenKeys();
    for (std::size_t j = 0; j < tokens.size(); ++j) {
        if (marked.compare(k, tokens[j].size(), markerOf(tokens[j])) == 0) {
            return static_cast<int>(j);
        }
    }
    return -1;
}

}  // namespace hudhost::check
