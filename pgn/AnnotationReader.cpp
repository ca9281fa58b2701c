#include "pgn/AnnotationReader.h"

#include "chess/ChessSet.h"
#include "pgn/CommentContent.h"
#include "pgn/FenParser.h"
#include "pgn/GameTextLexer.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"
#include "pgn/TextSegments.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace {

constexpr int kNone = CAnnotatedGame::kNone;
constexpr std::string_view kPrefix = "CAnnotationReader::Read(): ";

// A position kept while a variation is read: one byte a square, 0 for an empty one, else
// 1 + colour * 6 + type. Open lines keep one each, so deep nesting stays cheap.
using CPackedBoard = std::array<std::uint8_t, 64>;

CPackedBoard Pack(const CChessboardState& board) {
    CPackedBoard packed{};
    for (int i = 0; i < 64; ++i) {
        const CField& field = board.Element(i);
        if (!field.IsEmpty()) {
            const CPiece piece = field.Piece();
            packed[static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(1 + piece.color * 6 + piece.type);
        }
    }
    return packed;
}

CChessboardState Unpack(const CPackedBoard& packed) {
    CChessboardState board;
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const int code = packed[static_cast<std::size_t>(CChessboardState::Index(file, rank))];
            if (code != 0) {
                board.GetField(file, rank)
                    .PutPiece({static_cast<EPieceColor>((code - 1) / 6),
                               static_cast<EPieceType>((code - 1) % 6)});
            }
        }
    }
    return board;
}

