#include "messages/ListTitle.h"

#include "common/TextDecoding.h"
#include "resources/StringTable.h"

namespace {
constexpr std::size_t kTitleCharacters = 200;
}

std::string ListTitle(const CGameListSnapshot& games, std::size_t i) {
    const CStoredGame& game = games.Game(i);
    // A study's chapter names no players: its event is its title.
    const auto unknown = [&game](ETagField field) {
        const std::string_view value = game.Tag(field);
        return value.empty() || value == "?";
    };
    if (unknown(kWhite) && unknown(kBlack) && !unknown(kEvent)) {
        return DecodeForDisplay(game.Tag(kEvent), kTitleCharacters, games.CodePage(i));
    }
    // Each tag is clipped before the title is built, as the whole will be.
    const auto clipped = [&game](ETagField field) {
        return ClipForDisplay(game.Tag(field), kTitleCharacters);
    };
    return DecodeForDisplay(GameTitle(clipped(kEvent), clipped(kWhite), clipped(kBlack)),
                            kTitleCharacters, games.CodePage(i));
}

std::string WindowTitle(const CGameListSnapshot& games, int game) {
    std::string title(strings::kTitle);
    if (game >= 0) {
        title += " - " + ListTitle(games, static_cast<std::size_t>(game));
    }
    return title;
}
