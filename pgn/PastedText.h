#pragma once

#include "pgn/TextParser.h"

#include <string_view>

// The name pasted games are listed under.
inline constexpr std::string_view kPastedGamesName = "Pasted games";

// Reads text from the clipboard as games: PGN text (one or more games), or a FEN text alone,
// which becomes a game without moves that starts from its position. The games' text is kept in
// memory, so that their annotations can be read again, under the name "Pasted games". Throws
// CPGNReaderException when the text holds neither: "CPGNReader::ParseData(): Cannot find any
// "Event" tag pair!" (or the FEN's own message for a text that looks like one).
CParsedText ReadPastedText(std::string_view text);
