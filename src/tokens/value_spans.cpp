#include "tokens/value_spans.h"

#include <algorithm>
#include <climits>

namespace vantor {

bool ValueSpans::operator==(const ValueSpans& other) const {
    if (count != other.count) return false;
    for (int k = 0; k < count; ++k) {
        if (at[k].begin != other.at[k].begin || at[k].end != other.at[k].end) return false;
    }
    return true;
}

SpanPass::SpanPass(ValueSpans& spans) : after_(spans) {
    before_.count = spans.count;
    std::copy(spans.at, spans.at + spans.count, before_.at);
    after_.count = 0;
}

// Spans come in the result's order, so a new one can only reach back into the last.
void SpanPass::add(int begin, int end) {
    if (begin >= end) return;
    if (after_.count > 0 && begin <= after_.at[after_.count - 1].end) {
        ValueSpan& last = after_.at[after_.count - 1];
        last.begin = std::min(last.begin, begin);
        last.end = std::max(last.end, end);
        return;
    }
    if (after_.count < kMaxValueSpans) after_.at[after_.count++] = {begin, end};
}

// Edges of the spans before `from`, in bytes the pass copied as they were.
void SpanPass::copiedUpTo(int from) {
    for (; next_ < before_.count; ++next_) {
        const ValueSpan& span = before_.at[next_];
        if (!open_) {
            if (span.begin >= from) return;
            openBegin_ = span.begin + shift_;
            open_ = true;
        }
        if (span.end > from) return;
        add(openBegin_, span.end + shift_);
        open_ = false;
    }
}

void SpanPass::replaced(int from, int to, int at, int end) {
    copiedUpTo(from);
    if (!open_) add(at, end);
    // Edges within the token's bytes land on the value's.
    for (; next_ < before_.count; ++next_) {
        const ValueSpan& span = before_.at[next_];
        if (!open_) {
            if (span.begin >= to) break;
            openBegin_ = at;
            open_ = true;
        }
        if (span.end > to) break;
        add(openBegin_, end);
        open_ = false;
    }
    shift_ = end - to;
}

void SpanPass::finish(int length) {
    copiedUpTo(INT_MAX);
    while (after_.count > 0 && after_.at[after_.count - 1].begin >= length) --after_.count;
    if (after_.count > 0) {
        ValueSpan& last = after_.at[after_.count - 1];
        last.end = std::min(last.end, length);
    }
}

}  // namespace vantor
