// What the layout check found, and how it is told: one line per finding in the form compilers use,
// which editors and CI annotators already parse, then a one-line summary.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace hudhost::check {

enum class Severity { Note, Warning, Error };

struct Finding {
    Severity severity;
    int line;    // from 1; 0 for a finding about the whole file
    int column;  // from 1, in bytes of the line as written; 0 with line 0
    std::string message;
};

class Findings {
public:
    void add(Severity severity, int line, int column, std::string message);
    void fileError(std::string message) { add(Severity::Error, 0, 0, std::move(message)); }

    int count(Severity severity) const;

    // The findings in file order, a line each, "PATH:LINE:COLUMN: severity: message" (or "PATH:
    // severity: message" without a line). Only the first kMaxListed added are listed, and a line
    // tells how many more there are; all are counted.
    std::string listing(const std::string& path) const;

    // 0 with nothing above a note, 1 with warnings, 2 with errors.
    int exitStatus() const;

    static constexpr std::size_t kMaxListed = 500;  // a file of junk would give millions

private:
    std::vector<Finding> findings_;
    int counts_[3] = {0, 0, 0};  // by severity
};

// "2 errors, 1 warning, 0 notes".
std::string countsText(int errors, int warnings, int notes);

}  // namespace hudhost::check
