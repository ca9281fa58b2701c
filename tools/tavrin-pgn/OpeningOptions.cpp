#include "tools/tavrin-pgn/OpeningOptions.h"

#include "common/GeneralException.h"
#include "openings/GameOpenings.h"
#include "openings/OpeningsExceptions.h"
#include "openings/OpeningsFolder.h"
#include "openings/SanLine.h"
#include "tools/tavrin-pgn/JsonWriter.h"

#include <string_view>

bool TakeOpeningOption(int argc, char** argv, int& i, COpeningOptions& options) {
    const std::string_view arg = argv[i];
    if (arg == "--openings") {
        options.openings = true;
        return true;
    }
    if ((arg == "--explore" || arg == "--explore-fen") && i + 1 < argc) {
        (arg == "--explore" ? options.exploreMoves : options.exploreFen) = argv[++i];
        return true;
    }
    return false;
}

void COpeningOutput::LoadNames(const COpeningOptions& options) {
    if (options.openings) {
        book = COpeningBook::Load(OpeningsFolder());
    }
}

COpeningOutput::COpeningOutput(const COpeningOptions& options) {
    // The last of --explore and --explore-fen given counts; both name one position.
    const auto explore = [&](const std::string& option, auto&& position) {
        try {
            scanner = std::make_unique<CPositionScanner>(position());
        } catch (const CGeneralException& e) {
            throw COpeningsException(option + ": " + e.GetMessage());
        }
    };
    if (options.exploreMoves) {
        explore("--explore", [&] {
            CKeyedPosition position;
            ReadSanLine(*options.exploreMoves, position);
            return position;
        });
    }
    if (options.exploreFen) {
        explore("--explore-fen", [&] { return CKeyedPosition::FromFen(*options.exploreFen); });
    }
}

void COpeningOutput::AppendOpening(std::string& extra, const CChessGameData& game) const {
    if (!book) {
        return;
    }
    std::vector<CMove> moves(static_cast<std::size_t>(game.MovesCount()));
    for (int i = 0; i < game.MovesCount(); ++i) {
        moves[static_cast<std::size_t>(i)] = game.GetMove(i);
    }
    COpeningMark mark;
    try {
        mark = ClassifyLine(*book, CKeyedPosition::Start(game.GetStart()), moves);
    } catch (const CGeneralException&) {
        // A start the reader took always plays; nothing is named otherwise.
    }
    extra += ",\"opening\":";
    if (mark.Named()) {
        const COpeningEntry& entry = book->Entry(mark.entry);
        extra += "{\"eco\":";
        AppendJsonString(extra, entry.eco);
        extra += ",\"name\":";
        AppendJsonString(extra, entry.name);
        extra += ",\"ply\":" + std::to_string(mark.ply) + "}";
    } else {
        extra += "null";
    }
}

void COpeningOutput::AddFile(const CGameListSnapshot& games) {
    if (scanner) {
        scanner->Add(games);
    }
}

std::string COpeningOutput::ExploreLine() const {
    const CExplorerCounts counts = scanner->Result();
    std::string line = "{\"games\":" + std::to_string(counts.games) + ",\"moves\":[";
    for (std::size_t i = 0; i < counts.moves.size(); ++i) {
        const CExplorerMove& move = counts.moves[i];
        line += i == 0 ? "{\"san\":" : ",{\"san\":";
        AppendJsonString(line, move.san);
        line += ",\"games\":" + std::to_string(move.games) +
                ",\"white\":" + std::to_string(move.white) +
                ",\"draw\":" + std::to_string(move.draw) +
                ",\"black\":" + std::to_string(move.black) + "}";
    }
    line += "]}\n";
    return line;
}
