// A row put through the HUD's own token passes, in its own order, with each replaced token left
// as a marker of the token's length: what stays a token was missed, and columns still match the
// row as written.
#pragma once

#include <cstddef>
#include <string>

namespace hudhost::check {

std::string markTokens(const char* text);

// The index, in the token table's order, of the token replaced at `k` of `marked`; -1 for none.
int replacedAt(const std::string& marked, std::size_t k);

}  // namespace hudhost::check
