#include "notation/NotationDocument.h"

#include "chess/SanWriter.h"
#include "common/TextDecoding.h"
#include "notation/NotationLines.h"
#include "pgn/FenParser.h"

namespace {

constexpr std::size_t kHeaderCharacters = 200;

std::string Display(const std::string& bytes, ELegacyCodePage page) {
    return DecodeForDisplay(bytes, kHeaderCharacters, page);
}

// A tag worth showing: neither empty nor PGN's "unknown".
bool Known(const std::string& value) {
    return !value.empty() && value != "?" && value != "????.??.??";
}

CNotationBlock Paragraph(std::vector<CNotationRun> runs) {
    return {CNotationBlock::EKind::kParagraph, 0, {std::move(runs)}};
}

// The players, with their Elo when known; a study's chapter (both players unknown) by its event.
std::string Players(const CNotationGame& game) {
    if (game.white == "?" && game.black == "?" && !game.event.empty()) {
        return game.event;
    }
    const auto player = [](const std::string& name, const std::string& elo) {
        return elo.empty() ? name : name + " (" + elo + ")";
    };
    return player(game.white, game.annotations.whiteElo) + " \u2013 " +
           player(game.black, game.annotations.blackElo);
}

// The main line without annotations: White's and Black's moves side by side.
void AppendPlainMoves(CNotationText& text, const CNotationGame& game, bool figurines) {
    const auto move = [&](unsigned position, const std::string& san) {
        return CNotationRun{figurines ? WithFigurines(san) : san, ENotationStyle::kMove,
                            static_cast<int>(position)};
    };
    const bool blackStarts = game.blackStarts;
    for (std::size_t i = 0; i < game.san.size();) {
        const long long number =
            game.firstMoveNumber + static_cast<long long>((i + blackStarts) / 2);
        CNotationBlock row{CNotationBlock::EKind::kMoveRow, 0, {{}, {}, {}}};
        const bool blackFirst = i == 0 && blackStarts;
        row.cells[0].push_back(
            {std::to_string(number) + (blackFirst ? "..." : "."), ENotationStyle::kNumber});
        for (std::size_t cell = blackFirst ? 2 : 1; cell <= 2 && i < game.san.size(); ++cell) {
            row.cells[cell].push_back(move(static_cast<unsigned>(i + 1), game.san[i]));
            if (i < game.marks.size() && !game.marks[i].empty()) {
                row.cells[cell].push_back({game.marks[i], ENotationStyle::kMark});
            }
            ++i;
        }
        text.blocks.push_back(std::move(row));
    }
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

CNotationGame NotationOf(const CChessGameData& game, ELegacyCodePage page) {
    CNotationGame notation;
    const auto name = [page](const std::string& value) {
        return value.empty() ? "?" : Display(value, page);
    };
    const auto known = [page](const std::string& value) {
        return Known(value) ? Display(value, page) : "";
    };
    notation.white = name(game.GetWhite());
    notation.black = name(game.GetBlack());
    notation.event = known(game.GetEvent());
    notation.site = known(game.GetSite());
    notation.date = known(game.GetDate());
    notation.round = known(game.GetRound());
    notation.result = game.GetResult();
    const CFenPosition start = StartPosition(game.GetStart());
    notation.blackStarts = start.sideToMove == Black;
    notation.firstMoveNumber = start.fullMoveNumber;
    notation.san = WriteGameSan(start.board, game);
    return notation;
}

int NotationLink(unsigned moves, int variationMove) {
    return variationMove == CAnnotatedGame::kNone ? static_cast<int>(moves)
                                                  : kVariationLinkBase + variationMove;
}

CNotationText EmptyNotation() {
    return {{Paragraph({{"Open a PGN file (Ctrl+O) or drop one here", ENotationStyle::kNote}})}};
}

CNotationText BuildNotation(const CNotationGame& game, bool figurines, bool moreTags) {
    const CNotationAnnotations& annotations = game.annotations;
    CNotationText text;
    text.blocks.push_back(Paragraph({{Players(game), ENotationStyle::kPlayers}}));
    std::string where;
    for (const std::string* part : {&game.site, &game.date}) {
        if (!part->empty()) {
            where += (where.empty() ? "" : ", ") + *part;
        }
    }
    if (!game.round.empty()) {
        where += (where.empty() ? "round " : ", round ") + game.round;
    }
    std::string opening = game.opening.empty() ? annotations.opening : game.opening;
    if (!game.opening.empty() && !annotations.opening.empty() &&
        annotations.opening != game.opening) {
        opening += " (the file: " + annotations.opening + ")";
    }
    const bool titled = game.white == "?" && game.black == "?";
    for (const std::string* line :
         {titled ? &where : &game.event, static_cast<const std::string*>(titled ? nullptr : &where),
          static_cast<const std::string*>(&opening)}) {
        if (line != nullptr && !line->empty()) {
            text.blocks.push_back(Paragraph({{*line, ENotationStyle::kHeader}}));
        }
    }
    if (!annotations.otherTags.empty()) {
        text.blocks.push_back(Paragraph({{moreTags ? "More tags \u25BE" : "More tags \u25B8",
                                          ENotationStyle::kHeader, kMoreTagsLink}}));
        if (moreTags) {
            text.blocks.push_back(Paragraph({{annotations.otherTags, ENotationStyle::kHeader}}));
        }
    }
    text.blocks.push_back(Paragraph({{ResultSign(game.result), ENotationStyle::kHeader}}));
    if (!annotations.note.empty()) {
        text.blocks.push_back(Paragraph({{annotations.note, ENotationStyle::kNote}}));
    }
    if (annotations.tree) {
        const std::vector<std::string>& comments = annotations.tree->MainLine().comments;
        for (std::size_t k = 0; k < comments.size(); ++k) {
            text.blocks.push_back(
                Paragraph(CommentRuns(comments[k], annotations, {CAnnotatedGame::kNone, 0, k})));
        }
    }
    text.blocks.push_back(Paragraph({{"Start", ENotationStyle::kMove, 0}}));
    if (annotations.tree) {
        AppendAnnotatedMoves(text, game, figurines);
    } else {
        AppendPlainMoves(text, game, figurines);
    }
    text.blocks.push_back(Paragraph({{ResultSign(game.result), ENotationStyle::kResult}}));
    return text;
}
