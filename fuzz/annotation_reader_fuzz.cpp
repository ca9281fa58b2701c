#include "common/GeneralException.h"
#include "pgn/AnnotationReader.h"
#include "pgn/PGNReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

// The input is one game's text. Its moves and starting position are what CPGNReader makes of
// the same text (its first game), or none, so that both agreement and refusal are reached. The
// annotation reader must give a tree or refuse with a CGeneralException; a crash, a sanitizer
// report, another exception or a tree that breaks its own rules is a finding.
namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckTree(const CAnnotatedGame& game, const std::vector<CMove>& moves) {
    const CAnnotationLine& main = game.MainLine();
    Check(main.moves.size() == moves.size() && main.parent == CAnnotatedGame::kNone);
    for (std::size_t i = 0; i < moves.size(); ++i) {
        Check(game.Move(main.moves[i]).move == moves[i]);
    }
    for (int l = 0; l < game.LinesCount(); ++l) {
        const CAnnotationLine& line = game.Line(l);
        Check(l == 0 || !line.moves.empty() || !line.comments.empty());
        int expected = line.moves.empty() ? CAnnotatedGame::kNone : line.moves.front();
        for (const int move : line.moves) {
            Check(move == expected && game.Move(move).line == l && game.Depth(move) == line.depth);
            expected = game.Next(move);
        }
        Check(expected == CAnnotatedGame::kNone);
        if (!line.moves.empty()) {
            const int last = line.moves.back();
            const std::vector<CMove> path = game.MovesTo(last);
            Check(static_cast<int>(path.size()) == game.Move(last).ply &&
                  path.back() == game.Move(last).move);
            const int first = line.moves.front();
            Check(l == 0 || game.Previous(first) == game.Previous(line.parent));
        }
    }
    int ply = -1;
    for (const auto& [at, text] : MainLineComments(game)) {
        Check(at > ply && !text.empty() && text.front() != ' ' && text.back() != ' ');
        ply = at;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<CMove> moves;
    std::string fen;
    try {
        CPGNReader reader;
        reader.LoadText(text);
        if (reader.GamesCount() > 0) {
            const CChessGameData game = reader.GetGameData(0);
            fen = game.GetStart();
            for (int i = 0; i < game.MovesCount(); ++i) {
                moves.push_back(game.GetMove(i));
            }
        }
    } catch (const CGeneralException&) {
    }
    try {
        CheckTree(CAnnotationReader::Read(text, fen, moves), moves);
    } catch (const CGeneralException&) {
    }
    return 0;
}
