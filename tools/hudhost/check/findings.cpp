#include "check/findings.h"

#include <algorithm>
#include <cstdio>

namespace hudhost::check {
namespace {

// Control bytes of names quoted from the file, as \xHH: a finding stays one line of text.
std::string printable(const std::string& message) {
    std::string out;
    for (unsigned char c : message) {
        if (c >= 0x20 && c != 0x7F) {
            out += static_cast<char>(c);
            continue;
        }
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += hex;
    }
    return out;
}

std::string counted(int n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

const char* severityName(Severity severity) {
    switch (severity) {
        case Severity::Note:
            return "note";
        case Severity::Warning:
            return "warning";
        case Severity::Error:
            break;
    }
    return "error";
}

const char* nameOf(FindingKind kind) { return kKindNames[static_cast<std::size_t>(kind)]; }

std::optional<FindingKind> kindNamed(std::string_view name) {
    for (std::size_t k = 0; k < std::size(kKindNames); ++k) {
        if (name == kKindNames[k]) return static_cast<FindingKind>(k);
    }
    return std::nullopt;
}

std::vector<std::string> kindNames() { return {std::begin(kKindNames), std::end(kKindNames)}; }

Findings::Findings(const std::vector<FindingKind>& ignored) {
    for (FindingKind kind : ignored) ignored_.set(static_cast<std::size_t>(kind));
}

void Findings::add(FindingKind kind, Severity severity, int line, int column, std::string message) {
    if (ignored_.test(static_cast<std::size_t>(kind))) return;
    ++counts_[static_cast<int>(severity)];
    if (findings_.size() < kMaxListed) {
        findings_.push_back({kind, severity, line, column, std::move(message)});
    }
}

int Findings::count(Severity severity) const { return counts_[static_cast<int>(severity)]; }

std::vector<Finding> Findings::inFileOrder() const {
    std::vector<Finding> ordered = findings_;
    std::stable_sort(ordered.begin(), ordered.end(), [](const Finding& a, const Finding& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return ordered;
}

int Findings::unlisted() const {
    const int all = count(Severity::Note) + count(Severity::Warning) + count(Severity::Error);
    return all - static_cast<int>(findings_.size());
}

std::string listing(const std::vector<Finding>& listed, int unlisted, const std::string& path) {
    std::string out;
    for (const Finding& f : listed) {
        const std::string where =
            f.line > 0 ? ":" + std::to_string(f.line) + ":" + std::to_string(f.column) : "";
        out += path + where + ": " + severityName(f.severity) + ": " + printable(f.message) + " [" +
               nameOf(f.kind) + "]\n";
    }
    if (unlisted > 0)
        out += path + ": " + std::to_string(unlisted) + " more findings, not listed\n";
    return out;
}

int Findings::exitStatus() const {
    if (count(Severity::Error) > 0) return 2;
    return count(Severity::Warning) > 0 ? 1 : 0;
}

std::string countsText(int errors, int warnings, int notes) {
    return counted(errors, "error") + ", " + counted(warnings, "warning") + ", " +
           counted(notes, "note");
}

}  // namespace hudhost::check
