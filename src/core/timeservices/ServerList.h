#pragma once

#include "core/base/FileStore.h"

#include <optional>
#include <string>
#include <vector>

namespace domora {

// The time-server list file Data/IServers.DMR: code page 1251 text, one host name per
// line, lines ended by CR LF, in the order of the drop-down list.

// The names in file order, as UTF-8 (CR LF, LF and CR all end a line; the final line end
// gives no empty name). Nothing when the file cannot be read.
std::optional<std::vector<std::string>> LoadServers(FileStore& files, const std::string& path);

// Appends `name` as it is (a name already listed is added again) with CR LF after it. The
// lines already in the file are written back byte for byte with their own line ends (CR LF
// is added only after a last line that has none). False, with a Russian reason in `error`,
// when the list cannot be read (nothing is written then), when the name holds a line break
// or a character code page 1251 lacks, or when the file cannot be written.
bool AddServer(FileStore& files, const std::string& path, const std::string& name,
               std::string* error = nullptr);

} // namespace domora
