#include "common/RecentFiles.h"

#include "common/TextDecoding.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::vector<std::string> RecentFileList(std::string_view kept) {
    std::vector<std::string> files;
    for (std::size_t at = 0, end; (end = kept.find('\n', at)) != std::string_view::npos;
         at = end + 1) {
        if (end > at) {
            files.emplace_back(kept.substr(at, end - at));
        }
    }
    return files;
}

std::string WithRecentFile(std::string_view kept, const std::string& path, std::size_t most) {
    std::vector<std::string> files = RecentFileList(kept);
    std::erase(files, path);
    files.insert(files.begin(), path);
    files.resize(std::min(files.size(), most));
    std::string value;
    for (const std::string& file : files) {
        value += file + '\n';
    }
    return value;
}

std::vector<std::string> RecentFileNames(std::string_view kept) {
    std::vector<std::string> names = RecentFileList(kept);
    for (std::string& name : names) {
        name = DecodeToUtf8(name);
    }
    return names;
}

std::string RecentFilePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error).lexically_normal();
    return error ? path : full.string();
}
