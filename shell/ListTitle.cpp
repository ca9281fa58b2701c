#include "shell/ListTitle.h"

#include "common/TextDecoding.h"

namespace {
constexpr std::size_t kTitleCharacters = 200;
}

std::string ListTitle(const CGameListSnapshot& games, std::size_t i) {
    const CStoredGame& game = games.Game(i);
    // Each tag is clipped before the title is built, as the whole will be.
    const auto clipped = [&game](ETagField field) {
        return ClipForDisplay(game.Tag(field), kTitleCharacters);
    };
    return DecodeForDisplay(GameTitle(clipped(kEvent), clipped(kWhite), clipped(kBlack)),
                            kTitleCharacters, games.CodePage(i));
}
