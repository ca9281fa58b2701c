// Times CAnnotationReader::Read on generated game texts of about 0.25, 1 and 4 MB in three
// shapes and prints the throughput of each: a steady figure across the sizes shows the time
// growing linearly with the text. Then it times what the notation panel makes of the tree read:
// the SAN of its moves and the panel's text.
//
//   annotated  a long main line, every move with a glyph and a comment holding [%clk] and
//              [%eval], every fourth with a nested variation
//   nested     variations nested one inside the other as deep as the text allows
//   commands   one comment full of "[%" that no ']' closes, then many [%clk] commands

#include "common/GeneralException.h"
#include "notation/NotationDocument.h"
#include "pgn/AnnotationReader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct CGameText {
    std::string text;
    std::vector<CMove> moves;
};

// Knights out and back: the position repeats every four moves, so the variations given from
// the initial position stay valid all along.
CGameText Annotated(std::size_t bytes) {
    static const CMove cycle[4] = {{6, 0, 5, 2}, {6, 7, 5, 5}, {5, 2, 6, 0}, {5, 5, 6, 7}};
    static const char* const san[4] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    CGameText game{"[Event \"Annotated\"]\n[Site \"Bench\"]\n\n{Preamble.}\n", {}};
    for (std::size_t ply = 0; game.text.size() < bytes; ++ply) {
        if (ply % 2 == 0) {
            game.text += std::to_string(ply / 2 + 1) + ". ";
        }
        game.text += std::string(san[ply % 4]) + " $1 {[%clk 1:00:00] [%eval 0.12] A note.} ";
        if (ply % 4 == 0) {
            game.text += "(1. e4 e5 (1... c5 2. Nf3) 2. Nc3) ";
        }
        game.text += ply % 16 == 15 ? "\n" : "";
        game.moves.push_back(cycle[ply % 4]);
    }
    game.text += "*\n";
    return game;
}

CGameText Nested(std::size_t bytes) {
    CGameText game{"[Event \"Nested\"]\n\n1. e4 ", {{4, 1, 4, 3}, {4, 6, 4, 4}}};
    const std::size_t depth = bytes / 8;
    for (std::size_t i = 0; i < depth; ++i) {
        game.text += "(1. d4 ";
    }
    game.text += std::string(depth, ')') + " 1... e5 *\n";
    return game;
}

CGameText Commands(std::size_t bytes) {
    CGameText game{"[Event \"Commands\"]\n\n1. e4 {", {{4, 1, 4, 3}}};
    while (game.text.size() < bytes / 2) {
        game.text += "[% ";
    }
    game.text += "} {";
    while (game.text.size() < bytes) {
        game.text += "[%clk 0:01:00] ";
    }
    game.text += "} *\n";
    return game;
}

// The median of three runs of `work`, in seconds.
template <typename Work>
double Median(Work work) {
    std::vector<double> seconds;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto stop = std::chrono::steady_clock::now();
        seconds.push_back(std::chrono::duration<double>(stop - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[1];
}

// Seconds to read the game, and to make the panel's text of what was read.
std::pair<double, double> TimeRead(const CGameText& game) {
    const double read = Median([&] {
        const CAnnotatedGame tree = CAnnotationReader::Read(game.text, "", game.moves);
        if (tree.MainLine().moves.size() != game.moves.size()) {
            std::fprintf(stderr, "main line not read whole\n");
        }
    });
    const CChessGameData data("", "", "", "", "", "", ResultNone, game.moves);
    const CAnnotatedGame tree = CAnnotationReader::Read(game.text, "", game.moves);
    const double panel = Median([&] {
        CNotationGame notation = NotationOf(data);
        notation.annotations = AnnotationsForNotation({{}, tree, ""}, data);
        if (BuildNotation(notation, false).blocks.empty()) {
            std::fprintf(stderr, "no panel text\n");
        }
    });
    return {read, panel};
}

} // namespace

int main() {
    const struct {
        const char* name;
        CGameText (*make)(std::size_t);
    } shapes[] = {{"annotated", Annotated}, {"nested", Nested}, {"commands", Commands}};
    std::printf("%-10s %10s %10s %10s %10s\n", "shape", "MB", "seconds", "MB/s", "panel s");
    for (const auto& shape : shapes) {
        for (const std::size_t bytes : {250'000u, 1'000'000u, 4'000'000u}) {
            const CGameText game = shape.make(bytes);
            try {
                const auto [seconds, panel] = TimeRead(game);
                const double megabytes = static_cast<double>(game.text.size()) / 1e6;
                std::printf("%-10s %10.2f %10.4f %10.1f %10.4f\n", shape.name, megabytes, seconds,
                            megabytes / seconds, panel);
            } catch (const CGeneralException& e) {
                std::printf("%-10s refused: %s\n", shape.name, e.GetMessage().c_str());
                return 1;
            }
        }
    }
    return 0;
}
