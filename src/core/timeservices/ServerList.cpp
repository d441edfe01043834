#include "core/timeservices/ServerList.h"

#include "core/base/Cp1251.h"

namespace domora {
namespace {

bool Fail(std::string* error, std::string reason) {
    if (error != nullptr) {
        *error = std::move(reason);
    }
    return false;
}

} // namespace

std::optional<std::vector<std::string>> LoadServers(FileStore& files, const std::string& path) {
    const auto bytes = files.readAll(path);
    if (!bytes) {
        return std::nullopt;
    }
    const std::string text = Cp1251ToUtf8(*bytes);
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            names.push_back(text.substr(start));
            break;
        }
        names.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return names;
}

bool AddServer(FileStore& files, const std::string& path, const std::string& name, std::string* error) {
    if (name.find_first_of("\r\n") != std::string::npos) {
        return Fail(error, "Имя сервера не может занимать несколько строк.");
    }
    std::string encodedName;
    char32_t bad = 0;
    if (!Utf8ToCp1251(name, encodedName, &bad)) {
        return Fail(error, "Символ «" + EncodeUtf8(bad) + "» нельзя сохранить в списке серверов.");
    }
    const auto old = files.readAll(path);
    if (!old) {
        return Fail(error, "Не удалось открыть файл «" + path + "».");
    }
    // The lines already listed stay as they are, byte for byte with their line ends; only a
    // last line without one gets CR LF, so that the new name starts a line of its own.
    std::string bytes = *old;
    if (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n') {
        bytes += "\r\n";
    }
    bytes += encodedName;
    bytes += "\r\n";
    std::string reason;
    if (!files.writeAtomic(path, bytes, &reason)) {
        return Fail(error, reason.empty() ? "Не удалось записать файл «" + path + "»." : reason);
    }
    return true;
}

} // namespace domora
