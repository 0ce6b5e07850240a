// Where a row's token values lie once its tokens are replaced: the byte ranges of the values in
// the row as drawn, carried through each replacement pass, so that the HUD can draw them again in
// a colour of their own. Fixed arrays: the HUD finds them every frame.
#pragma once

#include <cstdint>

namespace vantor {

inline constexpr int kMaxValueSpans = 64;  // a row's values past these keep the row's colour

struct ValueSpan {
    std::int32_t begin;  // the value's first byte in the row
    std::int32_t end;    // one past its last
};

// A row's values in the row's order, none empty, none touching another: values written side by
// side, or a value within a value, are one.
struct ValueSpans {
    ValueSpan at[kMaxValueSpans];
    int count = 0;

    bool operator==(const ValueSpans& other) const;
};

// One replacement pass over a line (replaceToken): the spans the line had before it, moved to
// where the pass puts their bytes, and each value it inserts. A value that takes the place of a
// token written inside another value, or across its edge, joins it.
class SpanPass {
public:
    // `spans` holds the line's before the pass, and its result's after finish.
    explicit SpanPass(ValueSpans& spans);

    // Bytes [from, to) of the line, a token, became bytes [at, end) of the result, its value.
    // Called in the line's order.
    void replaced(int from, int to, int at, int end);

    // The pass is over; its result keeps `length` bytes.
    void finish(int length);

private:
    void copiedUpTo(int from);
    void add(int begin, int end);

    ValueSpans before_;
    ValueSpans& after_;
    int next_ = 0;       // the first span of before_ not yet carried
    bool open_ = false;  // that span's start is carried, its end not yet
    int openBegin_ = 0;  // where it starts in the result
    int shift_ = 0;      // result position less line position, since the last value
};

}  // namespace vantor
