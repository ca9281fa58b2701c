#include "chess/ChessExceptions.h"
#include "pgn/FenParser.h"
#include "pgn/GameSplitter.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"
#include "pgn/PreProcessor.h"

#include <cstdint>
#include <utility>

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool EqualsLowerCase(std::string_view name, std::string_view lower) {
    if (name.size() != lower.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] + 32) : name[i];
        if (c != lower[i]) {
            return false;
        }
    }
    return true;
}

// Result codes of a Result value or termination marker; -1 for anything else.
int ResultCode(std::string_view text) {
    if (text.empty() || (text[0] != '1' && text[0] != '0' && text[0] != '*')) {
        return -1;
    }
    if (text == "1-0") {
        return ResultWhiteWon;
    }
    if (text == "0-1") {
        return ResultBlackWon;
    }
    if (text == "1/2-1/2") {
        return ResultDraw;
    }
    if (text == "*") {
        return ResultNone;
    }
    return -1;
}

// Variant values that name standard chess, compared in lower case; an empty value too.
bool IsStandardVariant(std::string_view variant) {
    for (const std::string_view standard :
         {"", "standard", "chess", "regular", "normal", "from position"}) {
        if (EqualsLowerCase(variant, standard)) {
            return true;
        }
    }
    return false;
}

// The decimal conversion of the C runtime: leading white space and a sign allowed, stops at
// the first non-digit, no digits gives 0. Values beyond int saturate instead of overflowing.
long long ToNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < (1LL << 40)) {
            value = value * 10 + (text[i] - '0');
        }
    }
    return negative ? -value : value;
}

// A White move number glued to its move, "12.Nf3": digits, one period, then the move.
bool SplitGluedMoveNumber(std::string_view token, std::string_view& number,
                          std::string_view& move) {
    std::size_t i = 0;
    while (i < token.size() && token[i] >= '0' && token[i] <= '9') {
        ++i;
    }
    if (i == 0 || i + 1 >= token.size() || token[i] != '.') {
        return false;
    }
    number = token.substr(0, i);
    move = token.substr(i + 1);
    return true;
}

} // namespace

void CPGNReader::PreProcessData() {
    textLength = PreProcessPgnText(text.get(), textLength);
}

void CPGNReader::ReadTag(std::string_view tagPair, std::string& name, std::string& value) {
    const std::string_view inner = tagPair.substr(1, tagPair.size() - 2);
    const std::size_t open = inner.find('"');
    if (open == npos) {
        throw CPGNReaderException("CPGNReader::ReadTag(): Tag not valid!");
    }
    const std::size_t close = FindClosingQuote(inner, open + 1);
    // Anything between the closing quote and the bracket means the pair is malformed.
    if (close == npos || close + 1 != inner.size()) {
        throw CPGNReaderException("CPGNReader::ReadTag(): Tag not valid!");
    }
    name.assign(inner.substr(0, open));
    value.clear();
    for (std::size_t i = open + 1; i < close; ++i) {
        if (inner[i] == '\\' && i + 1 < close && (inner[i + 1] == '"' || inner[i + 1] == '\\')) {
            ++i;
        }
        value += inner[i];
    }
}