bool IsResult(std::string_view word) {
    return word == "1-0" || word == "0-1" || word == "1/2-1/2" || word == "*";
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The glyph number of a move-quality suffix: ! 1, ? 2, !! 3, ?? 4, !? 5, ?! 6; 0 for others.
int SuffixGlyph(std::string_view marks) {
    static constexpr std::array<std::string_view, 6> kSuffixes = {"!", "?", "!!", "??", "!?", "?!"};
    for (std::size_t i = 0; i < kSuffixes.size(); ++i) {
        if (marks == kSuffixes[i]) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

// "$12" -> 12; 0 for anything but one to three digits giving 1-255.
int GlyphNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 3) {
        return 0;
    }
    int value = 0;
    for (const char c : digits) {
        if (!IsDigit(c)) {
            return 0;
        }
        value = value * 10 + (c - '0');
    }
    return value <= 255 ? value : 0;
}

// A line being read. A variation that replaces no move (line kNone) is skipped whole, as is
// the rest of one whose move did not resolve.
struct CFrame {
    int line = kNone;
    bool skipped = false;
    int skipDepth = 0;   // '(' opened inside the skipped part and not yet closed
    CPackedBoard before; // the position before the line's last move, or its start
    int last = kNone;    // the line's last move
    EPieceColor toMove = White;
};

class CReading {
public:
    CReading(std::string_view text, std::string_view fen, const std::vector<CMove>& moves,
             std::size_t keepComment);
    CAnnotatedGame Run();

private:
    // False once the game's text is over (a result of the main line).
    bool Word(std::string_view word);
    void PlayMove(std::string_view word);
    bool TryResolve(std::string_view token, CMove& move, std::string& why);
    void Comment(std::string_view inside);
    void Glyph(int number);
    void OpenVariation();
    void CloseVariation();
    [[noreturn]] void RefuseMainLineMove(std::string_view word, int ply,
                                         std::string_view why) const;

    std::string_view text;
    std::size_t keepComment;
    const std::vector<CMove>& gameMoves;
    CFenPosition start;
    CAnnotatedGame game;
    CChessSet set; // the position after the last move of the innermost line being read
    std::vector<CFrame> frames;
};

CReading::CReading(std::string_view text, std::string_view fen, const std::vector<CMove>& moves,
                   std::size_t keepComment)
    : text(text), keepComment(keepComment), gameMoves(moves), start(StartPosition(fen)),
      game(start.sideToMove, start.fullMoveNumber) {
    set.SetUp(start.board);
    CFrame main;
    main.line = game.AddLine(kNone);
    main.before = Pack(start.board);
    main.toMove = start.sideToMove;
    frames.push_back(main);
}

CAnnotatedGame CReading::Run() {
    CGameTextLexer lexer(text);
    bool tagSection = true;
    bool over = false; // no token after the main line's end is read: it may not even lex
    CGameToken token;
    while (!over && (token = lexer.Next()).kind != EGameToken::End) {
        CFrame& top = frames.back();
        if (top.skipped) {
            if (token.kind == EGameToken::VariationStart) {
                ++top.skipDepth;
            } else if (token.kind == EGameToken::VariationEnd) {
                if (top.skipDepth > 0) {
                    --top.skipDepth;
                } else {
                    CloseVariation();
                }
            }
            continue;
        }
        switch (token.kind) {
        case EGameToken::TagPair:
            if (tagSection) {
                std::string name, value;
                CPGNReader::ReadTag("[" + std::string(token.name) + '"' + std::string(token.inner) +
                                        "\"]",
                                    name, value);
                game.AddTag(std::move(name), std::move(value));
            } else if (frames.size() == 1) {
                over = true; // the next game's tag section
            } else {
                top.skipped = true;
            }
            break;
        case EGameToken::Comment:
            Comment(token.inner);
            break;
        case EGameToken::Glyph:
            Glyph(GlyphNumber(token.inner));
            break;
        case EGameToken::VariationStart:
            OpenVariation();
            break;
        case EGameToken::VariationEnd:
            if (frames.size() == 1) {
                throw CPGNReaderException(std::string(kPrefix) + QuoteToken(token.text) +
                                          " closes no variation!");
            }
            CloseVariation();
            break;
        case EGameToken::Word:
            tagSection = false;
            over = !Word(token.text);
            break;
        case EGameToken::End:
            break;
        }
    }
    while (frames.size() > 1) {
        CloseVariation();
    }
    const std::size_t read = game.MainLine().moves.size();
    if (read != gameMoves.size()) {
        throw CPGNReaderException(std::string(kPrefix) + "The main line ends after " +
                                  std::to_string(read) + " moves; the game has " +
                                  std::to_string(gameMoves.size()) + "!");
    }
    return std::move(game);
}

bool CReading::Word(std::string_view word) {
    if (IsResult(word)) {
        return frames.size() > 1; // a result inside a variation is passed over
    }
    // A move number, "12." or "12...", perhaps with its move glued on: "12.Nf3".
    std::size_t digits = 0;
    while (digits < word.size() && IsDigit(word[digits])) {
        ++digits;
    }
    if (digits == word.size() || word[digits] == '.') {
        word.remove_prefix(digits);
        while (!word.empty() && word.front() == '.') {
            word.remove_prefix(1);
        }
        if (word.empty()) {
            return true;
        }
    }
    // A quality mark standing apart from its move.
    if (const int glyph = SuffixGlyph(word); glyph != 0) {
        Glyph(glyph);
        return true;
    }
    PlayMove(word);
    return true;
}

bool CReading::TryResolve(std::string_view token, CMove& move, std::string& why) {
    try {
        move = CPGNReader::FindMove(token, frames.back().toMove, set);
        const CPackedBoard before = Pack(set.Board());
        set.Move(move);
        set.ClearMoveReady();
        frames.back().before = before;
        return true;
    } catch (const CGeneralException& e) {
        why = e.GetMessage();
        return false;
    }
}

void CReading::PlayMove(std::string_view word) {
    // The suffix of check, mate and quality marks: the quality marks become a glyph, the mate
    // signs are dropped for the resolution as the first reader drops them.
    std::size_t suffix = word.size();
    while (suffix > 0 &&
           std::string_view("+#!?").find(word[suffix - 1]) != std::string_view::npos) {
        --suffix;
    }
    std::string san(word.substr(0, suffix));
    std::string marks;
    for (std::size_t i = suffix; i < word.size(); ++i) {
        (word[i] == '!' || word[i] == '?' ? marks : san) += word[i];
    }
    std::string resolvable;
    resolvable.reserve(word.size());
    for (const char c : word) {
        if (c != '#') {
            resolvable += c;
        }
    }

    CFrame& top = frames.back();
    const bool mainLine = frames.size() == 1;
    const int ply = top.last == kNone
                        ? (top.line == 0 ? 1 : game.Move(game.Line(top.line).parent).ply)
                        : game.Move(top.last).ply + 1;
    CMove move;
    std::string why;
    if (mainLine && static_cast<std::size_t>(ply) > gameMoves.size()) {
        RefuseMainLineMove(
            word, ply, "stands beyond the game's " + std::to_string(gameMoves.size()) + " moves!");
    }
    if (!TryResolve(resolvable, move, why)) {
        if (mainLine) {
            RefuseMainLineMove(word, ply, "cannot be played: " + why);
        }
        top.skipped = true;
        return;
    }
    if (mainLine && move != gameMoves[static_cast<std::size_t>(ply - 1)]) {
        RefuseMainLineMove(word, ply, "is not the game's move!");
    }
    top.last = game.AddMove(top.line, move, std::move(san));
    top.toMove = Opponent(top.toMove);
    if (const int glyph = SuffixGlyph(marks); glyph != 0) {
        Glyph(glyph);
    }
}

void CReading::RefuseMainLineMove(std::string_view word, int ply, std::string_view why) const {
    const long long number = start.fullMoveNumber + (ply - 1LL + start.sideToMove) / 2;
    const bool black = (ply - 1 + start.sideToMove) % 2 == 1;
    throw CPGNReaderException(std::string(kPrefix) + "The main line's move " +
                              std::to_string(number) + (black ? "... " : ". ") + QuoteToken(word) +
                              " " + std::string(why));
}

void CReading::Comment(std::string_view inside) {
    CCommentContent content = ReadCommentContent(inside, keepComment);
    const CFrame& top = frames.back();
    if (top.last == kNone) {
        if (!content.text.empty()) {
            std::vector<std::string>& comments = game.LineForUpdate(top.line).comments;
            if (content.more > 0) {
                game.AddCutComment({{kNone, top.line, comments.size()}, content.more});
            }
            comments.push_back(std::move(content.text));
        }
        return;
    }
    CAnnotatedMove& move = game.MoveForUpdate(top.last);
    if (!content.text.empty()) {
        if (content.more > 0) {
            game.AddCutComment({{top.last, 0, move.comments.size()}, content.more});
        }
        move.comments.push_back(
            {std::move(content.text), static_cast<int>(move.variations.size())});
    }
    if (!content.clock.empty()) {
        move.clock = std::move(content.clock);
    }
    if (!content.eval.empty()) {
        move.eval = std::move(content.eval);
    }
}

void CReading::Glyph(int number) {
    const CFrame& top = frames.back();
    if (number != 0 && top.last != kNone) {
        game.MoveForUpdate(top.last).glyphs.push_back(static_cast<std::uint8_t>(number));
    }
}

void CReading::OpenVariation() {
    const CFrame& parent = frames.back();
    CFrame variation;
    if (parent.last == kNone) {
        // Nothing to replace: skipped whole.
        variation.skipped = true;
        frames.push_back(variation);
        return;
    }
    variation.line = game.AddLine(parent.last);
    variation.before = parent.before;
    variation.toMove = Opponent(parent.toMove);
    set.SetUp(Unpack(parent.before));
    frames.push_back(variation);
}

void CReading::CloseVariation() {
    const CFrame closed = frames.back();
    frames.pop_back();
    if (closed.line == kNone) {
        return;
    }
    const CAnnotationLine& line = game.Line(closed.line);
    if (line.moves.empty() && line.comments.empty()) {
        game.RemoveLastLine(); // nothing nests in a line without moves, so it is the last
    }
    const CFrame& parent = frames.back();
    set.SetUp(Unpack(parent.before));
    set.Move(game.Move(parent.last).move);
    set.ClearMoveReady();
}

} // namespace

