#include "shell/NotationAnnotations.h"

#include "chess/SanWriter.h"
#include "common/GeneralException.h"
#include "common/TextDecoding.h"
#include "pgn/FenParser.h"

#include <array>
#include <string_view>

namespace {

constexpr std::size_t kTagCharacters = 200;

// The tags shown in the header by name, or not at all (the set-up ones).
constexpr std::array<std::string_view, 14> kPlacedTags = {
    "Event", "Site",  "Date", "Round",   "White",     "Black",    "Result",
    "FEN",   "SetUp", "ECO",  "Opening", "Variation", "WhiteElo", "BlackElo"};

bool Placed(std::string_view name) {
    for (std::string_view placed : kPlacedTags) {
        if (name == placed) {
            return true;
        }
    }
    return false;
}

bool Unknown(const std::string& value) {
    return value.empty() || value == "?" || value == "-";
}

void Join(std::string& text, const std::string& part, const char* separator) {
    if (!part.empty()) {
        text += (text.empty() ? "" : separator) + part;
    }
}

// The SAN of every move of the tree. A line is played from the position before the move it
// replaces, which stands on a line of a lower index: lines are added as the text reaches them.
std::vector<std::string> TreeSan(const CAnnotatedGame& tree, const CChessboardState& start) {
    std::vector<std::string> san(static_cast<std::size_t>(tree.MovesCount()));
    for (int line = 0; line < tree.LinesCount(); ++line) {
        const std::vector<int>& moves = tree.Line(line).moves;
        if (moves.empty()) {
            continue;
        }
        CChessSet set;
        set.SetUp(start);
        const int before = tree.Previous(moves.front());
        if (before != CAnnotatedGame::kNone) {
            for (const CMove& move : tree.MovesTo(before)) {
                set.Move(move);
                set.ClearMoveReady();
            }
        }
        for (int move : moves) {
            std::string& text = san[static_cast<std::size_t>(move)];
            text = PlaySan(set, tree.Move(move).move);
            if (text.empty()) {
                break; // the reader resolved every move on its board; this does not happen
            }
        }
    }
    return san;
}

} // namespace

CNotationAnnotations AnnotationsForNotation(CGameAnnotations read, const CChessGameData& game) {
    CNotationAnnotations notation;
    std::string eco, opening, variation;
    for (const CTagPair& tag : read.tags) {
        if (Unknown(tag.value)) {
            continue;
        }
        const std::string value = DecodeForDisplay(tag.value, kTagCharacters);
        const std::string& name = tag.name;
        if (name == "WhiteElo") {
            notation.whiteElo = value;
        } else if (name == "BlackElo") {
            notation.blackElo = value;
        } else if (name == "ECO") {
            eco = value;
        } else if (name == "Opening") {
            opening = value;
        } else if (name == "Variation") {
            variation = value;
        } else if (!Placed(name)) {
            Join(notation.otherTags, DecodeForDisplay(name, kTagCharacters) + ": " + value,
                 " \u00B7 ");
        }
    }
    Join(notation.opening, eco, " ");
    Join(notation.opening, opening, " ");
    Join(notation.opening, variation, ", ");
    notation.note = std::move(read.note);
    if (read.tree) {
        try {
            notation.san = TreeSan(*read.tree, StartPosition(game.GetStart()).board);
            notation.tree = std::move(read.tree);
        } catch (const CGeneralException&) {
            notation.san.clear(); // a tree the first reader's board cannot follow is not shown
        }
    }
    return notation;
}
