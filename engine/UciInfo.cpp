#include "engine/UciInfo.h"

#include "engine/EnginePosition.h"

#include <charconv>

namespace {

// Splits at runs of spaces and tabs.
class CWords {
public:
    explicit CWords(std::string_view text) : text(text) {}

    bool Next(std::string_view& word) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
            ++pos;
        }
        if (pos == text.size()) {
            return false;
        }
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] != ' ' && text[pos] != '\t') {
            ++pos;
        }
        word = text.substr(start, pos - start);
        return true;
    }

private:
    std::string_view text;
    std::size_t pos = 0;
};

template <class Number>
bool ReadNumber(CWords& words, Number& value) {
    std::string_view word;
    if (!words.Next(word)) {
        return false;
    }
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

} // namespace

EInfoLine ParseInfoLine(std::string_view text, const CPosition& position, CEngineLine& line) {
    CWords words(text);
    std::string_view word;
    if (!words.Next(word) || word != "info") {
        return EInfoLine::Other;
    }
    line = CEngineLine{};
    bool scored = false;
    while (words.Next(word)) {
        bool read = true;
        if (word == "depth") {
            read = ReadNumber(words, line.depth);
        } else if (word == "seldepth") {
            read = ReadNumber(words, line.selDepth);
        } else if (word == "multipv") {
            read = ReadNumber(words, line.multiPv) && line.multiPv >= 1;
        } else if (word == "nodes") {
            read = ReadNumber(words, line.nodes);
        } else if (word == "nps") {
            read = ReadNumber(words, line.nps);
        } else if (word == "time") {
            read = ReadNumber(words, line.timeMs);
        } else if (word == "score") {
            std::string_view kind;
            int value = 0;
            read = words.Next(kind) && (kind == "cp" || kind == "mate") && ReadNumber(words, value);
            line.score = CEngineScore::FromEngine(kind == "mate", value, position.sideToMove);
            scored = true;
        } else if (word == "lowerbound") {
            line.lowerBound = true;
        } else if (word == "upperbound") {
            line.upperBound = true;
        } else if (word == "string") {
            return EInfoLine::Other; // the rest of the line is free text
        } else if (word == "pv") {
            CPosition after = position;
            while (words.Next(word)) {
                CMove move;
                if (!ReadUciMove(after, word, move)) {
                    break;
                }
                line.pv.push_back(move);
                after.Play(move);
            }
            if (line.pv.empty()) {
                return EInfoLine::Garbled;
            }
        }
        if (!read) {
            return EInfoLine::Garbled;
        }
    }
    return scored ? EInfoLine::Line : EInfoLine::Other;
}

bool ParseBestMove(std::string_view text, const CPosition& position, CMove& move, bool& hasMove) {
    CWords words(text);
    std::string_view word;
    if (!words.Next(word) || word != "bestmove") {
        return false;
    }
    hasMove = words.Next(word) && ReadUciMove(position, word, move);
    return true;
}
