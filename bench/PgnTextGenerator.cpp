#include "bench/PgnTextGenerator.h"

#include "bench/MasterGames.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::size_t lineWidth = 80;

constexpr std::array<const char*, 8> timeControls = {
    "40/7200:3600", "5400+30", "180+2", "300", "600+5", "60", "40/9000:1800+30", "-"};
constexpr std::array<const char*, 6> suffixes = {"!", "?", "!?", "?!", "!!", "??"};
constexpr std::array<const char*, 10> remarks = {
    "The only move.",
    "A strong novelty at the time.",
    "Better was to keep the tension in the centre.",
    "White has a clear advantage.",
    "Black is under heavy pressure.",
    "Threatening mate in two.",
    "This loses material, but there was no good alternative.",
    "Played after a long think.",
    "The critical position of the game.",
    "An instructive manoeuvre."};

// Writes movetext tokens, breaking lines before they pass the width.
class CLineWriter {
public:
    explicit CLineWriter(std::string& out) : out(out) {}

    void Token(std::string_view token) {
        if (column > 0 && column + 1 + token.size() > lineWidth) {
            out += '\n';
            column = 0;
        } else if (column > 0) {
            out += ' ';
            ++column;
        }
        out += token;
        column += token.size();
    }

    // Appends to the last token, as a closing parenthesis is.
    void Attach(std::string_view text) {
        out += text;
        column += text.size();
    }

    void EndLine() {
        out += '\n';
        column = 0;
    }

private:
    std::string& out;
    std::size_t column = 0;
};

std::vector<std::string> SplitMoves(std::string_view moves) {
    std::vector<std::string> sans;
    while (!moves.empty()) {
        const std::size_t space = moves.find(' ');
        sans.emplace_back(moves.substr(0, space));
        moves.remove_prefix(space == std::string_view::npos ? moves.size() : space + 1);
    }
    return sans;
}

std::string MoveNumber(int ply, bool forceBlack) {
    std::string number = std::to_string(ply / 2 + 1);
    number += (ply % 2 == 0) ? "." : (forceBlack ? "..." : "");
    return number;
}

std::string Clock(int seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "{[%%clk %d:%02d:%02d]}", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

template <std::size_t N>
const char* Pick(CBenchRandom& random, const std::array<const char*, N>& items) {
    return items[static_cast<std::size_t>(random.Below(N))];
}

// A comment's words wrap like the moves do.
void AppendComment(CLineWriter& line, std::string_view text) {
    std::string comment = "{";
    comment += text;
    comment += '}';
    std::size_t start = 0;
    while (start < comment.size()) {
        std::size_t end = comment.find(' ', start);
        end = end == std::string::npos ? comment.size() : end;
        line.Token(std::string_view(comment).substr(start, end - start));
        start = end + 1;
    }
}

// An alternative to the move at `ply`, written with moves of the game's later course in the
// same colour order, sometimes with a nested alternative, annotations or, late in the game, a
// promotion at its end. The reader drops it whole, so it need not be legal.
void AppendVariation(CLineWriter& line, CBenchRandom& random, const std::vector<std::string>& sans,
                     int ply, int depth) {
    const int count = static_cast<int>(sans.size());
    const int shift = 2 * (1 + random.Below(3));
    const int length = 1 + random.Below(6);
    bool interrupted = false;
    for (int k = 0; k < length; ++k) {
        const int at = ply + k;
        if (k == 0) {
            line.Token("(" + MoveNumber(at, true));
        } else if (at % 2 == 0 || interrupted) {
            line.Token(MoveNumber(at, true));
        }
        interrupted = false;
        std::string san = sans[static_cast<std::size_t>((at + shift) % count)];
        if (k == length - 1 && at >= 40 && random.Chance(20)) {
            san = std::string(1, static_cast<char>('a' + random.Below(8))) +
                  (at % 2 == 0 ? "8=" : "1=") + (random.Chance(80) ? "Q" : "N");
        }
        if (random.Chance(15)) {
            san += Pick(random, suffixes);
        }
        line.Token(san);
        if (random.Chance(10)) {
            line.Token('$' + std::to_string(1 + random.Below(18)));
        }
        if (random.Chance(10)) {
            AppendComment(line, Pick(random, remarks));
            interrupted = true;
        }
        if (depth < 2 && k == 0 && random.Chance(20)) {
            AppendVariation(line, random, sans, at, depth + 1);
            interrupted = true;
        }
    }
    line.Attach(")");
}

} // namespace

void CPgnTextGenerator::AppendTags(std::string& out, int master) {
    const CMasterGame& game = masterGames[static_cast<std::size_t>(master)];
    const auto tag = [&out](const char* name, std::string_view value) {
        out += '[';
        out += name;
        out += " \"";
        out += value;
        out += "\"]\n";
    };
    std::string round = game.round;
    if (round == "?") {
        round = std::to_string(1 + random.Below(13));
    }
    if (random.Chance(30)) {
        round += '.' + std::to_string(1 + random.Below(40));
    }
    tag("Event", game.event);
    tag("Site", game.site);
    tag("Date", game.date);
    tag("Round", round);
    tag("White", game.white);
    tag("Black", game.black);
    tag("Result", game.result);
    tag("WhiteElo", std::to_string(2200 + random.Below(650)));
    tag("BlackElo", std::to_string(2200 + random.Below(650)));
    tag("ECO", game.eco);
    tag("TimeControl", Pick(random, timeControls));
    out += '\n';
}

void CPgnTextGenerator::AppendGame(std::string& out) {
    const int made = static_cast<int>(masters.size());
    const int master =
        made < static_cast<int>(masterGames.size()) ? made : random.Below(masterGames.size());
    masters.push_back(master);
    const CMasterGame& game = masterGames[static_cast<std::size_t>(master)];
    AppendTags(out, master);

    const std::vector<std::string> sans = SplitMoves(game.moves);
    const bool clocks = random.Chance(70) && !bare;
    const int annotation = bare ? 0 : random.Below(4); // 0 bare ... 3 heavily annotated
    std::array<int, 2> clock = {5400, 5400};
    CLineWriter line(out);
    bool interrupted = false; // a comment or variation stands since the last move number
    for (int ply = 0; ply < static_cast<int>(sans.size()); ++ply) {
        if (ply % 2 == 0 || interrupted) {
            line.Token(MoveNumber(ply, true));
        }
        interrupted = false;
        std::string san = sans[static_cast<std::size_t>(ply)];
        if (random.Chance(annotation * 2)) {
            san += Pick(random, suffixes);
        }
        line.Token(san);
        if (random.Chance(annotation * 2)) {
            line.Token('$' + std::to_string(1 + random.Below(18)));
        }
        if (clocks) {
            int& left = clock[static_cast<std::size_t>(ply % 2)];
            left -= 5 + random.Below(170);
            if (left < 60) {
                left += 600; // as if a time control had been reached
            }
            line.Token(Clock(left));
            interrupted = true;
        }
        if (random.Chance(annotation * 2)) {
            AppendComment(line, Pick(random, remarks));
            interrupted = true;
        }
        if (ply + 2 < static_cast<int>(sans.size()) && random.Chance(annotation * 2)) {
            AppendVariation(line, random, sans, ply, 0);
            interrupted = true;
        }
    }
    line.Token(game.result);
    line.EndLine();
    out += '\n';
}
