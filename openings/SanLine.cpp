#include "openings/SanLine.h"

#include "chess/ChessSet.h"
#include "openings/OpeningsExceptions.h"
#include "pgn/PGNReader.h"

#include <string>

namespace {

// The move of a token, without a move number before it and a mate sign after it; empty for a
// token that is a move number alone ("12." or "12...").
std::string_view MovePart(std::string_view token) {
    std::size_t digits = 0;
    while (digits < token.size() && token[digits] >= '0' && token[digits] <= '9') {
        ++digits;
    }
    if (digits > 0 && digits < token.size() && token[digits] == '.') {
        token.remove_prefix(digits);
        while (!token.empty() && token.front() == '.') {
            token.remove_prefix(1);
        }
    }
    while (!token.empty() && token.back() == '#') {
        token.remove_suffix(1);
    }
    return token;
}

} // namespace

std::vector<CMove> ReadSanLine(std::string_view line, CKeyedPosition& position) {
    std::vector<CMove> moves;
    CChessSet set;
    while (!line.empty()) {
        const std::size_t end = line.find_first_of(" \t");
        const std::string_view token = line.substr(0, end);
        line.remove_prefix(end == std::string_view::npos ? line.size() : end + 1);
        const std::string_view san = MovePart(token);
        if (san.empty()) {
            continue;
        }
        set.SetUp(position.Board());
        const CMove move = CPGNReader::FindMove(san, position.SideToMove(), set);
        try {
            position.Play(move);
        } catch (const COpeningsException&) {
            throw COpeningsException("ReadSanLine(): Move '" + std::string(token) +
                                     "' not playable!");
        }
        moves.push_back(move);
    }
    return moves;
}
