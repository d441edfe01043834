#pragma once

#include "core/app/Registry.h"

#include <memory>
#include <string>

namespace domora {

struct FileRegistryState;

// $XDG_CONFIG_HOME/domora/registry.reg (default ~/.config/domora/registry.reg).
std::string DefaultRegistryPath();

// Removes the temporary files that writes of the settings file killed half-way left
// (".registry.reg.tmp-XXXXXX"), when the file's lock is free at this moment: every writer
// holds it while its temporary file exists. When another program holds it, nothing is
// removed and nothing is waited for. Returns how many were removed.
int RemoveStaleSettingsTemporaries(const std::string& filePath);

// The settings store of the Linux build: one file in the text syntax of registry export
// files (RegistryHive), shared by the programs under an advisory lock.
//
// Opening a key takes a snapshot of the file under a shared lock; reads come from that
// snapshot. Writes and deletions are kept in the key and applied when it is closed or
// destroyed: under the exclusive lock the file is read again, the pending changes are
// applied onto it in order, and the result is written atomically, so values that another
// program wrote meanwhile survive. The lock is taken on "<file>.lock", a file that stays
// in place while the settings file itself is replaced by each write.
//
// The first write also removes the temporary files that writes killed half-way left.
//
// A file that does not parse is renamed to "<file>.damaged" (or ".damaged-2", ...), the
// store starts empty and takeDamageReport() says so once.
class FileRegistry final : public Registry {
public:
    explicit FileRegistry(std::string filePath);
    ~FileRegistry() override;

    std::unique_ptr<RegistryKey> openKey(RegHive hive, const std::string& path, bool create) override;

    // The Russian report of a damaged file that was replaced, once; then empty.
    std::string takeDamageReport();
    const std::string& filePath() const;

private:
    std::shared_ptr<FileRegistryState> state_;
};

} // namespace domora
