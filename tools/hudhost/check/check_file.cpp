// The file as a whole: whether the HUD can open it at all, and what its size and encoding let the
// HUD's reader see of it.
#include <filesystem>

#include "check/known_names.h"
#include "check/layout.h"
#include "check/letter_case.h"
#include "platform/ini_parse.h"
#include "platform/platform.h"
#include "platform/slashes.h"
#include "platform/tools.h"

namespace hudhost::check {
namespace {

namespace fs = std::filesystem;

using vantor::platform::kMaxIniBytes;

fs::path onDisk(const std::string& path) { return vantor::platform::withSlashes(path); }

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

void explainMissing(Findings& findings, const fs::path& file) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    const std::string noPage = ": the HUD shows no page and uses every default";
    const std::string caseSensitive =
        " differs only in letter case, and this system's file names are case-sensitive";
    const OtherCase cased = inOtherLetterCase(file.generic_string());
    if (fs::is_directory(status)) {
        findings.fileError(
            FindingKind::FileIsAFolder,
            "this is a folder, not a file" + noPage + "; save the layout under this name instead");
    } else if (fs::exists(status) && !fs::is_regular_file(status)) {
        findings.fileError(FindingKind::NotARegularFile,
                           "this is not a regular file (a fifo, socket or device)" + noPage);
    } else if (fs::exists(status)) {
        findings.fileError(FindingKind::FileUnreadable, "the file cannot be opened for reading" +
                                                            noPage + "; check its permissions");
    } else if (!fs::is_directory(folderOf(file), ec)) {
        const std::string missing = "no such file: the folder " +
                                    vantor::platform::shownPath(folderOf(file).generic_string()) +
                                    " does not exist";
        if (!cased.onDisk.empty()) {
            findings.fileError(FindingKind::NameInOtherLetterCase,
                               missing + ", " + cased.onDisk + caseSensitive + noPage +
                                   "; rename it to " + cased.written);
        } else {
            findings.fileError(FindingKind::NoSuchFile, missing + noPage);
        }
    } else {
        const std::string name = file.filename().string();
        const std::vector<std::string> names = filesIn(folderOf(file));
        const std::string near = nearest(name, names);
        if (cased.lastName) {
            findings.fileError(FindingKind::NameInOtherLetterCase,
                               "no such file: " + fs::path(cased.onDisk).filename().string() +
                                   caseSensitive + noPage + "; rename it to " + name);
        } else if (!near.empty()) {
            findings.fileError(
                FindingKind::NoSuchFile,
                "no such file" + noPage + "; did you mean " + near + "? rename it to " + name);
        } else {
            findings.fileError(FindingKind::NoSuchFile, "no such file" + noPage);
        }
    }
}

// Whether the reader sees no section that holds keys.
bool readerSeesNothing(const LayoutText& text) {
    for (const Section& section : text.sections) {
        if (section.read && !section.entries.empty()) return false;
    }
    return true;
}

}  // namespace

std::optional<LayoutText> checkFile(const std::string& path, Findings& findings) {
    if (path.size() > static_cast<std::size_t>(vantor::kMaxTextChars)) {
        findings.fileError(FindingKind::PathTooLong, "the path is longer than the " +
                                                         std::to_string(vantor::kMaxTextChars) +
                                                         " characters the HUD takes");
        return std::nullopt;
    }
    const fs::path file = onDisk(path);
    if (!vantor::platform::canOpenForReading(path.c_str())) {
        explainMissing(findings, file);
        return std::nullopt;
    }
    std::optional<LayoutText> text = scanLayout(file.string());
    if (!text) {
        findings.fileError(FindingKind::FileUnreadable,
                           "the file cannot be read: the HUD shows no page");
        return std::nullopt;
    }
    if (text->fileBytes == 0) {
        findings.fileError(FindingKind::EmptyFile,
                           "the file is empty: the HUD shows no page and uses every default");
        return std::nullopt;
    }
    // Found, but under names in another letter case, which only some systems allow.
    const OtherCase cased = inOtherLetterCase(file.generic_string());
    if (!cased.onDisk.empty()) {
        const bool own = cased.lastName;
        findings.add(
            FindingKind::NameInOtherLetterCase, Severity::Note, 0, 0,
            std::string(own ? "the file" : "the folder") + " is named " +
                (own ? fs::path(cased.onDisk).filename().string()
                     : vantor::platform::shownPath(cased.onDisk)) +
                ": this build finds it in any letter case, the Linux build does not; rename it "
                "to " +
                (own ? file.filename().string() : vantor::platform::shownPath(cased.written)));
    }
    return text;
}

