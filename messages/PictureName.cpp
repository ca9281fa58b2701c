#include "messages/PictureName.h"

#include "common/TextDecoding.h"
#include "pgn/FenParser.h"

#include <utility>

namespace {

std::string Player(const std::string& name, ELegacyCodePage page) {
    return name.empty() ? "N.N." : DecodeToUtf8(name, page); // the usual name of an unknown player
}

// The number of the last move made, in the game's numbering.
long long MoveNumber(const CChessGameData& game, unsigned movesShown) {
    const CFenPosition start = StartPosition(game.GetStart());
    const long long firstPly =
        2LL * (start.fullMoveNumber - 1) + (start.sideToMove == Black ? 1 : 0);
    return (firstPly + movesShown - 1) / 2 + 1;
}

// Characters that file systems refuse become '_'.
std::string FileSafe(std::string name) {
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
            c == '<' || c == '>' || c == '|') {
            c = '_';
        }
    }
    return name;
}

std::string Players(const CChessGameData& game, ELegacyCodePage page) {
    return Player(game.GetWhite(), page) + " - " + Player(game.GetBlack(), page);
}

} // namespace

std::string DefaultPictureName(const CChessGameData& game, unsigned movesShown,
                               ELegacyCodePage page) {
    std::string name = Players(game, page) + ", ";
    name += movesShown == 0 ? std::string("start")
                            : "move " + std::to_string(MoveNumber(game, movesShown));
    return FileSafe(std::move(name)) + ".png";
}

std::string DefaultVideoName(const CChessGameData& game, std::string_view extension,
                             ELegacyCodePage page) {
    return FileSafe(Players(game, page)) + std::string(extension);
}
