#include "gfx3d/AssetPath.h"

#include <filesystem>
#include <system_error>

namespace {

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::string AssetPath(const std::string& fileName) {
    std::string local = "gfx/" + fileName;
    if (IsFile(local)) {
        return local;
    }
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path beside = executable.parent_path() / "gfx" / fileName;
        if (IsFile(beside)) {
            return beside.string();
        }
        // An installation moved to another prefix keeps bin/ and share/ side by side.
        const std::filesystem::path relocated =
            executable.parent_path().parent_path() / "share" / "tavrin" / "gfx" / fileName;
        if (IsFile(relocated)) {
            return relocated.string();
        }
    }
#ifdef TAVRIN_DATA_DIR
    const std::filesystem::path installed = std::filesystem::path(TAVRIN_DATA_DIR) / fileName;
    if (IsFile(installed)) {
        return installed.string();
    }
#endif
    return local;
}
