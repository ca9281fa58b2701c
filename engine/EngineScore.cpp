#include "engine/EngineScore.h"

#include <cmath>
#include <cstdlib>

CEngineScore CEngineScore::FromEngine(bool mate, int value, EPieceColor sideToMove) {
    CEngineScore score;
    if (!mate) {
        score.value = sideToMove == White ? value : -value;
        return score;
    }
    score.kind = EKind::Mate;
    score.value = std::abs(value);
    score.whiteMates = (value > 0) == (sideToMove == White);
    return score;
}

std::string CEngineScore::Text(bool forComment) const {
    if (kind == EKind::Mate) {
        return (whiteMates ? "#" : "#-") + std::to_string(value);
    }
    const int magnitude = std::abs(value);
    std::string text = value < 0 ? "-" : (value > 0 && !forComment ? "+" : "");
    text += std::to_string(magnitude / 100);
    text += '.';
    text += static_cast<char>('0' + magnitude % 100 / 10);
    text += static_cast<char>('0' + magnitude % 10);
    return text;
}

bool ParseEvalText(std::string_view text, CEngineScore& score) {
    const bool mate = !text.empty() && text.front() == '#';
    if (mate) {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long whole = 0;
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && digits < 9) {
        whole = whole * 10 + (text[digits] - '0');
        ++digits;
    }
    if (digits == 0) {
        return false;
    }
    text.remove_prefix(digits);
    if (mate) {
        if (!text.empty()) {
            return false;
        }
        score = {CEngineScore::EKind::Mate, static_cast<int>(whole), !negative};
        return true;
    }
    // Hundredths, rounded from as many decimals as are written.
    long long hundredths = whole * 100;
    if (!text.empty()) {
        if (text.front() != '.' || text.size() < 2) {
            return false;
        }
        double fraction = 0.0;
        double unit = 0.1;
        for (std::size_t i = 1; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return false;
            }
            fraction += (text[i] - '0') * unit;
            unit /= 10;
        }
        hundredths += std::llround(fraction * 100);
    }
    score = {CEngineScore::EKind::Centipawns, static_cast<int>(negative ? -hundredths : hundredths),
             false};
    return true;
}

double WinChance(const CEngineScore& score) {
    if (score.kind == CEngineScore::EKind::Mate) {
        return score.whiteMates ? 1.0 : -1.0;
    }
    return 2.0 / (1.0 + std::exp(-0.00368208 * score.value)) - 1.0;
}
