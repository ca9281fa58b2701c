#include "gametable/GameTableColumn.h"

#include "chess/ChessGameData.h"
#include "common/TextDecoding.h"
#include "pgn/PgnWriter.h"

#include <array>

namespace {

constexpr std::array<std::string_view, kGameColumns> kTitles = {
    "#", "White", "Black", "Result", "Date", "Event", "Site", "Round", "Moves", "File", "Opening"};

// A huge tag value is cut as in the game list's titles.
constexpr std::size_t kCellCharacters = 200;

std::string TagText(const CStoredGame& game, ETagField tag, ELegacyCodePage page) {
    return DecodeForDisplay(game.Tag(tag), kCellCharacters, page);
}

} // namespace

std::string_view GameColumnTitle(EGameColumn column) {
    return kTitles[static_cast<std::size_t>(column)];
}

std::string GameCellText(const CGameListSnapshot& games, std::size_t game, EGameColumn column) {
    std::size_t first = 0;
    const CGameBatch& batch = games.BatchOf(game, first);
    const CStoredGame& stored = batch.Game(game - first);
    const ELegacyCodePage page = batch.File()->codePage;
    switch (column) {
    case kColumnNumber:
        return std::to_string(game + 1);
    case kColumnWhite:
        return TagText(stored, kWhite, page);
    case kColumnBlack:
        return TagText(stored, kBlack, page);
    case kColumnResult:
        return std::string(ResultText(stored.result));
    case kColumnDate:
        return TagText(stored, kDate, page);
    case kColumnEvent:
        return TagText(stored, kEvent, page);
    case kColumnSite:
        return TagText(stored, kSite, page);
    case kColumnRound:
        return TagText(stored, kRound, page);
    case kColumnMoves:
        return std::to_string((stored.moveCount + 1) / 2);
    case kColumnFile:
        return DecodeToUtf8(batch.File()->Name());
    case kColumnOpening:
    case kGameColumns:
        break;
    }
    return {};
}
