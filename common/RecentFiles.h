#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A list of recently opened files as the settings keep it: one value, a file a line.

// The files of `kept`, the last opened first.
std::vector<std::string> RecentFileList(std::string_view kept);

// The files of `kept` as a menu names them: UTF-8 (other bytes read as Windows-1252).
std::vector<std::string> RecentFileNames(std::string_view kept);

// `path` as the list keeps it: absolute and normal, or as given when that cannot be had.
std::string RecentFilePath(const std::string& path);

// `kept` with `path` first (and nowhere else), at most `most` files.
std::string WithRecentFile(std::string_view kept, const std::string& path, std::size_t most);