namespace {

// A form of file that the Linux reading loses whole: a warning where this build's reading found
// nothing in it, else a note that the other build would. True for the warning, which explains the
// loss.
bool reportLinuxOnlyLoss(Findings& findings, FindingKind kind, bool nothing,
                         const std::string& form, const std::string& lost,
                         const std::string& readHere, const std::string& fix) {
    if (nothing) {
        findings.add(kind, Severity::Warning, 1, 1, form + ": " + lost + "; " + fix);
    } else {
        findings.add(kind, Severity::Note, 1, 1, form + ": " + readHere + "; " + fix);
    }
    return nothing;
}

// Whether each character of the file's names and values is one of the code page's.
bool allInCodePage(const LayoutText& text) {
    vantor::platform::CodePageCharacters page;
    vantor::platform::readCodePage(page);
    auto inPage = [&](const std::string& written) {
        for (const char* at = written.c_str(); *at != '\0';) {
            const char32_t c = vantor::nextCharacter(at, vantor::RowEncoding::kUtf8, page);
            if (c >= 0x80 && inCodePage(c, page) != utf8Text(c)) return false;
        }
        return true;
    };
    for (const Section& section : text.sections) {
        if (!inPage(section.name)) return false;
        for (const Entry& entry : section.entries) {
            if (!inPage(entry.name) || !inPage(entry.value)) return false;
        }
    }
    return true;
}

}  // namespace

FileForm checkEncoding(const LayoutText& text, Findings& findings) {
    const bool nothing = readerSeesNothing(text);
    const std::string limit = std::to_string(kMaxIniBytes >> 20) + " MiB";
    FileForm form{true, false};
    if (text.fileBytes > kMaxIniBytes) {
        const std::string size = std::to_string(text.fileBytes >> 20) + " MiB";
        if (nothing) {
            findings.fileError(FindingKind::FileTooLarge,
                               "the file is " + size + ", over the " + limit +
                                   " the HUD reads: it reads as absent, so the HUD shows no page; "
                                   "remove what the layout does not need");
            return {false, false};
        }
        findings.add(FindingKind::FileTooLarge, Severity::Note, 0, 0,
                     "the file is " + size +
                         ": this build reads it, the Linux build reads files over " + limit +
                         " as absent; only its first " + limit + " are checked");
    }
    // A UTF-16 file's rows that lose characters in its conversion are told on each row
    // (checkCodePage).
    if (text.encoding == Encoding::Utf16WithoutMark && nothing) {
        findings.add(FindingKind::Utf16WithoutMark, Severity::Warning, 1, 1,
                     "the file is saved as UTF-16 without a byte-order mark: the HUD reads nothing "
                     "of it; save it as UTF-8, or as UTF-16 with a byte-order mark");
        form.lossExplained = true;
    }
    if (text.crOnly && text.encoding != Encoding::Utf16WithoutMark) {
        form.lossExplained |= reportLinuxOnlyLoss(
            findings, FindingKind::CrLineEnds, nothing, "the lines end in CR alone",
            "the HUD reads the whole file as one line and finds nothing in it",
            "this build reads them, the Linux build reads the file as one line and finds nothing",
            "save it with CRLF or LF line ends");
    }
    if (text.encoding == Encoding::Utf8Bom && !text.sections.empty()) {
        const std::string first = "[" + text.sections.front().name + "]";
        // Saving as ANSI keeps the text only when the code page has every character of it.
        const std::string save = "save the file as UTF-8 without a byte-order mark" +
                                 std::string(allInCodePage(text) ? ", or as ANSI" : "");
        if (!text.sections.front().read) {
            findings.add(FindingKind::Utf8ByteOrderMark, Severity::Warning, 1, 1,
                         "the file starts with a UTF-8 byte-order mark, which the HUD reads as "
                         "part of the first line: section " +
                             first + " is lost with all its keys; " + save);
            form.lossExplained = true;
        } else {
            findings.add(FindingKind::Utf8ByteOrderMark, Severity::Note, 1, 1,
                         "the file starts with a UTF-8 byte-order mark: this build reads past "
                         "it, the Linux build loses section " +
                             first + "; " + save);
        }
    }
    return form;
}

}  // namespace hudhost::check
