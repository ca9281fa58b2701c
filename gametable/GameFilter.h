#pragma once

#include "gametable/GameSearchKeys.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The terms of a search text: the text folded for search (FoldForSearch), split at spaces.
std::vector<std::string> SearchTerms(std::string_view text);

// True when every game that matches all of `terms` matches all of `previous` too: each previous
// term lies within one of the new ones. A term typed one character further then only needs to
// look at the games the shorter one found.
bool TermsNarrow(const std::vector<std::string>& terms, const std::vector<std::string>& previous);

// The games from `from` on, ascending, whose keys hold every term (all of them for no term).
// Returns nothing once `cancel` is set.
std::optional<std::vector<std::uint32_t>> MatchGames(const CGameSearchKeys& keys,
                                                     const std::vector<std::string>& terms,
                                                     std::size_t from,
                                                     const std::atomic<bool>* cancel = nullptr);
// The same, among the games of `within` (ascending).
std::optional<std::vector<std::uint32_t>>
MatchGamesWithin(const CGameSearchKeys& keys, const std::vector<std::string>& terms,
                 const std::vector<std::uint32_t>& within,
                 const std::atomic<bool>* cancel = nullptr);

// The games of `order` (all games of a list, in some order) that `matches` holds (ascending; null
// for all), in the order of `order`.
std::vector<std::uint32_t> RowsInOrder(const std::vector<std::uint32_t>& order,
                                       const std::vector<std::uint32_t>* matches);

// One filter's work, made by the table on its own thread; it holds what it reads, which never
// changes, so it may run on any thread while the table moves on.
struct CGameFilterJob {
    std::string text;
    std::vector<std::string> terms;
    std::shared_ptr<const CGameSearchKeys> keys;
    // The matches of the filter in force when the terms narrow it, else null.
    std::shared_ptr<const std::vector<std::uint32_t>> within;
    // All games in the table's order.
    std::shared_ptr<const std::vector<std::uint32_t>> order;
};

struct CGameFilterResult {
    CGameFilterJob job;
    // The matching games, ascending; null for no term, or when the run was cancelled.
    std::shared_ptr<const std::vector<std::uint32_t>> matches;
    bool cancelled = false;
    // The matching games in the table's order.
    std::vector<std::uint32_t> rows;
};

// Runs a filter job on any thread. Once `cancel` is set it ends early with a cancelled result.
CGameFilterResult RunGameFilter(CGameFilterJob job, const std::atomic<bool>* cancel = nullptr);
