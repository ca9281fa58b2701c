#include "pgn/PgnWriter.h"

#include "chess/ChessSet.h"
#include "chess/SanWriter.h"
#include "pgn/FenParser.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kLineWidth = 79;

// Movetext in lines of at most kLineWidth bytes, broken between tokens (a longer token stands
// on a line of its own).
class CMovetext {
public:
    explicit CMovetext(std::string& out) : out(out) {}

    // A token no break may split. A line never starts with '%': the reader would take it for
    // an escape line.
    void Token(std::string_view token) {
        if (lineLength > 0 && lineLength + 1 + token.size() > kLineWidth && token.front() != '%') {
            out += '\n';
            lineLength = 0;
        } else if (lineLength > 0 && !glue) {
            out += ' ';
            ++lineLength;
        }
        out += token;
        lineLength += token.size();
        glue = false;
    }
    // The next token follows without a space ("(" before a move).
    void Glue() { glue = true; }

    // A comment: its commands first, so that no text can become part of them, then its text,
    // broken at its spaces as needed. White space inside braces is not kept by the reader.
    void Comment(std::string_view commands, std::string_view text) {
        if (text.find('}') != std::string_view::npos) {
            if (!commands.empty()) {
                Comment(commands, {});
            }
            // To the end of the line: no break may stand inside.
            Token(";" + std::string(text));
            out += '\n';
            lineLength = 0;
            return;
        }
        // Each command stays whole; the text breaks at its spaces.
        std::vector<std::string> words;
        for (std::size_t from = 0; from < commands.size();) {
            const std::size_t close = commands.find(']', from);
            words.emplace_back(commands.substr(from, close + 1 - from));
            from = commands.find('[', close);
        }
        for (std::size_t from = 0; from < text.size();) {
            const std::size_t space = std::min(text.find(' ', from), text.size());
            words.emplace_back(text.substr(from, space - from));
            from = space + 1;
        }
        if (words.empty()) {
            return;
        }
        words.front().insert(0, "{");
        words.back() += '}';
        for (const std::string& word : words) {
            Token(word);
        }
    }

    void End() {
        if (lineLength > 0) {
            out += '\n';
        }
    }

private:
    std::string& out;
    std::size_t lineLength = 0;
    bool glue = false;
};

void AppendTag(std::string& out, std::string_view name, std::string_view value) {
    out += '[';
    out += name;
    out += " \"";
    for (const char c : value) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
    }
    out += "\"]\n";
}

void AppendRoster(std::string& out, const CChessGameData& game) {
    auto orUnknown = [](const std::string& value, std::string_view unknown) {
        return value.empty() ? std::string(unknown) : value;
    };
    AppendTag(out, "Event", orUnknown(game.GetEvent(), "?"));
    AppendTag(out, "Site", orUnknown(game.GetSite(), "?"));
    AppendTag(out, "Date", orUnknown(game.GetDate(), "????.??.??"));
    AppendTag(out, "Round", orUnknown(game.GetRound(), "?"));
    AppendTag(out, "White", orUnknown(game.GetWhite(), "?"));
    AppendTag(out, "Black", orUnknown(game.GetBlack(), "?"));
    AppendTag(out, "Result", ResultText(game.GetResult()));
    if (!game.GetStart().empty()) {
        AppendTag(out, "SetUp", "1");
        AppendTag(out, "FEN", game.GetStart());
    }
}

// The game's moves as a tree of one line, for a game written without its annotations.
CAnnotatedGame PlainTree(const CChessGameData& game, const CFenPosition& start) {
    CAnnotatedGame tree(start.sideToMove, start.fullMoveNumber);
    const int main = tree.AddLine(CAnnotatedGame::kNone);
    for (int i = 0; i < game.MovesCount(); ++i) {
        tree.AddMove(main, game.GetMove(i), {});
    }
    return tree;
}

class CTreeWriter {
public:
    CTreeWriter(const CAnnotatedGame& tree, const std::vector<CMoveNote>* notes, std::string& out)
        : tree(tree), notes(notes), text(out) {}

    // The movetext from `start`, then `result`.
    void Write(const CChessboardState& start, std::string_view result);

private:
    // A line being written: its next move, the position before it, and how many of the
    // current move's variations are written.
    struct CFrame {
        int line;
        std::size_t next = 0;
        CChessboardState before;
        CChessboardState after;
        int variationsDone = -1; // -1: the move itself is not written yet
    };

    const CMoveNote* Note(int move) const {
        const CAnnotatedMove& m = tree.Move(move);
        if (notes == nullptr || m.line != 0 || static_cast<std::size_t>(m.ply) > notes->size()) {
            return nullptr;
        }
        return &(*notes)[static_cast<std::size_t>(m.ply - 1)];
    }
    // Writes the move, its glyphs and the comments before its first variation; false when the
    // move cannot be played on `frame.before` (the line then ends there).
    bool WriteMove(CFrame& frame, int move);
    void WriteComments(int move, int variationsBefore);
    // The move's SAN after its number where one is due (White's moves, Black's after a break);
    // the two stay on one line.
    std::string Numbered(int move, const std::string& san);
    void WriteBestLine(const CChessboardState& before, int move, const std::vector<CMove>& line);

    const CAnnotatedGame& tree;
    const std::vector<CMoveNote>* notes;
    CMovetext text;
    CChessSet set;
    bool numberDue = true; // Black's move needs "N..." after a break in the moves
};

