#include "core/base/Paths.h"

#include "core/base/Text.h"

#include <algorithm>

namespace domora {

std::string FolderOf(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return ".";
    }
    return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

std::optional<std::string> PickNoCase(std::string_view name, const std::vector<std::string>& entries) {
    const std::string wanted = FoldCase(name);
    std::optional<std::string> best;
    for (const std::string& entry : entries) {
        if (entry == name) {
            return entry;
        }
        if (entry != "." && entry != ".." && FoldCase(entry) == wanted && (!best || entry < *best)) {
            best = entry;
        }
    }
    return best;
}

std::string ResolvePathNoCase(const std::string& path, const FolderLookup& lookup) {
    if (path.empty() || lookup.exists(path)) {
        return path;
    }
    std::vector<std::string> components;
    for (std::size_t start = 0; start <= path.size();) {
        const auto slash = std::min(path.find('/', start), path.size());
        if (slash > start) {
            components.push_back(path.substr(start, slash - start));
        }
        start = slash + 1;
    }
    std::string out = path.front() == '/' ? "/" : "";
    bool lost = false; // a component matched nothing: the rest cannot exist either
    for (const auto& component : components) {
        const std::string folder = out;
        if (!out.empty() && out.back() != '/') {
            out += '/';
        }
        if (lost || component == "." || component == ".." || lookup.exists(out + component)) {
            out += component;
            continue;
        }
        if (auto match = PickNoCase(component, lookup.entries(folder))) {
            out += *match;
        } else {
            out += component;
            lost = true;
        }
    }
    if (path.back() == '/' && out.back() != '/') {
        out += '/';
    }
    return out;
}

} // namespace domora
