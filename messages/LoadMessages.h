#pragma once

#include "messages/PlainMessage.h"
#include "pgn/LoadReport.h"

#include <string>
#include <string_view>

// The messages of a load, UTF-8. File names are shown as given, decoded as UTF-8 or
// Windows-1252 like any other text, and every line is cut at 200 characters. Each keeps the
// reader's own messages under its details.

// "PGN file not valid!"; on a second line the file and what is wrong with it in plain words:
// `plainReason` where the system named it ("No such file or directory"), else the reader's
// `message` in plain words ("README.md is not a PGN file: no game found in it"). The details
// hold `message`.
CPlainMessage LoadFailureText(std::string_view path, std::string_view plainReason,
                              std::string_view message);

// What a load that read games left out, empty when nothing: where reading a compressed text
// stopped early and why; how many of the file's games could not be read, then the first five of
// them, one per line, as "Game 6, Smith – Jones (line 120): skipped, <plain reason>", and how
// many more there were; then the entries of an archive that were skipped, each with its reason
// (the first five, and how many more). The details list every dropped game's message.
CPlainMessage DroppedGamesText(std::string_view path, const CLoadReport& report);

// The status line after a load of `path` that added `added` games: "64 games added from
// lessons.pgn, 2 dropped" (the file's name without its folder).
std::string LoadStatusText(std::string_view path, std::size_t added, const CLoadReport& report);

// Why pasted `text` was not read: the clipboard held no text, or in plain words what the
// reader's `technical` message says; the details hold that message.
CPlainMessage PasteFailureText(std::string_view text, std::string_view technical);
