#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A list of recently opened files as the settings keep it: one value, a file a line.

// The files of `kept`, the last opened first.
std::vector<std::string> RecentFileList(std::string_view kept);

// `kept` with `path` first (and nowhere else), at most `most` files.
std::string WithRecentFile(std::string_view kept, const std::string& path, std::size_t most);
