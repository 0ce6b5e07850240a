#include "check/known_names.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "check/layout_text.h"
#include "tokens/token_table.h"

namespace hudhost::check {

// Optimal string alignment: the edit distance with neighbour swaps.
std::size_t distance(const std::string& a, const std::string& b) {
    auto same = [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    };
    // The rows of the table for a's first i - 2, i - 1 and i letters.
    std::vector<std::size_t> twoBack(b.size() + 1), back(b.size() + 1), row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) back[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            row[j] = std::min(
                {back[j] + 1, row[j - 1] + 1, back[j - 1] + (same(a[i - 1], b[j - 1]) ? 0 : 1)});
            if (i > 1 && j > 1 && same(a[i - 1], b[j - 2]) && same(a[i - 2], b[j - 1])) {
                row[j] = std::min(row[j], twoBack[j - 2] + 1);
            }
        }
        std::swap(twoBack, back);
        std::swap(back, row);
    }
    return back[b.size()];
}

const vantor::ConfigKey* findConfigKey(const std::string& name) {
    const std::string wanted = upper(name);
    for (const vantor::ConfigKey& key : vantor::kConfigKeys) {
        if (wanted == key.name) return &key;
    }
    return nullptr;
}

const std::vector<std::string>& tokenKeys() {
    static const std::vector<std::string> keys(std::begin(vantor::kTokenKeys),
                                               std::end(vantor::kTokenKeys));
    return keys;
}

std::string nearest(const std::string& written, const std::vector<std::string>& candidates) {
    const std::string wanted = upper(written);
    std::string best;
    std::size_t bestDistance = 4;  // a few letters: a typo, a missing underscore or word end
    for (const std::string& candidate : candidates) {
        const std::string name = upper(candidate);
        if (name == wanted) return candidate;
        const bool prefix =
            wanted.size() >= 3 && (name.rfind(wanted, 0) == 0 || wanted.rfind(name, 0) == 0);
        const std::size_t d = prefix ? 1 : distance(wanted, name);
        if (d < bestDistance && d < name.size() / 2 + 1) {
            best = candidate;
            bestDistance = d;
        }
    }
    return best;
}

std::string didYouMean(const std::string& written, const std::vector<std::string>& candidates) {
    const std::string best = nearest(written, candidates);
    return best.empty() ? std::string() : " (did you mean " + best + "?)";
}

}  // namespace hudhost::check
