#include "platform/posix/FileRegistry.h"

#include "core/app/RegistryHive.h"
#include "core/app/RegistryNames.h"
#include "core/base/Paths.h"
#include "platform/posix/PosixFileStore.h"
#include "platform/posix/XdgPaths.h"

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace domora {

struct FileRegistryState {
    std::string path;
    std::string lockPath;
    std::string damageReport;
    PosixFileStore store;
    bool temporariesChecked = false; // leftovers of killed writes removed once
};

namespace {

// The lock is taken on a file of its own that stays in place while writes replace the
// settings file.
std::string LockPathOf(const std::string& filePath) {
    return filePath + ".lock";
}

// An advisory lock on the lock file, held while the object lives.
class FileLock {
public:
    FileLock(const std::string& lockPath, int operation) {
        fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) {
            error_ = errno;
            return;
        }
        while (::flock(fd_, operation) != 0) {
            if (errno != EINTR) {
                error_ = errno;
                ::close(fd_);
                fd_ = -1;
                return;
            }
        }
    }
    ~FileLock() {
        if (fd_ >= 0) {
            ::close(fd_); // closing the last descriptor drops the lock
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return fd_ >= 0; }
    int error() const { return error_; }

private:
    int fd_ = -1;
    int error_ = 0;
};

// "" or "\\": the hive itself, which holds keys but no values.
bool IsHiveRoot(const std::string& path) {
    return path.find_first_not_of('\\') == std::string::npos;
}

enum class LoadResult { Ok, Damaged, Unreadable };

// The file as it is now; a missing or empty file is an empty store. `text` gets the bytes
// read, so that an unchanged store need not be written back.
LoadResult LoadHive(FileRegistryState& state, RegistryHive& hive, std::string& text) {
    hive = RegistryHive{};
    text.clear();
    if (!state.store.exists(state.path)) {
        return LoadResult::Ok;
    }
    auto bytes = state.store.readAll(state.path);
    if (!bytes) {
        return LoadResult::Unreadable;
    }
    text = std::move(*bytes);
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        return LoadResult::Ok;
    }
    auto parsed = RegistryHive::parse(text);
    if (!parsed) {
        return LoadResult::Damaged;
    }
    hive = std::move(*parsed);
    return LoadResult::Ok;
}

// Sets a damaged file aside under a free name and notes the report. Runs under the
// exclusive lock. False when the file cannot be renamed: it is then left alone, and the
// store is not written over it.
bool SetAsideDamaged(FileRegistryState& state) {
    const std::string real = ResolvePathNoCase(state.path);
    std::string copy = real + ".damaged";
    struct stat st {};
    for (int n = 2; ::lstat(copy.c_str(), &st) == 0; ++n) {
        copy = real + ".damaged-" + std::to_string(n);
    }
    if (::rename(real.c_str(), copy.c_str()) != 0) {
        return false;
    }
    if (!state.damageReport.empty()) {
        state.damageReport += '\n';
    }
    state.damageReport += "Не удалось прочитать настройки программы: файл «" + real +
                          "» повреждён. Настройки возвращены к исходным, повреждённый файл сохранён как «" +
                          copy + "».";
    return true;
}

class FileRegistryKey final : public RegistryKey {
public:
    FileRegistryKey(std::shared_ptr<FileRegistryState> state, RegHive hive, std::string path,
                    RegistryHive snapshot, bool create)
        : state_(std::move(state)), hive_(hive), path_(std::move(path)), snapshot_(std::move(snapshot)),
          create_(create && !IsHiveRoot(path_)) {}

    ~FileRegistryKey() override {
        if (!closed_) {
            std::string ignored;
            flush(ignored); // a destructor cannot report; close() does
        }
    }

    std::uint32_t readInteger(const std::string& name) override { return find(name, RegType::Dword).dword; }
    std::string readString(const std::string& name) override { return find(name, RegType::String).text; }
    std::array<std::uint8_t, 8> readBinary8(const std::string& name) override {
        const RegValue value = find(name, RegType::Binary);
        if (value.binary.size() != 8) {
            throw RegistryError("Значение «" + name + "» в разделе «" + path_ + "» не из 8 байт");
        }
        std::array<std::uint8_t, 8> bytes{};
        std::copy(value.binary.begin(), value.binary.end(), bytes.begin());
        return bytes;
    }
    bool valueExists(const std::string& name) override {
        ensureOpen();
        return snapshot_.value(hive_, path_, name).has_value();
    }

    void writeInteger(const std::string& name, std::uint32_t value) override {
        RegValue v;
        v.name = name;
        v.type = RegType::Dword;
        v.dword = value;
        write(v);
    }
    void writeString(const std::string& name, const std::string& value) override {
        RegValue v;
        v.name = name;
        v.type = RegType::String;
        v.text = value;
        write(v);
    }
    void writeBinary8(const std::string& name, const std::array<std::uint8_t, 8>& value) override {
        RegValue v;
        v.name = name;
        v.type = RegType::Binary;
        v.binary.assign(value.begin(), value.end());
        write(v);
    }
    bool deleteValue(const std::string& name) override {
        ensureOpen();
        if (!snapshot_.deleteValue(hive_, path_, name)) {
            return false;
        }
        RegValue gone;
        gone.name = name;
        pending_.push_back({Change::Delete, gone});
        return true;
    }

    void close() override {
        if (closed_) {
            return;
        }
        closed_ = true;
        std::string error;
        if (!flush(error)) {
            throw RegistryError(error);
        }
    }

private:
    struct Change {
        enum Kind { Set, Delete } kind;
        RegValue value;
    };

    void ensureOpen() const {
        if (closed_) {
            throw RegistryError("Раздел «" + path_ + "» уже закрыт");
        }
    }

    RegValue find(const std::string& name, RegType type) const {
        ensureOpen();
        auto value = snapshot_.value(hive_, path_, name);
        if (!value) {
            throw RegistryError("Нет значения «" + name + "» в разделе «" + path_ + "»");
        }
        if (value->type != type) {
            throw RegistryError("Значение «" + name + "» в разделе «" + path_ + "» другого типа");
        }
        return *value;
    }

    void write(const RegValue& value) {
        ensureOpen();
        if (IsHiveRoot(path_)) {
            throw RegistryError("В корне куста значения не хранятся");
        }
        CheckRegNames(path_, value.name);
        snapshot_.setValue(hive_, path_, value);
        pending_.push_back({Change::Set, value});
    }

    // Applies the pending changes onto the file as it is now. False with a reason when the
    // file cannot be read or written; the changes are dropped then.
    bool flush(std::string& error) {
        if (pending_.empty() && !create_) {
            return true;
        }
        const auto pending = std::exchange(pending_, {});
        const bool create = std::exchange(create_, false);
        FileRegistryState& state = *state_;

        MakeFolders(FolderOf(state.path));
        FileLock lock(state.lockPath, LOCK_EX);
        if (!lock.held()) {
            error = "Не удалось записать файл «" + state.path + "»: " + SystemErrorText(lock.error());
            return false;
        }
        // Every write holds the exclusive lock, so no temporary file is in use now.
        if (!std::exchange(state.temporariesChecked, true)) {
            state.store.removeStaleTemporaries(state.path);
        }
        RegistryHive hive;
        std::string before;
        switch (LoadHive(state, hive, before)) {
        case LoadResult::Ok:
            break;
        case LoadResult::Unreadable:
            error = "Не удалось прочитать файл «" + state.path + "»";
            return false;
        case LoadResult::Damaged:
            if (!SetAsideDamaged(state)) {
                error = "Файл настроек «" + state.path + "» повреждён и не может быть заменён";
                return false;
            }
            hive = RegistryHive{};
            before.clear();
            break;
        }
        if (create) {
            hive.createKey(hive_, path_);
        }
        for (const auto& change : pending) {
            if (change.kind == Change::Set) {
                hive.setValue(hive_, path_, change.value);
            } else {
                hive.deleteValue(hive_, path_, change.value.name);
            }
        }
        const std::string after = hive.serialise();
        return after == before || state.store.writeAtomic(state.path, after, &error);
    }

    std::shared_ptr<FileRegistryState> state_;
    RegHive hive_;
    std::string path_;
    RegistryHive snapshot_;
    std::vector<Change> pending_;
    bool create_ = false;
    bool closed_ = false;
};

} // namespace

