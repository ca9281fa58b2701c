#include "shell/NotationDocument.h"

#include "chess/SanWriter.h"
#include "common/TextDecoding.h"
#include "pgn/FenParser.h"

namespace {

constexpr std::size_t kHeaderCharacters = 200;

std::string Display(const std::string& bytes) {
    return DecodeForDisplay(bytes, kHeaderCharacters);
}

// A tag worth showing: neither empty nor PGN's "unknown".
bool Known(const std::string& value) {
    return !value.empty() && value != "?" && value != "????.??.??";
}

// Piece letters stand first in a piece's move and after '=' in a promotion.
std::string WithFigurines(const std::string& san) {
    std::string out;
    for (std::size_t i = 0; i < san.size(); ++i) {
        const bool pieceLetter = i == 0 || san[i - 1] == '=';
        const char* figurine = nullptr;
        switch (pieceLetter ? san[i] : ' ') {
        case 'K':
            figurine = "\u2654";
            break;
        case 'Q':
            figurine = "\u2655";
            break;
        case 'R':
            figurine = "\u2656";
            break;
        case 'B':
            figurine = "\u2657";
            break;
        case 'N':
            figurine = "\u2658";
            break;
        default:
            out += san[i];
            continue;
        }
        out += figurine;
    }
    return out;
}

CNotationBlock Paragraph(std::vector<CNotationRun> runs) {
    return {CNotationBlock::EKind::kParagraph, 0, {std::move(runs)}};
}

} // namespace

std::string ResultSign(int result) {
    switch (result) {
    case ResultWhiteWon:
        return "1-0";
    case ResultBlackWon:
        return "0-1";
    case ResultDraw:
        return "\u00BD-\u00BD";
    default:
        return "*";
    }
}

CNotationGame NotationOf(const CChessGameData& game) {
    CNotationGame notation;
    const auto name = [](const std::string& value) { return value.empty() ? "?" : Display(value); };
    notation.white = name(game.GetWhite());
    notation.black = name(game.GetBlack());
    notation.event = Known(game.GetEvent()) ? Display(game.GetEvent()) : "";
    notation.site = Known(game.GetSite()) ? Display(game.GetSite()) : "";
    notation.date = Known(game.GetDate()) ? Display(game.GetDate()) : "";
    notation.round = Known(game.GetRound()) ? Display(game.GetRound()) : "";
    notation.result = game.GetResult();
    const CFenPosition start = StartPosition(game.GetStart());
    notation.blackStarts = start.sideToMove == Black;
    notation.firstMoveNumber = start.fullMoveNumber;
    notation.san = WriteGameSan(start.board, game);
    return notation;
}

CNotationText BuildNotation(const CNotationGame& game, unsigned current, bool figurines) {
    CNotationText text;
    text.blocks.push_back(
        Paragraph({{game.white + " \u2013 " + game.black, ENotationStyle::kPlayers}}));
    if (!game.event.empty()) {
        text.blocks.push_back(Paragraph({{game.event, ENotationStyle::kHeader}}));
    }
    std::string place;
    for (const std::string* part : {&game.site, &game.date}) {
        if (!part->empty()) {
            place += (place.empty() ? "" : ", ") + *part;
        }
    }
    if (!game.round.empty()) {
        place += (place.empty() ? "round " : ", round ") + game.round;
    }
    if (!place.empty()) {
        text.blocks.push_back(Paragraph({{place, ENotationStyle::kHeader}}));
    }
    text.blocks.push_back(Paragraph({{ResultSign(game.result), ENotationStyle::kHeader}}));

    auto move = [&](unsigned position, const std::string& san) {
        return CNotationRun{figurines ? WithFigurines(san) : san,
                            position == current ? ENotationStyle::kCurrentMove
                                                : ENotationStyle::kMove,
                            static_cast<int>(position)};
    };
    text.blocks.push_back(Paragraph({move(0, "Start")}));
    const bool blackStarts = game.blackStarts;
    for (std::size_t i = 0; i < game.san.size();) {
        const long long number =
            game.firstMoveNumber + static_cast<long long>((i + blackStarts) / 2);
        CNotationBlock row{CNotationBlock::EKind::kMoveRow, 0, {{}, {}, {}}};
        const bool blackFirst = i == 0 && blackStarts;
        row.cells[0].push_back(
            {std::to_string(number) + (blackFirst ? "..." : "."), ENotationStyle::kNumber});
        if (!blackFirst) {
            row.cells[1].push_back(move(static_cast<unsigned>(i + 1), game.san[i]));
            ++i;
        }
        if (i < game.san.size()) {
            row.cells[2].push_back(move(static_cast<unsigned>(i + 1), game.san[i]));
            ++i;
        }
        text.blocks.push_back(std::move(row));
    }
    text.blocks.push_back(Paragraph({{ResultSign(game.result), ENotationStyle::kResult}}));
    return text;
}
