#include "pgn/GameList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::string GameTitle(std::string_view event, std::string_view white, std::string_view black) {
    std::string title;
    if (!event.empty()) {
        title += event;
        title += ": ";
    }
    title += white.empty() ? "?" : white;
    title += " - ";
    title += black.empty() ? "?" : black;
    return title;
}

std::string GameTitle(const CStoredGame& game) {
    return GameTitle(game.Tag(kEvent), game.Tag(kWhite), game.Tag(kBlack));
}

CGameListSnapshot::CGameListSnapshot(const CGameListSnapshot& before,
                                     const std::vector<std::shared_ptr<const CGameBatch>>& more)
    : batches(before.batches), firsts(before.firsts), size(before.size) {
    for (const std::shared_ptr<const CGameBatch>& batch : more) {
        if (batch && batch->Size() > 0) {
            batches.push_back(batch);
            firsts.push_back(size);
            size += batch->Size();
        }
    }
}

const CGameBatch& CGameListSnapshot::BatchOf(std::size_t i, std::size_t& first) const noexcept {
    const auto after = std::upper_bound(firsts.begin(), firsts.end(), i);
    const auto k = static_cast<std::size_t>(after - firsts.begin()) - 1;
    first = firsts[k];
    return *batches[k];
}

const CStoredGame& CGameListSnapshot::Game(std::size_t i) const noexcept {
    std::size_t first = 0;
    const CGameBatch& batch = BatchOf(i, first);
    return batch.Game(i - first);
}

ELegacyCodePage CGameListSnapshot::CodePage(std::size_t i) const noexcept {
    std::size_t first = 0;
    return i < size ? BatchOf(i, first).File()->codePage : ELegacyCodePage::kWindows1252;
}

CChessGameData CGameListSnapshot::GameData(std::size_t i) const {
    std::size_t first = 0;
    const CGameBatch& batch = BatchOf(i, first);
    return batch.GameData(i - first);
}

bool ListsFile(const CGameListSnapshot& games, const std::string& path) {
    std::error_code error;
    const std::filesystem::path wanted = std::filesystem::weakly_canonical(path, error);
    if (error) {
        return false;
    }
    for (const auto& batch : games.Batches()) {
        const std::filesystem::path listed =
            std::filesystem::weakly_canonical(batch->File()->path, error);
        if (!error && listed == wanted) {
            return true;
        }
    }
    return false;
}
