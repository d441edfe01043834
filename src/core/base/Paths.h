#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace domora {

// The folder of a path with '/' separators: "." when it has none, "/" for a file in the
// root.
std::string FolderOf(std::string_view path);

// The entry a name stands for among a folder's entries, letter case aside: the entry spelt
// exactly like the name when there is one, otherwise the first of the matching entries in
// byte order (so the choice never depends on the order the system lists them in). "." and
// ".." are never chosen. Nothing when no entry matches.
std::optional<std::string> PickNoCase(std::string_view name, const std::vector<std::string>& entries);

// What a case-insensitive lookup asks of the file system.
struct FolderLookup {
    // Whether the entry exists exactly as written.
    std::function<bool(const std::string& path)> exists;
    // The names in a folder ("" for the current folder); empty when it cannot be listed.
    std::function<std::vector<std::string>(const std::string& folder)> entries;
};

// `path` ('/' separators) with each component that does not exist as written replaced by
// the entry PickNoCase picks from its folder, so a data folder copied from Windows
// ("BUDIL.DMR", "sound/timer/timer.WAV") is found. From the first component that matches
// nothing on, the rest stays as written.
std::string ResolvePathNoCase(const std::string& path, const FolderLookup& lookup);

} // namespace domora
