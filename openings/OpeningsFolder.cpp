#include "openings/OpeningsFolder.h"

#include "openings/OpeningBook.h"

#include <filesystem>
#include <system_error>

namespace {

// A folder holds the data when its first file is there.
bool HoldsData(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / COpeningBook::kFiles[0], error);
}

} // namespace

std::string OpeningsFolder() {
    const std::string local = "resources/openings";
    if (HoldsData(local)) {
        return local;
    }
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        for (const std::filesystem::path& folder :
             {executable.parent_path() / "openings",
              executable.parent_path().parent_path() / "share" / "tavrin" / "openings"}) {
            if (HoldsData(folder)) {
                return folder.string();
            }
        }
    }
#ifdef TAVRIN_OPENINGS_DIR
    if (HoldsData(TAVRIN_OPENINGS_DIR)) {
        return TAVRIN_OPENINGS_DIR;
    }
#endif
    return local;
}