int RemoveStaleSettingsTemporaries(const std::string& filePath) {
    // The lock is the writers' own: a program writes its temporary file, renames it over
    // the settings file and removes it on failure all under the exclusive lock, so while we
    // hold that lock no temporary file is in use, and a killed writer's lock went with its
    // descriptors. An age rule could not tell a slow writer from a dead one. Not waiting:
    // the price editor may be saving right now, and the start of the program does not wait
    // for it; the leftovers go at the next start or with the first write (flush()).
    FileLock lock(LockPathOf(filePath), LOCK_EX | LOCK_NB); // fails too when the folder is missing
    if (!lock.held()) {
        return 0;
    }
    return PosixFileStore().removeStaleTemporaries(filePath);
}

std::string DefaultRegistryPath() {
    return XdgConfigHome() + "/domora/registry.reg";
}

FileRegistry::FileRegistry(std::string filePath) : state_(std::make_shared<FileRegistryState>()) {
    state_->path = std::move(filePath);
    state_->lockPath = LockPathOf(state_->path);
}

FileRegistry::~FileRegistry() = default;

const std::string& FileRegistry::filePath() const {
    return state_->path;
}

std::string FileRegistry::takeDamageReport() {
    return std::exchange(state_->damageReport, {});
}

std::unique_ptr<RegistryKey> FileRegistry::openKey(RegHive hive, const std::string& path, bool create) {
    FileRegistryState& state = *state_;
    if (!create && !state.store.exists(state.path)) {
        return nullptr;
    }
    if (create && !RegNameFault(path).empty()) {
        return nullptr; // the settings file could not hold the key
    }
    const std::string folder = FolderOf(state.path);
    if (!MakeFolders(folder) || (create && ::access(folder.c_str(), W_OK) != 0)) {
        return nullptr; // the key could not be stored
    }
    RegistryHive snapshot;
    std::string text;
    LoadResult result;
    {
        FileLock lock(state.lockPath, LOCK_SH);
        result = LoadHive(state, snapshot, text);
    }
    if (result == LoadResult::Damaged) {
        // Setting the file aside needs the exclusive lock; another program may have
        // done it, or written a valid file, in between.
        FileLock lock(state.lockPath, LOCK_EX);
        result = LoadHive(state, snapshot, text);
        if (result == LoadResult::Damaged && SetAsideDamaged(state)) {
            snapshot = RegistryHive{};
            result = LoadResult::Ok;
        }
    }
    if (result != LoadResult::Ok) {
        return nullptr;
    }
    if (!create && !snapshot.keyExists(hive, path)) {
        return nullptr;
    }
    return std::make_unique<FileRegistryKey>(state_, hive, path, std::move(snapshot), create);
}

} // namespace domora