CChessGameData CPGNReader::ParseGame(std::string_view text) {
    std::string event, site, date, round, white, black, resultText, variant, fen;
    bool hasFen = false;
    std::string name, value;
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == '[') {
        const std::size_t end = ScanTagPair(text, pos);
        if (end == npos) {
            throw CPGNReaderException("CPGNReader::ParseGame(): Tag not closed!");
        }
        ReadTag(text.substr(pos, end - pos), name, value);
        pos = end;
        std::string* target = nullptr;
        if (EqualsLowerCase(name, "event")) {
            target = &event;
        } else if (EqualsLowerCase(name, "site")) {
            target = &site;
        } else if (EqualsLowerCase(name, "date")) {
            target = &date;
        } else if (EqualsLowerCase(name, "round")) {
            target = &round;
        } else if (EqualsLowerCase(name, "white")) {
            target = &white;
        } else if (EqualsLowerCase(name, "black")) {
            target = &black;
        } else if (EqualsLowerCase(name, "result")) {
            target = &resultText;
        } else if (EqualsLowerCase(name, "variant")) {
            target = &variant;
        } else if (EqualsLowerCase(name, "fen")) {
            target = &fen;
            hasFen = true;
        }
        if (target) {
            target->swap(value);
        }
    }
    int result = resultText.empty() ? ResultNone : ResultCode(resultText);
    if (result < 0) {
        throw CPGNReaderException("CPGNReader::ParseGame(): 'Result' tag not valid!");
    }
    if (!IsStandardVariant(variant)) {
        throw CPGNReaderException("CPGNReader::ParseGame(): Variant not supported!");
    }
    CChessSet set;
    // Phase 0 expects a move number, 1 White's move, 2 Black's move.
    int phase = 0;
    long long expectedNumber = 1;
    if (hasFen) {
        // The movetext starts with the side to move; Black's move number is not written.
        const CFenPosition start = ParseFen(fen);
        set.SetUp(start.board);
        phase = start.sideToMove == White ? 0 : 2;
        expectedNumber = start.fullMoveNumber + (start.sideToMove == White ? 0LL : 1LL);
    }

    for (int i = 0; i < 2 && pos < text.size() && text[pos] == ' '; ++i) {
        ++pos;
    }
    std::vector<CMove> moves;
    while (pos < text.size()) {
        std::size_t space = pos;
        while (space < text.size() && text[space] != ' ') {
            ++space;
        }
        std::string_view token = text.substr(pos, space - pos);
        pos = space < text.size() ? space + 1 : space;

        const int termination = ResultCode(token);
        if (termination >= 0) {
            if (result == ResultNone) {
                result = termination;
            } else if (result != termination) {
                throw CPGNReaderException(
                    "CPGNReader::ParseGame(): There is inconsistency in game result!");
            }
            break;
        }
        if (phase == 0) {
            std::string_view number;
            std::string_view whiteMove;
            if (!token.empty() && token.back() == '.') {
                number = token.substr(0, token.size() - 1);
            } else if (!SplitGluedMoveNumber(token, number, whiteMove)) {
                throw CPGNReaderException(
                    "CPGNReader::ParseGame(): There is no '.' after the move number!");
            }
            if (ToNumber(number) != expectedNumber) {
                throw CPGNReaderException("CPGNReader::ParseGame(): Move number not valid!");
            }
            ++expectedNumber;
            phase = 1;
            if (whiteMove.empty()) {
                continue;
            }
            token = whiteMove;
        }
        const CMove move = FindMove(token, phase == 1 ? White : Black, set);
        moves.push_back(move);
        set.Move(move);
        set.ClearMoveReady();
        phase = (phase + 1) % 3;
    }
    return CChessGameData(std::move(event), std::move(site), std::move(date), std::move(round),
                          std::move(white), std::move(black), result, std::move(moves),
                          std::move(fen));
}

void CPGNReader::ParseData() {
    if (!loaded) {
        throw CPGNReaderException("CPGNReader::ParseData(): No data is loaded!");
    }
    PreProcessData();
    const std::string_view all(text.get(), textLength);
    // Each game is parsed as soon as the start of the next one is known, while its text is
    // still in the processor's caches.
    CGameSplitter splitter(all);
    std::vector<std::size_t> starts;
    bool more = splitter.FindMore(starts);
    if (starts.empty()) {
        throw CPGNReaderException("CPGNReader::ParseData(): Cannot find any \"Event\" tag pair!");
    }
    std::vector<CChessGameData> parsed;
    CLoadReport newReport;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        while (more && starts.size() < k + 2) {
            more = splitter.FindMore(starts);
        }
        std::string_view game;
        if (k + 1 < starts.size()) {
            game = all.substr(starts[k], starts[k + 1] - starts[k]);
            if (!game.empty() && game.back() == ' ') {
                game.remove_suffix(1);
            }
        } else {
            game = all.substr(starts[k]);
        }
        try {
            parsed.push_back(ParseGame(game));
        } catch (const CGeneralException& e) {
            newReport.dropped.push_back({static_cast<int>(k), e.GetMessage()});
        }
    }
    newReport.gameTexts = static_cast<int>(starts.size());
    newReport.gamesRead = static_cast<int>(parsed.size());

    const std::lock_guard lock(gamesMutex);
    if (games.empty()) {
        games.swap(parsed);
    } else {
        games.reserve(games.size() + parsed.size());
        for (CChessGameData& game : parsed) {
            games.push_back(std::move(game));
        }
    }
    report = std::move(newReport);
}
