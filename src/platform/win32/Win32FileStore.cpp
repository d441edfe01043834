#include "platform/win32/Win32FileStore.h"

#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <algorithm>

namespace domora {
namespace {

// RAII for a file handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) {
            CloseHandle(handle_);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        const bool closed = CloseHandle(handle_) != FALSE;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

void Fail(std::string* error, const std::string& path) {
    const DWORD code = GetLastError();
    if (error != nullptr) {
        *error = "Не удалось записать файл «" + path + "» (ошибка " + std::to_string(code) + ")";
    }
}

// A write of "Budil.DMR" goes through "Budil.DMR.tmp" and the writer's process number.
constexpr wchar_t kTemporaryMark[] = L".tmp";

// Whether `entry` is the name of a temporary file of a write of `name`.
bool IsTemporaryOf(const std::wstring& entry, const std::wstring& name) {
    const std::wstring prefix = name + kTemporaryMark;
    if (entry.size() <= prefix.size() ||
        CompareStringOrdinal(entry.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                             static_cast<int>(prefix.size()), TRUE) != CSTR_EQUAL) {
        return false;
    }
    return std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                       [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

} // namespace

std::optional<std::string> Win32FileStore::readAll(const std::string& path) {
    const auto name = Utf8ToWide(path);
    if (!name) {
        return std::nullopt;
    }
    FileHandle file(CreateFileW(name->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) {
            return bytes;
        }
        bytes.append(buffer, read);
    }
}

bool Win32FileStore::writeAtomic(const std::string& path, std::string_view bytes, std::string* error) {
    std::string reason;
    const auto target = Utf8ToWide(path, &reason);
    if (!target) {
        if (error != nullptr) {
            *error = "Не удалось записать файл: " + reason;
        }
        return false;
    }
    const std::wstring temporary = *target + kTemporaryMark + std::to_wstring(GetCurrentProcessId());
    {
        FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            Fail(error, path);
            return false;
        }
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1U << 20));
            DWORD written = 0;
            if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
                Fail(error, path);
                file.close();
                DeleteFileW(temporary.c_str());
                return false;
            }
            done += written;
        }
        if (!FlushFileBuffers(file.get()) || !file.close()) {
            Fail(error, path);
            DeleteFileW(temporary.c_str());
            return false;
        }
    }
    if (!MoveFileExW(temporary.c_str(), target->c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Fail(error, path);
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

bool Win32FileStore::exists(const std::string& path) {
    const auto name = Utf8ToWide(path);
    return name && GetFileAttributesW(name->c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileStore::makeFolder(const std::string& path, std::string* error) {
    std::string reason;
    const auto name = Utf8ToWide(path, &reason);
    if (!name) {
        if (error != nullptr) {
            *error = reason;
        }
        return false;
    }
    if (CreateDirectoryW(name->c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
        const DWORD attributes = GetFileAttributesW(name->c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return true;
        }
    }
    const DWORD code = GetLastError();
    if (error != nullptr) {
        *error = "Не удалось создать папку «" + path + "» (ошибка " + std::to_string(code) + ")";
    }
    return false;
}

int Win32FileStore::removeStaleTemporaries(const std::string& path) {
    const auto target = Utf8ToWide(path);
    if (!target || target->empty()) {
        return 0;
    }
    const std::size_t slash = target->find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target->substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? *target : target->substr(slash + 1);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((*target + kTemporaryMark + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    int removed = 0;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            IsTemporaryOf(found.cFileName, name) && DeleteFileW((folder + found.cFileName).c_str())) {
            ++removed;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return removed;
}

} // namespace domora
