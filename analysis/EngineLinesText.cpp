#include "analysis/EngineLinesText.h"

#include "chess/SanWriter.h"
#include "common/GeneralException.h"
#include "notation/NotationLines.h"

#include <string>

namespace {

// 1234567 as "1,234,567".
std::string Grouped(std::int64_t value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

} // namespace

CNotationText EngineLinesText(const CPosition& position, const std::vector<CEngineLine>& lines,
                              bool figurines) {
    CNotationText text;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const CEngineLine& line = lines[index];
        CNotationBlock block;
        block.cells.resize(1);
        std::vector<CNotationRun>& runs = block.cells.front();
        const char* bound = line.lowerBound ? "\u2265" : line.upperBound ? "\u2264" : "";
        runs.push_back({bound + line.score.Text(), ENotationStyle::kEval, -1});
        runs.push_back(
            {"  d" + std::to_string(line.depth) + " " + Grouped(line.nps / 1000) + " kN/s  ",
             ENotationStyle::kClock, -1});
        CPosition at = position;
        for (std::size_t move = 0; move < line.pv.size(); ++move) {
            if (at.sideToMove == White || move == 0) {
                const std::string number =
                    std::to_string(at.fullMoveNumber) + (at.sideToMove == White ? ". " : "... ");
                runs.push_back({number, ENotationStyle::kNumber, -1});
            }
            std::string san = WriteSan(at.board, line.pv[move]);
            if (san.empty()) {
                break;
            }
            runs.push_back({figurines ? WithFigurines(san) : san, ENotationStyle::kMove,
                            LineLink(static_cast<int>(index), static_cast<int>(move))});
            runs.push_back({" ", ENotationStyle::kPlain, -1});
            try {
                at.Play(line.pv[move]);
            } catch (const CGeneralException&) {
                break;
            }
        }
        text.blocks.push_back(std::move(block));
    }
    return text;
}
