#include "gametable/GameFilter.h"

#include "common/SearchFolding.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <numeric>

namespace {

bool Holds(std::string_view text, const std::string& term) noexcept {
    return ::memmem(text.data(), text.size(), term.data(), term.size()) != nullptr;
}

// A search looks at up to this many terms at once, one bit of a mask each.
constexpr std::size_t kTermsAtOnce = 64;
static_assert(kSearchFields == 6, "MatchGames reads six fields");

// For each value of `chunk`, the terms (one bit each) it holds. False when one of the terms is
// held by no value: then no game of the chunk matches (and, with `stopAtUnheld`, the masks are
// left unfinished).
bool ValueMasks(const CGameSearchKeys::CChunk& chunk, const std::vector<std::string>& terms,
                std::vector<std::uint64_t>& masks, bool stopAtUnheld = true) {
    masks.assign(chunk.ValueCount(), 0);
    const char* text = chunk.text.data();
    const std::vector<std::uint32_t>& starts = chunk.starts;
    for (std::size_t t = 0; t < terms.size(); ++t) {
        const std::string& term = terms[t];
        bool held = false;
        std::size_t k = 0;
        while (k < chunk.ValueCount()) {
            const char* hit = static_cast<const char*>(
                ::memmem(text + starts[k], starts.back() - starts[k], term.data(), term.size()));
            if (hit == nullptr) {
                break;
            }
            const auto offset = static_cast<std::uint32_t>(hit - text);
            k = static_cast<std::size_t>(
                    std::upper_bound(starts.begin() + static_cast<std::ptrdiff_t>(k), starts.end(),
                                     offset) -
                    starts.begin()) -
                1;
            masks[k] |= std::uint64_t{1} << t;
            held = true;
            ++k;
        }
        if (!held && stopAtUnheld) {
            return false;
        }
    }
    return true;
}

std::uint64_t AllTerms(std::size_t count) noexcept {
    return count >= kTermsAtOnce ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
}

// The terms a game of game k of `chunk` holds in its fields.
std::uint64_t GameMask(const CGameSearchKeys::CChunk& chunk,
                       const std::vector<std::uint64_t>& masks, std::size_t k) noexcept {
    std::uint64_t mask = 0;
    for (const std::vector<std::uint16_t>& ids : chunk.ids) {
        mask |= masks[ids[k]];
    }
    return mask;
}

// MatchGamesWithin for at most kTermsAtOnce terms.
std::vector<std::uint32_t> MatchSomeWithin(const CGameSearchKeys& keys,
                                           const std::vector<std::string>& terms,
                                           const std::vector<std::uint32_t>& within) {
    std::vector<std::uint32_t> found;
    const auto& chunks = keys.Chunks();
    const std::uint64_t all = AllTerms(terms.size());
    std::vector<std::uint64_t> masks;
    std::size_t c = 0;
    bool maskedChunk = false;
    bool chunkMayMatch = false;
    for (const std::uint32_t game : within) {
        while (game >= chunks[c]->first + chunks[c]->Size()) {
            ++c;
            maskedChunk = false;
        }
        const CGameSearchKeys::CChunk& chunk = *chunks[c];
        if (!maskedChunk) {
            chunkMayMatch = ValueMasks(chunk, terms, masks);
            maskedChunk = true;
        }
        if (chunkMayMatch && GameMask(chunk, masks, game - chunk.first) == all) {
            found.push_back(game);
        }
    }
    return found;
}

// The terms from `from` on, at most kTermsAtOnce of them.
std::vector<std::string> TermsFrom(const std::vector<std::string>& terms, std::size_t from) {
    const auto begin = terms.begin() + static_cast<std::ptrdiff_t>(from);
    return {begin,
            begin + static_cast<std::ptrdiff_t>(std::min(kTermsAtOnce, terms.size() - from))};
}

} // namespace

std::vector<std::string> SearchTerms(std::string_view text) {
    const std::string folded = FoldForSearch(text);
    std::vector<std::string> terms;
    std::size_t begin = 0;
    while (begin < folded.size()) {
        const std::size_t end = std::min(folded.find(' ', begin), folded.size());
        if (end > begin) {
            terms.push_back(folded.substr(begin, end - begin));
        }
        begin = end + 1;
    }
    return terms;
}

bool TermsNarrow(const std::vector<std::string>& terms, const std::vector<std::string>& previous) {
    return std::all_of(previous.begin(), previous.end(), [&terms](const std::string& old) {
        return std::any_of(terms.begin(), terms.end(), [&old](const std::string& term) {
            return term.find(old) != std::string::npos;
        });
    });
}

