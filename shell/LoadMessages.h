#pragma once

#include "pgn/LoadReport.h"

#include <string>
#include <string_view>

// The texts of the boxes that report a load, UTF-8.

// "PGN file not valid!" and, on a second line, why.
std::string LoadFailureText(std::string_view reason);

// How many of the file's games could not be read, then the first five of them, one per line,
// as "Game <ordinal in the file, from 1>: <message>", and how many more there were. Empty when
// no game was dropped.
std::string DroppedGamesText(const CLoadReport& report);