CAnnotatedGame CAnnotationReader::Read(std::string_view text, std::string_view fen,
                                       const std::vector<CMove>& moves, std::size_t keepComment) {
    std::string copy;
    CReading reading(WithoutDamagedHeaderLines(text, copy), fen, moves, keepComment);
    return reading.Run();
}

CAnnotatedGame CAnnotationReader::Read(std::string_view text, const CChessGameData& game,
                                       std::size_t keepComment) {
    std::vector<CMove> moves;
    moves.reserve(static_cast<std::size_t>(game.MovesCount()));
    for (int i = 0; i < game.MovesCount(); ++i) {
        moves.push_back(game.GetMove(i));
    }
    return Read(text, game.GetStart(), moves, keepComment);
}

std::vector<CTagPair> CAnnotationReader::ReadTags(std::string_view text) {
    std::vector<CTagPair> tags;
    std::string copy;
    CGameTextLexer lexer(WithoutDamagedHeaderLines(text, copy));
    try {
        for (CGameToken token = lexer.Next(); token.kind == EGameToken::TagPair;
             token = lexer.Next()) {
            std::string name;
            std::string value;
            CPGNReader::ReadTag("[" + std::string(token.name) + '"' + std::string(token.inner) +
                                    "\"]",
                                name, value);
            tags.push_back({std::move(name), std::move(value)});
        }
    } catch (const CGeneralException&) {
        // The pairs read so far stand.
    }
    return tags;
}