std::string CTreeWriter::Numbered(int move, const std::string& san) {
    const bool black = tree.Colour(move) == Black;
    const bool numbered = !black || numberDue;
    numberDue = false;
    return numbered ? std::to_string(tree.MoveNumber(move)) + (black ? "... " : ". ") + san : san;
}

bool CTreeWriter::WriteMove(CFrame& frame, int move) {
    const CAnnotatedMove& m = tree.Move(move);
    set.SetUp(frame.before);
    const std::string san = PlaySan(set, m.move);
    if (san.empty()) {
        return false;
    }
    set.ClearMoveReady();
    frame.after = set.Board();
    text.Token(Numbered(move, san));
    const CMoveNote* note = Note(move);
    std::vector<std::uint8_t> glyphs = m.glyphs;
    if (note != nullptr && note->glyph != 0 &&
        std::find(glyphs.begin(), glyphs.end(), note->glyph) == glyphs.end()) {
        glyphs.push_back(note->glyph);
    }
    for (const std::uint8_t glyph : glyphs) {
        text.Token("$" + std::to_string(glyph));
    }
    std::string commands;
    const std::string& eval = note != nullptr && !note->eval.empty() ? note->eval : m.eval;
    if (!eval.empty()) {
        commands = "[%eval " + eval + "]";
    }
    if (!m.clock.empty()) {
        commands += (commands.empty() ? "[%clk " : " [%clk ") + m.clock + "]";
    }
    bool first = true;
    for (const CMoveComment& comment : m.comments) {
        if (comment.variationsBefore == 0) {
            text.Comment(first ? commands : std::string_view(), comment.text);
            first = false;
            numberDue = true;
        }
    }
    if (first && !commands.empty()) {
        text.Comment(commands, {});
        numberDue = true;
    }
    return true;
}

void CTreeWriter::WriteComments(int move, int variationsBefore) {
    for (const CMoveComment& comment : tree.Move(move).comments) {
        if (comment.variationsBefore == variationsBefore) {
            text.Comment({}, comment.text);
            numberDue = true;
        }
    }
}

void CTreeWriter::WriteBestLine(const CChessboardState& before, int move,
                                const std::vector<CMove>& line) {
    set.SetUp(before);
    EPieceColor colour = tree.Colour(move);
    long long number = tree.MoveNumber(move);
    text.Token("(");
    text.Glue();
    for (std::size_t i = 0; i < line.size(); ++i) {
        const std::string san = PlaySan(set, line[i]);
        if (san.empty()) {
            break;
        }
        set.ClearMoveReady();
        text.Token(i == 0 || colour == White
                       ? std::to_string(number) + (colour == Black ? "... " : ". ") + san
                       : san);
        number += colour == Black;
        colour = Opponent(colour);
    }
    text.Glue();
    text.Token(")");
    numberDue = true;
}

void CTreeWriter::Write(const CChessboardState& start, std::string_view result) {
    for (const std::string& comment : tree.MainLine().comments) {
        text.Comment({}, comment);
    }
    std::vector<CFrame> frames;
    frames.push_back({0, 0, start, start, -1});
    while (!frames.empty()) {
        CFrame& top = frames.back();
        const std::vector<int>& moves = tree.Line(top.line).moves;
        if (top.next == moves.size()) {
            const bool variation = frames.size() > 1;
            frames.pop_back();
            if (variation) {
                text.Glue();
                text.Token(")");
                numberDue = true;
                CFrame& parent = frames.back();
                const int move = tree.Line(parent.line).moves[parent.next];
                WriteComments(move, ++parent.variationsDone);
            }
            continue;
        }
        const int move = moves[top.next];
        if (top.variationsDone < 0) {
            if (!WriteMove(top, move)) {
                top.next = moves.size();
                continue;
            }
            top.variationsDone = 0;
        }
        const std::vector<int>& variations = tree.Move(move).variations;
        if (static_cast<std::size_t>(top.variationsDone) < variations.size()) {
            const int line = variations[static_cast<std::size_t>(top.variationsDone)];
            text.Token("(");
            text.Glue();
            numberDue = true;
            for (const std::string& comment : tree.Line(line).comments) {
                text.Comment({}, comment);
            }
            const CChessboardState before = top.before;
            frames.push_back({line, 0, before, before, -1});
            continue;
        }
        if (const CMoveNote* note = Note(move); note != nullptr && !note->bestLine.empty()) {
            WriteBestLine(top.before, move, note->bestLine);
        }
        top.before = top.after;
        top.variationsDone = -1;
        ++top.next;
    }
    text.Token(result);
    text.End();
}

} // namespace

std::string_view ResultText(int result) {
    switch (result) {
    case ResultWhiteWon:
        return "1-0";
    case ResultBlackWon:
        return "0-1";
    case ResultDraw:
        return "1/2-1/2";
    default:
        return "*";
    }
}

std::string WritePgnGame(const CChessGameData& game, const CAnnotatedGame* annotations,
                         const std::vector<CMoveNote>* notes) {
    std::string out;
    const CFenPosition start = StartPosition(game.GetStart());
    if (annotations != nullptr) {
        for (const CTagPair& tag : annotations->Tags()) {
            AppendTag(out, tag.name, tag.value);
        }
    } else {
        AppendRoster(out, game);
    }
    out += '\n';
    const CAnnotatedGame plain =
        annotations != nullptr ? CAnnotatedGame(White, 1) : PlainTree(game, start);
    CTreeWriter writer(annotations != nullptr ? *annotations : plain, notes, out);
    writer.Write(start.board, ResultText(game.GetResult()));
    out += '\n';
    return out;
}
