// Replacing every occurrence of one token in a line, in one pass that never looks back.
#pragma once

#include <cstdint>

#include "tokens/value_spans.h"

namespace vantor {

constexpr int kMatchSize = 32;   // the longest token replaceToken accepts
constexpr int kWorkSize = 4096;  // the longest result, with its terminator

// Writes `source` into `destination` with every occurrence of `token` found by a single
// left-to-right pass replaced by `replacement`, and returns the number replaced.
//
// The pass never looks back: the character that ends a match (complete or partial) is copied
// unchanged and never begins a new match, and a broken partial match is copied back as it
// stood. So of two occurrences written with nothing between them only the first is replaced.
// The replacement is never scanned by the call that inserts it.
//
// `destination` is written once, at the end, so it may be `source`. Exactly `limit` bytes of
// it are written: the result, then zeros. A result of `limit` bytes or more is cut to
// `limit` - 1 bytes and a zero, and a result never grows past kWorkSize - 1 bytes. A null text,
// an empty token or a token longer than kMatchSize characters gives 0 and leaves `destination`
// as it was. It allocates nothing and keeps nothing between calls.
int replaceToken(char* destination, const char* source, const char* token, const char* replacement,
                 std::uint32_t limit);

// As above, and `values`, the spans of `source`'s values, become those of the result: moved with
// their bytes, each replacement one more, cut with the result. A call that writes nothing leaves
// them as they were.
int replaceToken(char* destination, const char* source, const char* token, const char* replacement,
                 std::uint32_t limit, ValueSpans& values);

}  // namespace vantor
