#pragma once

#include "chess/ChessGameData.h"
#include "common/CodePages.h"
#include "pgn/GameAnnotations.h"

#include <string>
#include <string_view>
#include <vector>

// The JSON lines of tavrin-pgn. Narrow strings are decoded with DecodeToUtf8, in the code page
// chosen for their file, before they are written, so every line is valid UTF-8 whatever the
// encoding of the PGN file.

// Appends `utf8` as a JSON string literal. Quotes and backslashes are escaped as \" and \\;
// control characters (C0, DEL and C1) as \uXXXX, so that a line never breaks and stray
// controls from legacy files stay visible.
void AppendJsonString(std::string& out, std::string_view utf8);

// {"game":N,"event":…,"site":…,"date":…,"round":…,"white":…,"black":…,"result":R,
//  "start":…,"moves":[[sf,sr,df,dr],…],"san":[…],"tags":[…],"comments":[…]} followed by a line
// feed; "start", the FEN text of a set-up starting position, only for a game that has one;
// "san", the moves in standard algebraic notation, only when `san` is given; with
// `annotations`, "tags" ([["Event","…"],…], every tag pair in file order) and "comments"
// ([[ply,"text"],…], the main line's comments, ply 0 before the first move), and when the
// annotations could not be read, "annotationNote" saying why (the comments are then empty);
// then `extra`, more fields as they are (",\"fens\":[…]").
void AppendGameLine(std::string& out, int ordinal, const CChessGameData& game,
                    const std::vector<std::string>* san = nullptr,
                    const CGameAnnotations* annotations = nullptr, std::string_view extra = {},
                    ELegacyCodePage page = ELegacyCodePage::kWindows1252);

// {"dropped":N,"error":…} followed by a line feed.
void AppendDroppedLine(std::string& out, int ordinal, std::string_view message,
                       ELegacyCodePage page = ELegacyCodePage::kWindows1252);
