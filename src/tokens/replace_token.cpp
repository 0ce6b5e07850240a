#include "tokens/replace_token.h"

#include <cstring>
#include <optional>

namespace vantor {
namespace {

// Length of `token` when it fits the match buffer, else 0. memchr stops at the first zero, so
// no byte past a short token is read.
std::size_t tokenLength(const char* token) {
    const void* end = std::memchr(token, '\0', kMatchSize + 1);
    return end == nullptr ? 0 : static_cast<std::size_t>(static_cast<const char*>(end) - token);
}

int replaceNoting(char* destination, const char* source, const char* token, const char* replacement,
                  std::uint32_t limit, ValueSpans* values) {
    if (destination == nullptr || source == nullptr || token == nullptr || replacement == nullptr) {
        return 0;
    }
    const std::size_t tokenLen = tokenLength(token);
    if (tokenLen == 0) return 0;
    const std::size_t replacementLen = std::strlen(replacement);
    std::optional<SpanPass> pass;
    if (values != nullptr && limit > 0) pass.emplace(*values);

    // The result is built in `work`, which keeps one byte for the terminator. Between complete
    // matches the result is the source itself (a broken match and the character after a match are
    // copied unchanged), so it is copied in spans, and only the bytes of the result are written.
    char work[kWorkSize];
    std::size_t out = 0;
    auto append = [&](const char* text, std::size_t n) {
        const std::size_t room = kWorkSize - 1 - out;
        if (n > room) n = room;
        std::memcpy(work + out, text, n);
        out += n;
    };

    const char first = token[0];
    int count = 0;
    const char* span = source;  // start of the source not yet copied
    const char* p = source;
    while ((p = std::strchr(p, first)) != nullptr) {
        std::size_t m = 1;
        while (m < tokenLen && p[m] == token[m]) ++m;
        if (m == tokenLen) {
            append(span, static_cast<std::size_t>(p - span));
            const std::size_t at = out;
            append(replacement, replacementLen);
            if (pass) {
                pass->replaced(static_cast<int>(p - source), static_cast<int>(p + m - source),
                               static_cast<int>(at), static_cast<int>(out));
            }
            ++count;
            span = p + m;
        }
        p += m;
        if (*p == '\0') break;
        // The character that ends a match, complete or partial, is copied as it is and never
        // begins a new one.
        ++p;
    }
    append(span, std::strlen(span));
    work[out] = '\0';

    if (limit > 0) {
        // A result that does not fit is cut so that the destination always ends in a zero.
        const std::size_t kept = out < limit ? out : limit - 1;
        std::memcpy(destination, work, kept);
        std::memset(destination + kept, 0, limit - kept);
        if (pass) pass->finish(static_cast<int>(kept));
    }
    return count;
}

}  // namespace

int replaceToken(char* destination, const char* source, const char* token, const char* replacement,
                 std::uint32_t limit) {
    return replaceNoting(destination, source, token, replacement, limit, nullptr);
}

int replaceToken(char* destination, const char* source, const char* token, const char* replacement,
                 std::uint32_t limit, ValueSpans& values) {
    return replaceNoting(destination, source, token, replacement, limit, &values);
}

}  // namespace vantor
