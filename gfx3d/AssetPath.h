#pragma once

#include <string>

// The path of an asset file (model or texture): "gfx/<fileName>" under the working folder if
// that file exists, else the file in the gfx folder beside the executable, else the file in the
// installed data folder. When none exists, the working-folder path is returned, so that the
// error of the caller names the path it tried.
std::string AssetPath(const std::string& fileName);
