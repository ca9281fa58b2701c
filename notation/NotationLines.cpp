#include "notation/NotationLines.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// Variations deeper than this are indented as this one: the panel is narrow.
constexpr int kDeepestIndent = 6;

CNotationRun Plain(std::string text) {
    return {std::move(text), ENotationStyle::kPlain};
}

// Lays out the tree's moves, comments and variations in the order the text gives them. The main
// line fills rows of White's and Black's moves; a comment or a variation ends the row and
// stands in a paragraph of its own, and the line goes on in a new row, numbered "n..." when
// Black moves first in it. A variation is one paragraph at its depth, broken where a deeper
// one stands, in parentheses.
class CAnnotatedLayout {
public:
    CAnnotatedLayout(CNotationText& text, const CNotationGame& game, bool figurines)
        : text(text), game(game), tree(*game.annotations.tree), figurines(figurines) {}

    void Move(int move) {
        const bool white = tree.Colour(move) == White;
        CNotationRun number{std::to_string(tree.MoveNumber(move)) + (white ? "." : "..."),
                            ENotationStyle::kNumber};
        if (depth == 0) {
            if (white || !row) {
                FlushRow();
                row = CNotationBlock{
                    CNotationBlock::EKind::kMoveRow, 0, {{std::move(number)}, {}, {}}};
            }
            row->cells[white ? 1 : 2] = MoveRuns(move);
        } else {
            std::vector<CNotationRun>& runs = ParagraphRuns();
            if (white || needNumber) {
                Add(runs, {std::move(number)});
            }
            Add(runs, MoveRuns(move));
        }
        needNumber = false;
    }

    void Comment(const std::string& comment, const CCommentPlace& place) {
        std::vector<CNotationRun> runs = CommentRuns(comment, game.annotations, place);
        if (depth == 0) {
            FlushRow();
            text.blocks.push_back({CNotationBlock::EKind::kParagraph, 0, {std::move(runs)}});
        } else {
            Add(ParagraphRuns(), std::move(runs));
        }
        needNumber = true;
    }

    void Open(int lineDepth) {
        FlushRow();
        FlushParagraph();
        depth = lineDepth;
        ParagraphRuns().push_back(Plain("("));
        glue = true;
        needNumber = true;
    }

    // A line that ends right after a deeper one closes in that one's paragraph: "…))".
    void Close() {
        if (!paragraph && !text.blocks.empty() &&
            text.blocks.back().kind == CNotationBlock::EKind::kParagraph) {
            text.blocks.back().cells.front().push_back(Plain(")"));
        } else {
            ParagraphRuns().push_back(Plain(")"));
            FlushParagraph();
        }
        --depth;
        glue = false;
        needNumber = true;
    }

    void Finish() {
        FlushRow();
        FlushParagraph();
    }

private:
    // The move as a link, its glyphs (a suffix such as "!" joined to it), clock and evaluation.
    std::vector<CNotationRun> MoveRuns(int index) const {
        const CAnnotatedMove& move = tree.Move(index);
        const std::string& san = game.annotations.san[static_cast<std::size_t>(index)];
        const std::string& shown = san.empty() ? move.san : san;
        std::vector<CNotationRun> runs{{figurines ? WithFigurines(shown) : shown,
                                        ENotationStyle::kMove,
                                        move.line == 0 ? move.ply : kVariationLinkBase + index}};
        for (std::size_t i = 0; i < move.glyphs.size(); ++i) {
            const bool suffix = i == 0 && move.glyphs[i] >= 1 && move.glyphs[i] <= 6;
            if (!suffix) {
                runs.push_back(Plain(" "));
            }
            runs.push_back({GlyphText(move.glyphs[i]), ENotationStyle::kGlyph});
        }
        const auto ply = static_cast<std::size_t>(move.ply);
        if (move.line == 0 && ply >= 1 && ply <= game.marks.size() &&
            !game.marks[ply - 1].empty()) {
            runs.push_back(Plain(" "));
            runs.push_back({game.marks[ply - 1], ENotationStyle::kMark});
        }
        if (!move.clock.empty()) {
            runs.push_back(Plain(" "));
            runs.push_back({move.clock, ENotationStyle::kClock});
        }
        if (!move.eval.empty()) {
            runs.push_back(Plain(" "));
            runs.push_back({SignedEval(move.eval), ENotationStyle::kEval});
        }
        return runs;
    }

    // The runs of the open paragraph, opening one at the current depth when none is.
    std::vector<CNotationRun>& ParagraphRuns() {
        if (!paragraph) {
            paragraph = CNotationBlock{
                CNotationBlock::EKind::kParagraph, std::min(depth, kDeepestIndent), {{}}};
        }
        return paragraph->cells.front();
    }

    // Runs stand a space apart, but for the first after "(".
    void Add(std::vector<CNotationRun>& runs, std::vector<CNotationRun> more) {
        if (!runs.empty() && !glue) {
            runs.push_back(Plain(" "));
        }
        glue = false;
        std::move(more.begin(), more.end(), std::back_inserter(runs));
    }

    void FlushRow() {
        if (row) {
            text.blocks.push_back(std::move(*row));
            row.reset();
        }
    }

