#pragma once

#include "chess/ChessGameData.h"
#include "common/CodePages.h"

#include <string>
#include <string_view>

// The file name "Save picture..." proposes, UTF-8: the players and the move on show, as in
// "Morphy, Paul - Duke Karl, move 17.png" ("start" before the first move, "N.N." for a missing
// name); characters that file systems refuse become '_'. `movesShown` counts the game's
// executed half-moves; the move number follows the game's own numbering, which a set-up
// position may start late. Names that are not UTF-8 are read in `page`.
std::string DefaultPictureName(const CChessGameData& game, unsigned movesShown,
                               ELegacyCodePage page = ELegacyCodePage::kWindows1252);

// The file name "Export video..." proposes: the players as in the picture's name, then
// `extension` (".mp4" and so on).
std::string DefaultVideoName(const CChessGameData& game, std::string_view extension,
                             ELegacyCodePage page = ELegacyCodePage::kWindows1252);
