#pragma once

#include "pgn/GameBatch.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// "Event: White - Black", with "?" for an empty name and no "Event: " for an empty Event: the
// game's title in the game list.
std::string GameTitle(std::string_view event, std::string_view white, std::string_view black);
std::string GameTitle(const CStoredGame& game);

// The list of games at one moment: batches in list order. A snapshot never changes; a load
// makes a new one that shares the batches of the old. Readers on any thread hold a snapshot and
// read it without a lock, while the list moves on.
class CGameListSnapshot {
public:
    CGameListSnapshot() = default;
    // This snapshot's batches followed by `more` (empty batches are left out).
    CGameListSnapshot(const CGameListSnapshot& before,
                      const std::vector<std::shared_ptr<const CGameBatch>>& more);

    std::size_t Size() const noexcept { return size; }
    // Game i < Size() of the list.
    const CStoredGame& Game(std::size_t i) const noexcept;
    // The batch that holds game i < Size(), with the index of its first game.
    const CGameBatch& BatchOf(std::size_t i, std::size_t& first) const noexcept;
    CChessGameData GameData(std::size_t i) const;
    // The code page of the file game i came from; Windows-1252 for an index outside the list.
    ELegacyCodePage CodePage(std::size_t i) const noexcept;
    const std::vector<std::shared_ptr<const CGameBatch>>& Batches() const noexcept {
        return batches;
    }

private:
    std::vector<std::shared_ptr<const CGameBatch>> batches;
    std::vector<std::size_t> firsts; // the list index of each batch's first game
    std::size_t size = 0;
};

// Whether `path` names the file of one of the list's batches (as the file system resolves both).
bool ListsFile(const CGameListSnapshot& games, const std::string& path);
