#include "check/json_report.h"

#include <nlohmann/json.hpp>

namespace hudhost::check {

std::string jsonReport(const CheckResult& result) {
    using json = nlohmann::ordered_json;
    json findings = json::array();
    for (const Finding& f : result.listed) {
        const bool placed = f.line > 0;
        findings.push_back({{"file", result.path},
                            {"line", placed ? json(f.line) : json(nullptr)},
                            {"column", placed ? json(f.column) : json(nullptr)},
                            {"severity", severityName(f.severity)},
                            {"name", nameOf(f.kind)},
                            {"message", f.message}});
    }
    std::string summary = result.summary;
    if (!summary.empty() && summary.back() == '\n') summary.pop_back();
    const json document = {{"file", result.path},         {"findings", findings},
                           {"unlisted", result.unlisted}, {"errors", result.errors},
                           {"warnings", result.warnings}, {"notes", result.notes},
                           {"summary", summary}};
    // A name quoted from the file may hold bytes that are no UTF-8: they stand as U+FFFD.
    return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

}  // namespace hudhost::check