    void FlushParagraph() {
        if (paragraph) {
            text.blocks.push_back(std::move(*paragraph));
            paragraph.reset();
        }
    }

    CNotationText& text;
    const CNotationGame& game;
    const CAnnotatedGame& tree;
    const bool figurines;
    int depth = 0;
    bool needNumber = true; // the next move shows its number even when Black plays it
    bool glue = false;      // the next run joins the one before without a space
    std::optional<CNotationBlock> row;
    std::optional<CNotationBlock> paragraph;
};

} // namespace

std::string WithFigurines(const std::string& san) {
    std::string out;
    for (std::size_t i = 0; i < san.size(); ++i) {
        const bool pieceLetter = i == 0 || san[i - 1] == '=';
        const char* figurine = nullptr;
        switch (pieceLetter ? san[i] : ' ') {
        case 'K':
            figurine = "\u265A";
            break;
        case 'Q':
            figurine = "\u265B";
            break;
        case 'R':
            figurine = "\u265C";
            break;
        case 'B':
            figurine = "\u265D";
            break;
        case 'N':
            figurine = "\u265E";
            break;
        default:
            out += san[i];
            continue;
        }
        out += figurine;
    }
    return out;
}

std::string GlyphText(std::uint8_t glyph) {
    static constexpr std::pair<std::uint8_t, const char*> kSymbols[] = {
        {1, "!"},       {2, "?"},   {3, "!!"},      {4, "??"},      {5, "!?"},      {6, "?!"},
        {7, "\u25A1"},  {10, "="},  {13, "\u221E"}, {14, "\u2A72"}, {15, "\u2A71"}, {16, "\u00B1"},
        {17, "\u2213"}, {18, "+-"}, {19, "-+"},     {146, "N"}};
    for (const auto& [number, symbol] : kSymbols) {
        if (number == glyph) {
            return symbol;
        }
    }
    return "$" + std::to_string(glyph);
}

// The tree is walked with a stack of its own, never by recursion: variations may nest as deep
// as a file makes them.
void AppendAnnotatedMoves(CNotationText& text, const CNotationGame& game, bool figurines) {
    const CAnnotatedGame& tree = *game.annotations.tree;
    CAnnotatedLayout layout(text, game, figurines);
    // A line being laid out: its next move, and how far that move's comments and variations
    // (which follow it, interleaved as in the text) have gone.
    struct CFrame {
        int line = 0;
        std::size_t next = 0;
        bool moveShown = false;
        std::size_t comments = 0;
        std::size_t variations = 0;
    };
    std::vector<CFrame> stack{{}};
    while (!stack.empty()) {
        CFrame& frame = stack.back();
        const std::vector<int>& moves = tree.Line(frame.line).moves;
        if (frame.next == moves.size()) {
            if (frame.line != 0) {
                layout.Close();
            }
            stack.pop_back();
            continue;
        }
        const int index = moves[frame.next];
        const CAnnotatedMove& move = tree.Move(index);
        if (!frame.moveShown) {
            layout.Move(index);
            frame.moveShown = true;
        } else if (frame.comments < move.comments.size() &&
                   (frame.variations == move.variations.size() ||
                    static_cast<std::size_t>(move.comments[frame.comments].variationsBefore) <=
                        frame.variations)) {
            layout.Comment(move.comments[frame.comments].text, {index, 0, frame.comments});
            ++frame.comments;
        } else if (frame.variations < move.variations.size()) {
            const int variation = move.variations[frame.variations++];
            const CAnnotationLine& line = tree.Line(variation);
            layout.Open(line.depth);
            for (std::size_t k = 0; k < line.comments.size(); ++k) {
                layout.Comment(line.comments[k], {CAnnotatedGame::kNone, variation, k});
            }
            stack.push_back({variation}); // `frame` is not used again
        } else {
            frame = {frame.line, frame.next + 1};
        }
    }
    layout.Finish();
}

std::vector<CNotationRun> CommentRuns(const std::string& comment,
                                      const CNotationAnnotations& annotations,
                                      const CCommentPlace& place) {
    std::vector<CNotationRun> runs{{comment, ENotationStyle::kComment}};
    const int cut = annotations.CutIndex(place);
    if (cut >= 0) {
        runs.push_back(
            {"\u2026 (" + std::to_string(annotations.cut[cut].more) + " more characters)",
             ENotationStyle::kExpand, kCommentLinkBase + cut});
    }
    return runs;
}

std::string SignedEval(const std::string& eval) {
    const bool mate = !eval.empty() && eval[0] == '#';
    std::string_view number(eval);
    number.remove_prefix(mate ? 1 : 0);
    std::string sign;
    if (!number.empty() && number[0] == '-') {
        sign = "\u2212";
        number.remove_prefix(1);
    } else if (!number.empty() && number[0] == '+') {
        sign = mate ? "" : "+";
        number.remove_prefix(1);
    } else if (!mate && number.find_first_not_of("0.") != std::string_view::npos) {
        sign = "+";
    }
    return (mate ? "#" : "") + sign + std::string(number);
}
