#include "messages/PictureName.h"

#include "common/TextDecoding.h"
#include "pgn/FenParser.h"

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

} // namespace

std::string DefaultPictureName(const CChessGameData& game, unsigned movesShown,
                               ELegacyCodePage page) {
    std::string name = Player(game.GetWhite(), page) + " - " + Player(game.GetBlack(), page) + ", ";
    name += movesShown == 0 ? std::string("start")
                            : "move " + std::to_string(MoveNumber(game, movesShown));
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
            c == '<' || c == '>' || c == '|') {
            c = '_';
        }
    }
    return name + ".png";
}
