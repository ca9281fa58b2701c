#pragma once

#include <string>

// The folder of the opening data: "resources/openings" under the working folder (a run from
// the source tree), else "openings" beside the executable, else "share/tavrin/openings" beside
// the executable's folder (a build tree or an installation moved elsewhere), else the installed
// data folder. When none holds the data, the working-folder path is returned, so that the
// error of the caller names the path it tried.
std::string OpeningsFolder();
