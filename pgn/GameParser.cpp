#include "pgn/GameParser.h"

#include "pgn/FenParser.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"
#include "pgn/TagPairScanner.h"

#include <array>
#include <cstring>

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

// The tags ParseGameText reads, in the order of their values in the scratch text: the six that
// a game keeps, the FEN text, then Result, Variant and the players' ratings.
enum EReadTag : int {
    kReadResult = kTagFields,
    kReadVariant,
    kReadWhiteElo,
    kReadBlackElo,
    kReadTags
};

// The tag a name stands for (compared in lower case), or -1.
int ReadTagIndex(std::string_view name) {
    static constexpr std::array<std::string_view, kReadTags> names = {
        "event", "site",   "date",    "round",    "white",   "black",
        "fen",   "result", "variant", "whiteelo", "blackelo"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (EqualsLowerCase(name, names[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// A rating as files write it: digits alone, surrounding spaces allowed, 1..kMaxRating. Anything
// else ("", "-", "?", "0", "2700?") is no rating: 0.
std::uint16_t ReadRating(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (text.empty() || text.size() > 4) {
        return 0;
    }
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= kMaxRating ? static_cast<std::uint16_t>(value) : 0;
}

const CChessboardState& InitialBoard() {
    static const CChessboardState board = [] {
        CChessboardState initial;
        initial.SetInitialPosition();
        return initial;
    }();
    return board;
}

} // namespace

void SplitTagPair(std::string_view tagPair, std::string_view& name, std::string_view& rawValue) {
    const std::string_view inner = tagPair.substr(1, tagPair.size() - 2);
    const std::size_t open = inner.find('"');
    const std::size_t close = open == npos ? npos : FindClosingQuote(inner, open + 1);
    // Anything between the closing quote and the bracket means the pair is malformed.
    if (close == npos || close + 1 != inner.size() ||
        std::memchr(inner.data() + open, 0, close - open) != nullptr) {
        throw CPGNReaderException("CPGNReader::ReadTag(): Tag not valid!");
    }
    name = inner.substr(0, open);
    rawValue = inner.substr(open + 1, close - open - 1);
}

void AppendDecodedTagValue(std::string_view rawValue, std::string& out) {
    if (rawValue.find('\\') == npos) {
        out.append(rawValue);
        return;
    }
    for (std::size_t i = 0; i < rawValue.size(); ++i) {
        if (rawValue[i] == '\\' && i + 1 < rawValue.size() &&
            (rawValue[i + 1] == '"' || rawValue[i + 1] == '\\')) {
            ++i;
        }
        out += rawValue[i];
    }
}

void CPGNReader::ReadTag(std::string_view tagPair, std::string& name, std::string& value) {
    std::string_view nameView;
    std::string_view rawValue;
    SplitTagPair(tagPair, nameView, rawValue);
    name.assign(nameView);
    value.clear();
    AppendDecodedTagValue(rawValue, value);
}

CChessGameData CPGNReader::ParseGame(std::string_view text) {
    CGameScratch scratch;
    const CParsedGame game = ParseGameText(text, scratch);
    auto tag = [&game](ETagField field) { return std::string(game.tags[field]); };
    return CChessGameData(tag(kEvent), tag(kSite), tag(kDate), tag(kRound), tag(kWhite),
                          tag(kBlack), game.result,
                          std::vector<CMove>(game.moves.begin(), game.moves.end()), tag(kStart));
}

CParsedGame ParseGameText(std::string_view text, CGameScratch& scratch) {
    // The raw value of each tag read; a later pair of the same name wins.
    std::array<std::string_view, kReadTags> raw{};
    bool hasFen = false;
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == '[') {
        const std::size_t end = ScanTagPair(text, pos);
        if (end == npos) {
            throw CPGNReaderException("CPGNReader::ParseGame(): Tag not closed!");
        }
        std::string_view name;
        std::string_view value;
        SplitTagPair(text.substr(pos, end - pos), name, value);
        pos = end;
        const int index = ReadTagIndex(name);
        if (index >= 0) {
            raw[static_cast<std::size_t>(index)] = value;
            hasFen = hasFen || index == kStart;
        }
    }
    std::array<std::size_t, kReadTags + 1> ends{};
    scratch.tagText.clear();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        AppendDecodedTagValue(raw[i], scratch.tagText);
        ends[i + 1] = scratch.tagText.size();
    }
    auto decoded = [&](int i) {
        const auto k = static_cast<std::size_t>(i);
        return std::string_view(scratch.tagText).substr(ends[k], ends[k + 1] - ends[k]);
    };

    const std::string_view resultText = decoded(kReadResult);
    int result = resultText.empty() ? ResultNone : ResultCode(resultText);
    if (result < 0) {
        throw CPGNReaderException("CPGNReader::ParseGame(): 'Result' tag not valid!");
    }
    if (!IsStandardVariant(decoded(kReadVariant))) {
        throw CPGNReaderException("CPGNReader::ParseGame(): Variant not supported!");
    }
    CChessSet& set = scratch.set;
    // Phase 0 expects a move number, 1 White's move, 2 Black's move.
    int phase = 0;
    long long expectedNumber = 1;
    if (hasFen) {
        // The movetext starts with the side to move; Black's move number is not written.
        const CFenPosition start = ParseFen(decoded(kStart));
        set.SetUp(start.board);
        phase = start.sideToMove == White ? 0 : 2;
        expectedNumber = start.fullMoveNumber + (start.sideToMove == White ? 0LL : 1LL);
    } else {
        set.SetUp(InitialBoard());
    }

    for (int i = 0; i < 2 && pos < text.size() && text[pos] == ' '; ++i) {
        ++pos;
    }
    std::vector<CMove>& moves = scratch.moves;
    moves.clear();
    while (pos < text.size()) {
        // Tokens are short: a plain loop beats a library search call per token.
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
        const CMove move = CPGNReader::FindMove(token, phase == 1 ? White : Black, set);
        moves.push_back(move);
        set.Move(move);
        set.ClearMoveReady();
        phase = (phase + 1) % 3;
    }

    CParsedGame game;
    for (int field = 0; field < kTagFields; ++field) {
        game.tags[static_cast<std::size_t>(field)] = decoded(field);
    }
    game.result = result;
    game.moves = moves;
    game.whiteElo = ReadRating(decoded(kReadWhiteElo));
    game.blackElo = ReadRating(decoded(kReadBlackElo));
    return game;
}
