#include "core/app/RegistryHive.h"

#include "core/app/RegistryNames.h"

#include <algorithm>

namespace domora {

std::string RegistryHive::fullPath(RegHive hive, const std::string& path) {
    std::string out(RegHiveName(hive));
    const std::string_view rest = RegRelativePath(path);
    if (!rest.empty()) {
        out.push_back('\\');
        out.append(rest);
    }
    return out;
}

RegKeyData* RegistryHive::find(const std::string& fullPath) {
    const auto it = std::find_if(keys_.begin(), keys_.end(),
                                 [&](const RegKeyData& key) { return SameRegName(key.fullPath, fullPath); });
    return it == keys_.end() ? nullptr : &*it;
}

const RegKeyData* RegistryHive::find(const std::string& fullPath) const {
    const auto it = std::find_if(keys_.begin(), keys_.end(),
                                 [&](const RegKeyData& key) { return SameRegName(key.fullPath, fullPath); });
    return it == keys_.end() ? nullptr : &*it;
}

bool RegistryHive::keyExists(RegHive hive, const std::string& path) const {
    if (RegRelativePath(path).empty()) {
        return true;
    }
    const auto folded = FoldedRegName(fullPath(hive, path));
    for (const RegKeyData& key : keys_) {
        if (key.fullPath.size() < folded.size()) {
            continue;
        }
        const auto name = FoldedRegName(key.fullPath);
        if (name == folded || (name.size() > folded.size() && name.compare(0, folded.size(), folded) == 0 &&
                               name[folded.size()] == '\\')) {
            return true;
        }
    }
    return false;
}

void RegistryHive::createKey(RegHive hive, const std::string& path) {
    if (RegRelativePath(path).empty()) {
        return;
    }
    const std::string full = fullPath(hive, path);
    if (find(full) == nullptr) {
        keys_.push_back(RegKeyData{full, {}});
    }
}

std::optional<RegValue> RegistryHive::value(RegHive hive, const std::string& path,
                                            const std::string& name) const {
    const RegKeyData* key = find(fullPath(hive, path));
    if (key == nullptr) {
        return std::nullopt;
    }
    for (const RegValue& v : key->values) {
        if (SameRegName(v.name, name)) {
            return v;
        }
    }
    return std::nullopt;
}

void RegistryHive::setValue(RegHive hive, const std::string& path, const RegValue& value) {
    createKey(hive, path);
    RegKeyData* key = find(fullPath(hive, path));
    if (key == nullptr) {
        return; // the hive's root holds no values
    }
    for (RegValue& v : key->values) {
        if (SameRegName(v.name, value.name)) {
            const std::string name = v.name;
            v = value;
            v.name = name;
            return;
        }
    }
    key->values.push_back(value);
}

bool RegistryHive::deleteValue(RegHive hive, const std::string& path, const std::string& name) {
    RegKeyData* key = find(fullPath(hive, path));
    if (key == nullptr) {
        return false;
    }
    const auto it = std::find_if(key->values.begin(), key->values.end(),
                                 [&](const RegValue& v) { return SameRegName(v.name, name); });
    if (it == key->values.end()) {
        return false;
    }
    key->values.erase(it);
    return true;
}

} // namespace domora
