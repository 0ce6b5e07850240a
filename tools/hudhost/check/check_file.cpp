// The file as a whole: whether the HUD can open it at all, and what its size and encoding let the
// HUD's reader see of it.
#include <filesystem>

#include "known_names.h"
#include "layout.h"
#include "letter_case.h"
#include "platform/platform.h"

namespace hudhost::check {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxPathChars = vantor::kTextSize - 1;

fs::path onDisk(std::string path) {
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return fs::path(path);
}

fs::path folderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// The names of the regular files in `folder`.
std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) names.push_back(it->path().filename().string());
    }
    return names;
}

void explainMissing(Layout& layout, const fs::path& file) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    const std::string noPage = ": the HUD shows no page and uses every default";
    const std::string caseSensitive =
        " differs only in letter case, and this system's file names are case-sensitive";
    const OtherCase cased = inOtherLetterCase(file.generic_string());
    if (fs::is_directory(status)) {
        layout.findings.fileError("this is a folder, not a file" + noPage +
                                  "; save the layout under this name instead");
    } else if (fs::exists(status) && !fs::is_regular_file(status)) {
        layout.findings.fileError("this is not a regular file (a fifo, socket or device)" + noPage);
    } else if (fs::exists(status)) {
        layout.findings.fileError("the file cannot be opened for reading" + noPage +
                                  "; check its permissions");
    } else if (!fs::is_directory(folderOf(file), ec)) {
        const std::string missing =
            "no such file: the folder " + folderOf(file).generic_string() + " does not exist";
        if (!cased.onDisk.empty()) {
            layout.findings.fileError(missing + ", " + cased.onDisk + caseSensitive + noPage +
                                      "; rename it to " + cased.written);
        } else {
            layout.findings.fileError(missing + noPage);
        }
    } else {
        const std::string name = file.filename().string();
        const std::vector<std::string> names = filesIn(folderOf(file));
        const std::string near = nearest(name, names);
        if (cased.lastName) {
            layout.findings.fileError(
                "no such file: " + fs::path(cased.onDisk).filename().string() + caseSensitive +
                noPage + "; rename it to " + name);
        } else if (!near.empty()) {
            layout.findings.fileError("no such file" + noPage + "; did you mean " + near +
                                      "? rename it to " + name);
        } else {
            layout.findings.fileError("no such file" + noPage);
        }
    }
}

// Whether the reader sees no section that the scan found keys in.
bool readerSeesNothing(const Layout& layout) {
    for (std::size_t s = 0; s < layout.text.sections.size(); ++s) {
        if (layout.sectionRead[s] && !layout.text.sections[s].entries.empty()) return false;
    }
    return true;
}

std::string firstSectionName(const Layout& layout) {
    return layout.text.sections.empty() ? std::string() : layout.text.sections.front().name;
}

}  // namespace

bool checkFile(Layout& layout) {
    if (layout.path.size() > static_cast<std::size_t>(kMaxPathChars)) {
        layout.findings.fileError("the path is longer than the 259 characters the HUD takes");
        return false;
    }
    const fs::path file = onDisk(layout.path);
    if (!vantor::platform::canOpenForReading(layout.path.c_str())) {
        explainMissing(layout, file);
        return false;
    }
    if (!scanLayout(file.string(), layout.text)) {
        layout.findings.fileError("the file cannot be read: the HUD shows no page");
        return false;
    }
    if (layout.text.fileBytes == 0) {
        layout.findings.fileError(
            "the file is empty: the HUD shows no page and uses every default");
        return false;
    }
    // Found, but under names in another letter case, which only some systems allow.
    const OtherCase cased = inOtherLetterCase(file.generic_string());
    if (!cased.onDisk.empty()) {
        const bool own = cased.lastName;
        layout.findings.add(
            Severity::Note, 0, 0,
            std::string(own ? "the file" : "the folder") + " is named " +
                (own ? fs::path(cased.onDisk).filename().string() : cased.onDisk) +
                ": this build finds it in any letter case, the Linux build does not; rename it "
                "to " +
                (own ? file.filename().string() : cased.written));
    }
    return true;
}

namespace {

// A form of file that the Linux reading loses whole: a warning where this build's reading found
// nothing in it, else a note that the other build would.
void reportLinuxOnlyLoss(Layout& layout, bool nothing, const std::string& form,
                         const std::string& lost, const std::string& readHere,
                         const std::string& fix) {
    if (nothing) {
        layout.findings.add(Severity::Warning, 1, 1, form + ": " + lost + "; " + fix);
        layout.lossExplained = true;
    } else {
        layout.findings.add(Severity::Note, 1, 1, form + ": " + readHere + "; " + fix);
    }
}

}  // namespace

bool checkEncoding(Layout& layout) {
    const LayoutText& text = layout.text;
    Findings& findings = layout.findings;
    const bool nothing = readerSeesNothing(layout);
    if (text.fileBytes > kScanLimit) {
        const std::string size = std::to_string(text.fileBytes >> 20) + " MiB";
        if (nothing) {
            findings.fileError("the file is " + size +
                               ", over the 16 MiB the HUD reads: it reads as absent, so the HUD "
                               "shows no page; remove what the layout does not need");
            return false;
        } else {
            findings.add(Severity::Note, 0, 0,
                         "the file is " + size +
                             ": this build reads it, the Linux build reads files over 16 MiB as "
                             "absent; only its first 16 MiB are checked");
        }
    }
    if (text.encoding == Encoding::Utf16) {
        findings.add(Severity::Note, 1, 1,
                     "the file is saved as UTF-16: the HUD reads it converted to the system code "
                     "page, each character the code page lacks becoming a like letter or '?'; save "
                     "it as UTF-8 for text outside the code page");
    } else if (text.encoding == Encoding::Utf16WithoutMark && nothing) {
        findings.add(Severity::Warning, 1, 1,
                     "the file is saved as UTF-16 without a byte-order mark: the HUD reads nothing "
                     "of it; save it as UTF-8, or as UTF-16 with a byte-order mark");
        layout.lossExplained = true;
    }
    if (text.crOnly && text.encoding != Encoding::Utf16WithoutMark) {
        reportLinuxOnlyLoss(layout, nothing, "the lines end in CR alone",
                            "the HUD reads the whole file as one line and finds nothing in it",
                            "this build reads them, the Linux build reads the file as one line "
                            "and finds nothing",
                            "save it with CRLF or LF line ends");
    }
    if (text.encoding == Encoding::Utf8Bom && !text.sections.empty()) {
        const std::string first = "[" + firstSectionName(layout) + "]";
        if (!layout.sectionRead.front()) {
            findings.add(Severity::Warning, 1, 1,
                         "the file starts with a UTF-8 byte-order mark, which the HUD reads as "
                         "part of the first line: section " +
                             first +
                             " is lost with all its keys; save the file as ANSI, without a "
                             "byte-order mark");
            layout.lossExplained = true;
        } else {
            findings.add(Severity::Note, 1, 1,
                         "the file starts with a UTF-8 byte-order mark: this build reads past "
                         "it, the Linux build loses section " +
                             first + "; save the file as ANSI, without a byte-order mark");
        }
    }
    return true;
}

}  // namespace hudhost::check
