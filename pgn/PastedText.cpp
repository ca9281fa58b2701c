#include "pgn/PastedText.h"

#include "common/KeptText.h"
#include "pgn/FenParser.h"
#include "pgn/PGNExceptions.h"

#include <memory>
#include <string>

namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A FEN text is one line of four or six fields whose first holds seven '/'.
bool LooksLikeFen(std::string_view text) {
    std::size_t slashes = 0;
    for (const char c : text.substr(0, text.find(' '))) {
        slashes += c == '/' ? 1 : 0;
    }
    return slashes == 7 && text.find('\n') == std::string_view::npos && text.find('[') != 0;
}

} // namespace

CParsedText ReadPastedText(std::string_view text) {
    const std::string_view trimmed = Trimmed(text);
    std::string fenGame;
    if (LooksLikeFen(trimmed)) {
        ParseFen(trimmed); // throws for a FEN that is not valid
        fenGame = "[Event \"Pasted position\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n"
                  "[Round \"?\"]\n[White \"?\"]\n[Black \"?\"]\n[Result \"*\"]\n"
                  "[SetUp \"1\"]\n[FEN \"" +
                  std::string(trimmed) + "\"]\n\n*\n";
    }
    const std::string_view games = fenGame.empty() ? text : std::string_view(fenGame);
    auto file = std::make_shared<CSourceFile>();
    file->path = std::string(kPastedGamesName);
    file->size = games.size();
    auto kept = std::make_shared<CKeptText>();
    kept->Keep(0, games);
    file->kept = std::move(kept);
    return ParsePgnText(games, file, 1, nullptr);
}
