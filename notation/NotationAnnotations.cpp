#include "notation/NotationAnnotations.h"

#include "chess/SanWriter.h"
#include "common/GeneralException.h"
#include "common/TextDecoding.h"
#include "pgn/FenParser.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::size_t kTagCharacters = 200;
constexpr const char* kNotShown = "Annotations are not shown: ";

// The tags shown in the header by name, or not at all (the set-up ones).
constexpr std::array<std::string_view, 14> kPlacedTags = {
    "Event", "Site",  "Date", "Round",   "White",     "Black",    "Result",
    "FEN",   "SetUp", "ECO",  "Opening", "Variation", "WhiteElo", "BlackElo"};

bool Placed(std::string_view name) {
    for (std::string_view placed : kPlacedTags) {
        if (name == placed) {
            return true;
        }
    }
    return false;
}

bool Unknown(const std::string& value) {
    return value.empty() || value == "?" || value == "-";
}

void Join(std::string& text, const std::string& part, const char* separator) {
    if (!part.empty()) {
        text += (text.empty() ? "" : separator) + part;
    }
}

// The SAN of every move of the tree, each written on the position before it. The tree is walked
// depth first with a stack of its own: a line holds the position before its next move, and a
// variation starts from the position before the move it replaces. Time is linear in the tree's
// size however deep its variations nest. None when a move cannot be played where it stands.
std::optional<std::vector<std::string>> TreeSan(const CAnnotatedGame& tree,
                                                const CChessboardState& start) {
    std::vector<std::string> san(static_cast<std::size_t>(tree.MovesCount()));
    struct CFrame {
        int line;
        std::size_t next;
        std::size_t variations; // of the next move, already walked
        CChessboardState before;
    };
    std::vector<CFrame> stack{{0, 0, 0, start}};
    CChessSet set;
    while (!stack.empty()) {
        CFrame& frame = stack.back();
        const std::vector<int>& moves = tree.Line(frame.line).moves;
        if (frame.next == moves.size()) {
            stack.pop_back();
            continue;
        }
        const CAnnotatedMove& move = tree.Move(moves[frame.next]);
        if (frame.variations < move.variations.size()) {
            const int variation = move.variations[frame.variations++];
            CChessboardState before = frame.before;
            stack.push_back({variation, 0, 0, std::move(before)}); // `frame` is not used again
            continue;
        }
        set.SetUp(frame.before);
        std::string& text = san[static_cast<std::size_t>(moves[frame.next])];
        text = PlaySan(set, move.move);
        if (text.empty()) {
            return std::nullopt;
        }
        frame.before = set.Board();
        ++frame.next;
        frame.variations = 0;
    }
    return san;
}

// The comments are bytes of the file; the panel shows UTF-8.
// The comment in UTF-8, cut to about 64 KB (the original's memory is given back); a cut one
// is added to `cut` at `place`. `notKept` counts the characters the reader did not keep.
void DecodeComment(std::string& bytes, ELegacyCodePage page, const CCommentPlace& place,
                   std::size_t notKept, std::vector<CCutComment>& cut) {
    const std::string_view shown = ClipForDisplay(bytes, kCommentCharacters);
    if (shown.size() == bytes.size() && notKept == 0) {
        bytes = DecodeToUtf8(bytes, page);
        return;
    }
    // Each byte but a UTF-8 continuation byte starts a character in either reading.
    const std::string_view rest = std::string_view(bytes).substr(shown.size());
    const auto more = std::count_if(rest.begin(), rest.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    cut.push_back({place, static_cast<std::size_t>(more) + notKept});
    bytes = DecodeToUtf8(shown, page);
}

void DecodeComments(CAnnotatedGame& tree, ELegacyCodePage page, std::vector<CCutComment>& cut) {
    std::vector<CCutComment> cutByReader = tree.CutComments();
    const auto byPlace = [](const CCutComment& a, const CCutComment& b) {
        return a.place < b.place;
    };
    std::sort(cutByReader.begin(), cutByReader.end(), byPlace);
    const auto notKept = [&](const CCommentPlace& place) -> std::size_t {
        const auto found = std::lower_bound(cutByReader.begin(), cutByReader.end(),
                                            CCutComment{place, 0}, byPlace);
        return found != cutByReader.end() && found->place == place ? found->more : 0;
    };
    for (int i = 0; i < tree.MovesCount(); ++i) {
        std::vector<CMoveComment>& comments = tree.MoveForUpdate(i).comments;
        for (std::size_t k = 0; k < comments.size(); ++k) {
            DecodeComment(comments[k].text, page, {i, 0, k}, notKept({i, 0, k}), cut);
        }
    }
    for (int i = 0; i < tree.LinesCount(); ++i) {
        std::vector<std::string>& comments = tree.LineForUpdate(i).comments;
        for (std::size_t k = 0; k < comments.size(); ++k) {
            const CCommentPlace place{CAnnotatedGame::kNone, i, k};
            DecodeComment(comments[k], page, place, notKept(place), cut);
        }
    }
}

std::string* CommentAt(CAnnotatedGame& tree, const CCommentPlace& place) {
    if (place.move != CAnnotatedGame::kNone) {
        if (place.move < 0 || place.move >= tree.MovesCount()) {
            return nullptr;
        }
        std::vector<CMoveComment>& comments = tree.MoveForUpdate(place.move).comments;
        return place.index < comments.size() ? &comments[place.index].text : nullptr;
    }
    if (place.line < 0 || place.line >= tree.LinesCount()) {
        return nullptr;
    }
    std::vector<std::string>& comments = tree.LineForUpdate(place.line).comments;
    return place.index < comments.size() ? &comments[place.index] : nullptr;
}

} // namespace

