#include "pgn/AnnotatedGame.h"

#include "pgn/PGNExceptions.h"

#include <algorithm>

CAnnotatedGame::CAnnotatedGame(EPieceColor firstColour, int firstMoveNumber)
    : firstColour(firstColour), firstMoveNumber(firstMoveNumber) {
}

const CAnnotationLine& CAnnotatedGame::Line(int index) const {
    if (index < 0 || index >= LinesCount()) {
        throw CPGNReaderException("CAnnotatedGame::Line(): Index out of range!");
    }
    return lines[static_cast<std::size_t>(index)];
}

const CAnnotatedMove& CAnnotatedGame::Move(int index) const {
    if (index < 0 || index >= MovesCount()) {
        throw CPGNReaderException("CAnnotatedGame::Move(): Index out of range!");
    }
    return moves[static_cast<std::size_t>(index)];
}

std::vector<CMove> CAnnotatedGame::MovesTo(int move) const {
    std::vector<CMove> path;
    path.reserve(static_cast<std::size_t>(Move(move).ply));
    // Collected backwards: the line up to the move, then each parent line up to (not including)
    // the move its child replaces.
    int last = Move(move).indexInLine;
    int line = Move(move).line;
    for (;;) {
        const CAnnotationLine& current = lines[static_cast<std::size_t>(line)];
        for (int i = last; i >= 0; --i) {
            path.push_back(
                moves[static_cast<std::size_t>(current.moves[static_cast<std::size_t>(i)])].move);
        }
        if (current.parent == kNone) {
            break;
        }
        const CAnnotatedMove& replaced = moves[static_cast<std::size_t>(current.parent)];
        last = replaced.indexInLine - 1;
        line = replaced.line;
    }
    std::reverse(path.begin(), path.end());
    return path;
}

int CAnnotatedGame::Next(int move) const {
    const CAnnotatedMove& m = Move(move);
    const std::vector<int>& line = lines[static_cast<std::size_t>(m.line)].moves;
    const auto next = static_cast<std::size_t>(m.indexInLine) + 1;
    return next < line.size() ? line[next] : kNone;
}

int CAnnotatedGame::Previous(int move) const {
    const CAnnotatedMove* m = &Move(move);
    for (;;) {
        const CAnnotationLine& line = lines[static_cast<std::size_t>(m->line)];
        if (m->indexInLine > 0) {
            return line.moves[static_cast<std::size_t>(m->indexInLine - 1)];
        }
        if (line.parent == kNone) {
            return kNone;
        }
        m = &moves[static_cast<std::size_t>(line.parent)];
    }
}

EPieceColor CAnnotatedGame::Colour(int move) const {
    return (Move(move).ply - 1 + firstColour) % 2 == 0 ? White : Black;
}

long long CAnnotatedGame::MoveNumber(int move) const {
    return firstMoveNumber + (Move(move).ply - 1LL + firstColour) / 2;
}

void CAnnotatedGame::AddTag(std::string name, std::string value) {
    tags.push_back({std::move(name), std::move(value)});
}

int CAnnotatedGame::AddLine(int parent) {
    CAnnotationLine line;
    line.parent = parent;
    const int index = LinesCount();
    if (parent != kNone) {
        CAnnotatedMove& replaced = moves[static_cast<std::size_t>(parent)];
        line.depth = lines[static_cast<std::size_t>(replaced.line)].depth + 1;
        replaced.variations.push_back(index);
    }
    lines.push_back(std::move(line));
    return index;
}

void CAnnotatedGame::RemoveLastLine() {
    const CAnnotationLine& line = lines.back();
    if (line.parent != kNone) {
        moves[static_cast<std::size_t>(line.parent)].variations.pop_back();
    }
    lines.pop_back();
}

int CAnnotatedGame::AddMove(int line, const CMove& move, std::string san) {
    CAnnotationLine& target = lines[static_cast<std::size_t>(line)];
    CAnnotatedMove added;
    added.move = move;
    added.san = std::move(san);
    added.line = line;
    added.indexInLine = static_cast<int>(target.moves.size());
    if (!target.moves.empty()) {
        added.ply = moves[static_cast<std::size_t>(target.moves.back())].ply + 1;
    } else if (target.parent != kNone) {
        added.ply = moves[static_cast<std::size_t>(target.parent)].ply;
    }
    const int index = MovesCount();
    target.moves.push_back(index);
    moves.push_back(std::move(added));
    return index;
}

namespace {

template <class Texts, class TextOf>
void AppendJoined(std::vector<std::pair<int, std::string>>& out, int ply, const Texts& texts,
                  TextOf textOf) {
    if (texts.empty()) {
        return;
    }
    std::string joined;
    for (const auto& item : texts) {
        if (!joined.empty()) {
            joined += ' ';
        }
        joined += textOf(item);
    }
    out.emplace_back(ply, std::move(joined));
}

} // namespace

std::vector<std::pair<int, std::string>> MainLineComments(const CAnnotatedGame& game) {
    std::vector<std::pair<int, std::string>> out;
    const CAnnotationLine& main = game.MainLine();
    AppendJoined(out, 0, main.comments,
                 [](const std::string& text) -> const std::string& { return text; });
    for (std::size_t k = 0; k < main.moves.size(); ++k) {
        AppendJoined(
            out, static_cast<int>(k) + 1, game.Move(main.moves[k]).comments,
            [](const CMoveComment& comment) -> const std::string& { return comment.text; });
    }
    return out;
}

std::array<std::string, 2> ClocksOnShow(const CAnnotatedGame& game, unsigned ply,
                                        int variationMove) {
    const std::vector<int>& moves = game.MainLine().moves;
    if (variationMove == CAnnotatedGame::kNone && ply > 0 && ply <= moves.size()) {
        variationMove = moves[ply - 1];
    }
    return ClocksAt(game, variationMove);
}

std::vector<std::array<std::string, 2>> MainLineClocks(const CAnnotatedGame& game) {
    std::vector<std::array<std::string, 2>> clocks{ClocksAt(game, CAnnotatedGame::kNone)};
    for (int move : game.MainLine().moves) {
        clocks.push_back(ClocksAt(game, move));
    }
    return clocks;
}

std::array<std::string, 2> ClocksAt(const CAnnotatedGame& game, int move) {
    std::array<std::string, 2> clocks;
    for (; move != CAnnotatedGame::kNone && (clocks[White].empty() || clocks[Black].empty());
         move = game.Previous(move)) {
        std::string& clock = clocks[game.Colour(move)];
        if (clock.empty()) {
            clock = game.Move(move).clock;
        }
    }
    return clocks;
}
