// replaceToken against a plain model of the one-pass rules, on arbitrary source, token,
// replacement and limit, with separate buffers or one buffer for destination and source.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tokens/replace_token.h"

namespace {

struct Model {
    bool refused;
    std::string text;  // the whole result, before any capacity is applied
    int count;
};

// At each position, take as much of the token as matches there. A whole token is replaced, a
// part is kept; either way the character after it is copied and scanning goes on behind it.
Model model(const std::string& source, const std::string& token, const std::string& replacement) {
    if (token.empty() || token.size() > 32) return {true, "", 0};
    Model result{false, "", 0};
    std::size_t i = 0;
    while (i < source.size()) {
        std::size_t k = 0;
        while (k < token.size() && i + k < source.size() && source[i + k] == token[k]) ++k;
        if (k == token.size()) {
            result.text += replacement;
            ++result.count;
        } else {
            result.text += source.substr(i, k);
        }
        if (i + k < source.size()) result.text += source[i + k];
        i += k + 1;
    }
    return result;
}

void fail(const char* what) {
    std::fprintf(stderr, "replaceToken: %s\n", what);
    std::abort();
}

constexpr std::size_t kGuard = 64;
constexpr char kUntouched = '\xA5';

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto limit = input.ConsumeIntegralInRange<std::uint32_t>(0, 5000);
    const bool inPlace = input.ConsumeBool();
    // Texts end at their first zero byte, as the routine reads them.
    const std::string token = input.ConsumeRandomLengthString(48).c_str();
    const std::string replacement = input.ConsumeRandomLengthString(1200).c_str();
    const std::string source = input.ConsumeRemainingBytesAsString().c_str();

    // The destination: `limit` bytes (room for the source when it is also the source) and a
    // guard behind them.
    const std::size_t span = std::max<std::size_t>(limit, inPlace ? source.size() + 1 : 0);
    std::vector<char> buffer(span + kGuard, kUntouched);
    if (inPlace) std::memcpy(buffer.data(), source.c_str(), source.size() + 1);
    const std::vector<char> before = buffer;

    const int count = vantor::replaceToken(buffer.data(), inPlace ? buffer.data() : source.c_str(),
                                           token.c_str(), replacement.c_str(), limit);

    const Model expected = model(source, token, replacement);
    if (count != expected.count) fail("count differs from the model");
    if (std::memcmp(buffer.data() + limit, before.data() + limit, buffer.size() - limit) != 0) {
        fail("wrote past limit");
    }
    if (expected.refused || limit == 0) {
        if (buffer != before) fail("refused call or limit 0 wrote the destination");
        return 0;
    }
    // The work buffer holds 4095 bytes of result, and the destination keeps a terminator.
    std::size_t kept = std::min<std::size_t>(expected.text.size(), 4095);
    kept = std::min<std::size_t>(kept, limit - 1);
    if (std::memcmp(buffer.data(), expected.text.data(), kept) != 0) fail("result differs");
    for (std::size_t i = kept; i < limit; ++i) {
        if (buffer[i] != '\0') fail("not zero-filled up to limit");
    }
    return 0;
}
