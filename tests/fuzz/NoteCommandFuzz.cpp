// libFuzzer target: what the note program reads. The input's bytes split at NUL bytes are its
// arguments (UTF-8, as the command line arrives); the whole input is also a note file, and
// its first line a path resolved without regard to letter case in a folder tree in memory.
//
// The command line either gives a command or says why not; its record numbers are 1 or
// above and their text reads back to them. A note file's text is UTF-8 without CR. A path
// resolves to one whose parts equal its own but for letter case, whatever order the folders
// list their entries in.

#include "CommandLine.h"
#include "FuzzCheck.h"
#include "core/base/Cp1251.h"
#include "core/base/Paths.h"
#include "core/base/Text.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace domora;
using fuzz::Require;

void CheckCommand(const QStringList& fields) {
    const ParsedCommand parsed = ParseNoteCommand(fields);
    Require(parsed.command.has_value() != !parsed.error.isEmpty(),
            "a command line gives a command or a reason");
    if (!parsed.command) {
        return;
    }
    const NoteCommand& command = *parsed.command;
    Require(!command.numbers.isEmpty(), "a command names a record");
    for (const int n : command.numbers) {
        Require(n >= 1, "record numbers start at 1");
    }
    Require(ParseNumbers(NumbersText(command.numbers)) == command.numbers, "the numbers' text reads back");
    if (fields.size() == 4) {
        Require(command.sound == (fields[1] == QLatin1String("not") ? QString() : fields[1]) &&
                    command.message == (fields[2] == QLatin1String("EMPTY") ? QString() : fields[2]),
                "four fields give the sound and the message as they are");
    }
}

void CheckNoteText(std::string_view bytes) {
    const std::string text = DecodeNoteText(bytes);
    std::u32string chars;
    Require(DecodeUtf8(text, chars), "a note's text is UTF-8");
    Require(text.find('\r') == std::string::npos, "a note's lines end in LF alone");
}

// A folder tree whose names differ in letter case only, as copied from Windows.
const std::set<std::string> kTree = {"/app",
                                     "/app/Data",
                                     "/app/data",
                                     "/app/Data/Budil.DMR",
                                     "/app/data/BUDIL.dmr",
                                     "/app/Data/Celeb.DMR",
                                     "/app/Sound",
                                     "/app/Sound/timer.WAV",
                                     "/app/Sound/Timer.wav",
                                     "/app/Записки",
                                     "/app/Записки/Письмо.txt"};

std::string InTree(const std::string& path) {
    return path.starts_with('/') ? path : "/app/" + path;
}

void CheckResolve(const std::string& path) {
    const auto exists = [](const std::string& p) { return kTree.count(InTree(p)) != 0; };
    const auto entries = [](bool reversed) {
        return [reversed](const std::string& folder) {
            std::string prefix = folder.empty() ? "/app" : InTree(folder);
            if (!prefix.ends_with('/')) {
                prefix += '/';
            }
            std::vector<std::string> names;
            for (const std::string& entry : kTree) {
                if (entry.size() > prefix.size() && entry.starts_with(prefix) &&
                    entry.find('/', prefix.size()) == std::string::npos) {
                    names.push_back(entry.substr(prefix.size()));
                }
            }
            if (reversed) {
                std::reverse(names.begin(), names.end());
            }
            return names;
        };
    };
    const std::string found = ResolvePathNoCase(path, FolderLookup{exists, entries(false)});
    Require(found == ResolvePathNoCase(path, FolderLookup{exists, entries(true)}),
            "the order of a folder's entries does not change the choice");
    if (exists(path)) {
        Require(found == path, "a path that exists as written stays");
    }
    Require(SameFolded(found, path) || found.size() != path.size() || path.find("//") != std::string::npos,
            "a resolved path differs from its own in letter case only");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    QStringList fields;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        QString field = QString::fromUtf8(bytes.data() + start, static_cast<qsizetype>(end - start));
        // Names without folders: a split path is looked up (read only) in the current folder.
        field.replace(QLatin1Char('/'), QLatin1Char('_'));
        fields.append(field);
        start = end + 1;
    }
    if (fields.size() <= 8) {
        CheckCommand(fields);
    }
    for (const QString& field : fields) {
        const auto numbers = ParseNumbers(field);
        if (numbers) {
            Require(ParseNumbers(NumbersText(*numbers)) == numbers, "a list of numbers reads back");
        }
    }
    CheckNoteText(bytes);
    const std::string firstLine(bytes.substr(0, std::min(bytes.find_first_of("\n\0", 0, 2), bytes.size())));
    CheckResolve(firstLine);
    return 0;
}