// Marks the values of each chunk that hold a term, then takes the games whose fields hold all.
std::vector<std::uint32_t> MatchGames(const CGameSearchKeys& keys,
                                      const std::vector<std::string>& terms, std::size_t from) {
    std::vector<std::uint32_t> found;
    if (terms.empty()) {
        found.resize(keys.Size() - std::min(from, keys.Size()));
        std::iota(found.begin(), found.end(), static_cast<std::uint32_t>(from));
        return found;
    }
    const std::vector<std::string> first = TermsFrom(terms, 0);
    const std::uint64_t all = AllTerms(first.size());
    std::vector<std::uint64_t> masks;
    for (const std::shared_ptr<const CGameSearchKeys::CChunk>& chunk : keys.Chunks()) {
        if (chunk->first + chunk->Size() <= from || !ValueMasks(*chunk, first, masks)) {
            continue;
        }
        const std::size_t begin = from > chunk->first ? from - chunk->first : 0;
        const std::uint16_t* ids[kSearchFields];
        for (std::size_t f = 0; f < kSearchFields; ++f) {
            ids[f] = chunk->ids[f].data();
        }
        const std::uint64_t* mask = masks.data();
        for (std::size_t k = begin; k < chunk->Size(); ++k) {
            const std::uint64_t m = mask[ids[0][k]] | mask[ids[1][k]] | mask[ids[2][k]] |
                                    mask[ids[3][k]] | mask[ids[4][k]] | mask[ids[5][k]];
            if (m == all) {
                found.push_back(static_cast<std::uint32_t>(chunk->first + k));
            }
        }
    }
    for (std::size_t t = kTermsAtOnce; t < terms.size(); t += kTermsAtOnce) {
        found = MatchSomeWithin(keys, TermsFrom(terms, t), found);
    }
    return found;
}

std::vector<std::uint32_t> MatchGamesWithin(const CGameSearchKeys& keys,
                                            const std::vector<std::string>& terms,
                                            const std::vector<std::uint32_t>& within) {
    if (terms.empty()) {
        return within;
    }
    std::vector<std::uint32_t> found = MatchSomeWithin(keys, TermsFrom(terms, 0), within);
    for (std::size_t t = kTermsAtOnce; t < terms.size(); t += kTermsAtOnce) {
        found = MatchSomeWithin(keys, TermsFrom(terms, t), found);
    }
    return found;
}

// A term no opening's text holds needs the keys alone: the plain scans then serve. Otherwise a
// game matches when each term lies in one of its fields' values or in its opening's text.
std::vector<std::uint32_t> MatchGamesAndOpenings(const CGameSearchKeys& keys,
                                                 const std::vector<std::string>& terms,
                                                 const CListOpenings& openings, std::size_t from,
                                                 const std::vector<std::uint32_t>* within) {
    const COpeningBook* book = openings.Book().get();
    const std::vector<std::string> first = TermsFrom(terms, 0);
    // For each entry, the terms its text holds.
    std::vector<std::uint64_t> named(book != nullptr ? book->Size() : 0);
    bool any = false;
    for (std::size_t e = 0; e < named.size(); ++e) {
        const std::string text =
            FoldForSearch(OpeningText(*book, static_cast<COpeningBook::CEntryIndex>(e)));
        for (std::size_t t = 0; t < first.size(); ++t) {
            if (Holds(text, first[t])) {
                named[e] |= std::uint64_t{1} << t;
                any = true;
            }
        }
    }
    if (!any || terms.size() > kTermsAtOnce) {
        return within != nullptr ? MatchGamesWithin(keys, terms, *within)
                                 : MatchGames(keys, terms, from);
    }
    const std::uint64_t all = AllTerms(first.size());
    const auto& chunks = keys.Chunks();
    std::vector<std::uint64_t> masks;
    std::size_t c = chunks.size();
    std::vector<std::uint32_t> found;
    const auto consider = [&](std::uint32_t game) {
        if (c == chunks.size() || game < chunks[c]->first ||
            game >= chunks[c]->first + chunks[c]->Size()) {
            std::size_t k = 0;
            const CGameSearchKeys::CChunk& chunk = keys.ChunkOf(game, k);
            c = static_cast<std::size_t>(
                std::find_if(chunks.begin(), chunks.end(),
                             [&chunk](const auto& p) { return p.get() == &chunk; }) -
                chunks.begin());
            ValueMasks(chunk, first, masks, false);
        }
        const CGameSearchKeys::CChunk& chunk = *chunks[c];
        const COpeningBook::CEntryIndex entry = openings.Mark(game).entry;
        const std::uint64_t mask = GameMask(chunk, masks, game - chunk.first) |
                                   (entry != COpeningBook::kNone ? named[entry] : 0);
        if (mask == all) {
            found.push_back(game);
        }
    };
    if (within != nullptr) {
        std::for_each(within->begin(), within->end(), consider);
    } else {
        for (auto game = static_cast<std::uint32_t>(from); game < keys.Size(); ++game) {
            consider(game);
        }
    }
    return found;
}

std::vector<std::uint32_t> RowsInOrder(const std::vector<std::uint32_t>& order,
                                       const std::vector<std::uint32_t>& matches) {
    if (matches.size() == order.size()) {
        return order;
    }
    std::vector<std::uint32_t> rows;
    rows.reserve(matches.size());
    std::vector<bool> shown(order.size());
    for (const std::uint32_t game : matches) {
        shown[game] = true;
    }
    for (const std::uint32_t game : order) {
        if (shown[game]) {
            rows.push_back(game);
        }
    }
    return rows;
}