CNotationAnnotations AnnotationsForNotation(CGameAnnotations read, const CChessGameData& game) {
    CNotationAnnotations notation;
    std::string eco, opening, variation;
    for (const CTagPair& tag : read.tags) {
        if (Unknown(tag.value)) {
            continue;
        }
        const std::string value = DecodeForDisplay(tag.value, kTagCharacters, read.codePage);
        const std::string& name = tag.name;
        if (name == "WhiteElo") {
            notation.whiteElo = value;
        } else if (name == "BlackElo") {
            notation.blackElo = value;
        } else if (name == "ECO") {
            eco = value;
        } else if (name == "Opening") {
            opening = value;
        } else if (name == "Variation") {
            variation = value;
        } else if (!Placed(name)) {
            Join(notation.otherTags,
                 DecodeForDisplay(name, kTagCharacters, read.codePage) + ": " + value, " \u00B7 ");
        }
    }
    Join(notation.opening, eco, " ");
    Join(notation.opening, opening, " ");
    Join(notation.opening, variation, ", ");
    notation.note = std::move(read.note);
    if (!read.tree) {
        return notation;
    }
    DecodeComments(*read.tree, read.codePage, notation.cut);
    std::sort(notation.cut.begin(), notation.cut.end(),
              [](const CCutComment& a, const CCutComment& b) { return a.place < b.place; });
    // A tree the first reader's board cannot follow is not shown: its positions could not be.
    std::optional<std::vector<std::string>> san;
    try {
        san = TreeSan(*read.tree, StartPosition(game.GetStart()).board);
    } catch (const CGeneralException& e) {
        notation.note = kNotShown + e.GetMessage();
        return notation;
    }
    if (!san) {
        notation.note = std::string(kNotShown) + "a move of the annotated text cannot be played.";
        return notation;
    }
    notation.san = std::move(*san);
    notation.tree = std::move(read.tree);
    return notation;
}

int CNotationAnnotations::CutIndex(const CCommentPlace& place) const {
    const auto found =
        std::lower_bound(cut.begin(), cut.end(), place,
                         [](const CCutComment& c, const CCommentPlace& p) { return c.place < p; });
    return found != cut.end() && found->place == place ? static_cast<int>(found - cut.begin()) : -1;
}

std::string WholeComment(CGameAnnotations& read, const CCommentPlace& place) {
    std::string* comment = read.tree ? CommentAt(*read.tree, place) : nullptr;
    if (comment == nullptr) {
        return {};
    }
    std::string bytes = std::move(*comment);
    // Valid UTF-8 is kept as it is: a copy of a hundred megabytes is not made for nothing.
    if (IsValidUtf8(bytes)) {
        return bytes;
    }
    return DecodeToUtf8(bytes, read.codePage);
}

void BreakIntoParagraphs(std::string& text, std::size_t length) {
    for (std::size_t at = length; at < text.size(); at += length) {
        at = text.find_first_of(" \n", at);
        if (at == std::string::npos) {
            break;
        }
        text[at] = '\n';
    }
}
