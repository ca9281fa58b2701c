#include "gametable/GameFilter.h"

#include "common/SearchFolding.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <numeric>
#include <optional>
#include <thread>

namespace {

using CChunk = CGameSearchKeys::CChunk;

// A search looks at up to this many terms at once, one bit of a mask each.
constexpr std::size_t kTermsAtOnce = 64;
// Fewer games than this are matched on one thread: a second one would cost more than it saves.
constexpr std::size_t kGamesForTwoThreads = std::size_t{1} << 15;

// For each value of `chunk`, the terms (one bit each) it holds. False when one of the terms is
// held by no value: then no game of the chunk matches by its fields alone (and, with
// `stopAtUnheld`, the masks are left unfinished).
bool ValueMasks(const CChunk& chunk, const std::vector<std::string>& terms,
                std::vector<std::uint64_t>& masks, bool stopAtUnheld) {
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

// The terms from `from` on, at most kTermsAtOnce of them.
std::vector<std::string> TermsFrom(const std::vector<std::string>& terms, std::size_t from) {
    const auto begin = terms.begin() + static_cast<std::ptrdiff_t>(from);
    return {begin,
            begin + static_cast<std::ptrdiff_t>(std::min(kTermsAtOnce, terms.size() - from))};
}

// Matches written without a branch: every game is written, the count moves on a match.
class CFound {
public:
    explicit CFound(std::size_t most) : games(new std::uint32_t[most + 1]) {}
    void Offer(std::size_t game, bool matches) noexcept {
        games[count] = static_cast<std::uint32_t>(game);
        count += matches ? 1 : 0;
    }
    const std::uint32_t* begin() const noexcept { return games.get(); }
    const std::uint32_t* end() const noexcept { return games.get() + count; }
    std::size_t size() const noexcept { return count; }

private:
    std::unique_ptr<std::uint32_t[]> games; // not cleared: only what is written is mapped
    std::size_t count = 0;
};

// One search of at most kTermsAtOnce terms: a game matches when the masks of its six fields'
// values, and of its opening when `named` is given, hold every term. Any thread; each call
// keeps its own masks.
class CMatcher {
public:
    CMatcher(const CGameSearchKeys& keys, std::vector<std::string> terms,
             const CListOpenings* openings, const std::vector<std::uint64_t>* named)
        : keys(keys), terms(std::move(terms)), all(AllTerms(this->terms.size())),
          openings(openings), named(named) {}

    // The matches among the games of list indexes [from, to).
    CFound Range(std::size_t from, std::size_t to) const {
        CFound found(to - std::min(from, to));
        std::vector<std::uint64_t> masks;
        for (const std::shared_ptr<const CChunk>& chunk : keys.Chunks()) {
            if (chunk->first + chunk->Size() <= from || chunk->first >= to ||
                (!ValueMasks(*chunk, terms, masks, named == nullptr) && named == nullptr)) {
                continue;
            }
            for (const CGameSearchKeys::CRun& run : chunk->runs) {
                const std::size_t begin = std::max(run.first, from);
                const std::size_t end = std::min(run.first + run.count, to);
                for (std::size_t game = begin; game < end; ++game) {
                    found.Offer(game, Holds(run.Ids(game - run.first), masks, game));
                }
            }
        }
        return found;
    }

    // The matches among `within` [begin, end) (ascending).
    CFound Among(const std::uint32_t* begin, const std::uint32_t* end) const {
        CFound found(static_cast<std::size_t>(end - begin));
        std::vector<std::uint64_t> masks;
        const auto& chunks = keys.Chunks();
        std::size_t c = 0;
        std::size_t r = 0;
        bool masked = false;
        bool mayMatch = false;
        for (const std::uint32_t* at = begin; at != end; ++at) {
            const std::uint32_t game = *at;
            if (!masked || game >= chunks[c]->first + chunks[c]->Size()) {
                std::size_t k = 0;
                const CChunk& chunk = keys.ChunkOf(game, k);
                while (chunks[c].get() != &chunk) {
                    ++c;
                }
                mayMatch = ValueMasks(chunk, terms, masks, named == nullptr) || named != nullptr;
                masked = true;
                r = 0;
            }
            if (!mayMatch) {
                continue;
            }
            const auto& runs = chunks[c]->runs;
            while (game >= runs[r].first + runs[r].count) {
                ++r;
            }
            found.Offer(game, Holds(runs[r].Ids(game - runs[r].first), masks, game));
        }
        return found;
    }

private:
    bool Holds(const std::uint16_t* ids, const std::vector<std::uint64_t>& masks,
               std::size_t game) const noexcept {
        const std::uint64_t* mask = masks.data();
        std::uint64_t m =
            mask[ids[0]] | mask[ids[1]] | mask[ids[2]] | mask[ids[3]] | mask[ids[4]] | mask[ids[5]];
        if (named != nullptr) {
            m |= (*named)[openings->Entry(game)];
        }
        return m == all;
    }

    const CGameSearchKeys& keys;
    std::vector<std::string> terms;
    std::uint64_t all;
    const CListOpenings* openings;
    const std::vector<std::uint64_t>* named; // the terms of each opening entry; kNone's last
};

// Runs part(begin, end) over [0, count) on two threads when it is long, and joins the parts.
template <typename Part>
std::vector<std::uint32_t> Split(std::size_t count, Part part) {
    if (count < kGamesForTwoThreads) {
        const CFound found = part(0, count);
        return {found.begin(), found.end()};
    }
    const std::size_t half = count / 2;
    std::optional<CFound> second;
    std::thread helper([&second, &part, half, count] { second.emplace(part(half, count)); });
    const CFound first = part(0, half);
    helper.join();
    std::vector<std::uint32_t> both;
    both.reserve(first.size() + second->size());
    both.insert(both.end(), first.begin(), first.end());
    both.insert(both.end(), second->begin(), second->end());
    return both;
}

// The games of `within` (all games from `from` on when null) that hold the terms of `matcher`.
std::vector<std::uint32_t> MatchSome(const CMatcher& matcher, std::size_t size, std::size_t from,
                                     const std::vector<std::uint32_t>* within) {
    if (within != nullptr) {
        const std::uint32_t* data = within->data();
        return Split(within->size(), [&matcher, data](std::size_t begin, std::size_t end) {
            return matcher.Among(data + begin, data + end);
        });
    }
    from = std::min(from, size);
    return Split(size - from, [&matcher, from](std::size_t begin, std::size_t end) {
        return matcher.Range(from + begin, from + end);
    });
}

// The search over the terms kTermsAtOnce at a time, each pass among the games of the last.
std::vector<std::uint32_t> Match(const CGameSearchKeys& keys, const std::vector<std::string>& terms,
                                 const CListOpenings* openings,
                                 const std::vector<std::uint64_t>* named, std::size_t from,
                                 const std::vector<std::uint32_t>* within) {
    if (terms.empty()) {
        if (within != nullptr) {
            return *within;
        }
        std::vector<std::uint32_t> found(keys.Size() - std::min(from, keys.Size()));
        std::iota(found.begin(), found.end(), static_cast<std::uint32_t>(from));
        return found;
    }
    std::vector<std::uint32_t> found =
        MatchSome(CMatcher(keys, TermsFrom(terms, 0), openings, named), keys.Size(), from, within);
    for (std::size_t t = kTermsAtOnce; t < terms.size(); t += kTermsAtOnce) {
        found = MatchSome(CMatcher(keys, TermsFrom(terms, t), nullptr, nullptr), keys.Size(), 0,
                          &found);
    }
    return found;
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

std::vector<std::uint32_t> MatchGames(const CGameSearchKeys& keys,
                                      const std::vector<std::string>& terms, std::size_t from) {
    return Match(keys, terms, nullptr, nullptr, from, nullptr);
}

std::vector<std::uint32_t> MatchGamesWithin(const CGameSearchKeys& keys,
                                            const std::vector<std::string>& terms,
                                            const std::vector<std::uint32_t>& within) {
    return Match(keys, terms, nullptr, nullptr, 0, &within);
}

CFoldedOpenings::CFoldedOpenings(std::shared_ptr<const COpeningBook> book) : book(std::move(book)) {
    for (std::size_t e = 0; this->book != nullptr && e < this->book->Size(); ++e) {
        starts.push_back(static_cast<std::uint32_t>(text.size()));
        text += FoldForSearch(OpeningText(*this->book, static_cast<COpeningBook::CEntryIndex>(e)));
        text += '\n';
    }
    starts.push_back(static_cast<std::uint32_t>(text.size()));
}

// An opening's text counts for the first kTermsAtOnce terms; past them, fields alone.
std::vector<std::uint32_t> MatchGamesAndOpenings(const CGameSearchKeys& keys,
                                                 const std::vector<std::string>& terms,
                                                 const CListOpenings& openings,
                                                 const CFoldedOpenings& folded, std::size_t from,
                                                 const std::vector<std::uint32_t>* within) {
    const std::vector<std::string> first = terms.empty() ? terms : TermsFrom(terms, 0);
    // For each entry, the terms its text holds; none for kNone.
    std::vector<std::uint64_t> named(std::size_t{COpeningBook::kNone} + 1);
    bool any = false;
    if (folded.book == openings.Book() && folded.starts.size() > 1) {
        for (std::size_t t = 0; t < first.size(); ++t) {
            const std::string& term = first[t];
            for (std::size_t at = folded.text.find(term); at != std::string::npos;) {
                const auto entry = static_cast<std::size_t>(
                    std::upper_bound(folded.starts.begin(), folded.starts.end(), at) -
                    folded.starts.begin() - 1);
                named[entry] |= std::uint64_t{1} << t;
                any = true;
                at = folded.text.find(term, folded.starts[entry + 1]);
            }
        }
    }
    return Match(keys, terms, any ? &openings : nullptr, any ? &named : nullptr, from, within);
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
