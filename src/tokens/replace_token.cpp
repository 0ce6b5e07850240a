#include <cstring>

#include "pages/page_store.h"

namespace vantor {
namespace {

// Length of `token` when it fits the match buffer, else 0.
std::size_t tokenLength(const char* token) {
    std::size_t length = 0;
    while (token[length] != '\0') {
        if (++length > static_cast<std::size_t>(kMatchSize)) return 0;
    }
    return length;
}

}  // namespace

int PageStore::replaceToken(char* destination, const char* source, const char* token,
                            const char* replacement, std::uint32_t limit) {
    if (destination == nullptr || source == nullptr || token == nullptr || replacement == nullptr) {
        return 0;
    }
    const std::size_t tokenLen = tokenLength(token);
    if (tokenLen == 0) return 0;
    const std::size_t replacementLen = std::strlen(replacement);

    // The result is built in `work_`, which keeps one byte for the terminator; only the bytes
    // written are touched, so a short line costs a short pass.
    std::size_t out = 0;
    auto append = [&](const char* text, std::size_t n) {
        const std::size_t room = kWorkSize - 1 - out;
        if (n > room) n = room;
        std::memcpy(work_ + out, text, n);
        out += n;
    };

    std::size_t m = 0;  // characters of the match in hand
    int count = 0;
    for (const char* p = source; *p != '\0'; ++p) {
        // Once m reaches the token's length, token[m] is its terminator and matches nothing.
        if (*p == token[m]) {
            match_[m++] = *p;
            continue;
        }
        if (m == tokenLen) {
            append(replacement, replacementLen);
            ++count;
        } else if (m > 0) {
            append(match_, m);
        }
        // The character that ends a match is copied as it is and never starts a new one.
        append(p, 1);
        m = 0;
    }
    if (m == tokenLen) {
        append(replacement, replacementLen);
        ++count;
    } else if (m > 0) {
        append(match_, m);
    }
    work_[out] = '\0';

    if (limit > 0) {
        // A result that does not fit is cut so that the destination always ends in a zero.
        const std::size_t kept = out < limit ? out : limit - 1;
        std::memcpy(destination, work_, kept);
        std::memset(destination + kept, 0, limit - kept);
    }
    return count;
}

}  // namespace vantor
