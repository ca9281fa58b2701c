#include "shell/ListTitle.h"

#include "common/TextDecoding.h"

namespace {
constexpr std::size_t kTitleCharacters = 200;
}

std::string ListTitle(const CGameListSnapshot& games, std::size_t i) {
    const CStoredGame& game = games.Game(i);
    // Each tag is clipped before the title is built, as the whole will be.
    CStoredGame clipped = game;
    std::string tags;
    for (int field = 0; field < kTagFields; ++field) {
        const std::string_view value = game.Tag(static_cast<ETagField>(field));
        tags += ClipForDisplay(value, kTitleCharacters);
        clipped.tagEnds[static_cast<std::size_t>(field)] = static_cast<std::uint32_t>(tags.size());
    }
    clipped.tags = tags.data();
    return DecodeForDisplay(GameTitle(clipped), kTitleCharacters, games.CodePage(i));
}
