#pragma once

#include "pgn/LoadReport.h"

#include <string>
#include <string_view>

// The texts of the boxes that report a load, UTF-8. File names are shown as given, decoded as
// UTF-8 or Windows-1252 like any other text, and every line is cut at 200 characters.

// "PGN file not valid!"; on a second line the file and, where known, what is wrong with it in
// plain words ("No such file or directory"); on a third line the reader's message.
std::string LoadFailureText(std::string_view path, std::string_view plainReason,
                            std::string_view message);

// What a load that read games left out, empty when nothing: where reading a compressed text
// stopped early and why; how many of the file's games could not be read, then the first five of
// them, one per line, as "Game <ordinal in the file, from 1>: <message>", and how many more
// there were; then the entries of an archive that were skipped, each with its reason (the first
// five, and how many more).
std::string DroppedGamesText(std::string_view path, const CLoadReport& report);
