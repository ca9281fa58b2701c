#include "gametable/GameFilter.h"

#include "common/SearchFolding.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <numeric>

namespace {

bool Holds(std::string_view key, const std::string& term) noexcept {
    return ::memmem(key.data(), key.size(), term.data(), term.size()) != nullptr;
}

bool HoldsAll(std::string_view key, const std::vector<std::string>& terms) noexcept {
    return std::all_of(terms.begin(), terms.end(),
                       [key](const std::string& term) { return Holds(key, term); });
}

// The longest term: usually the rarest, so the one to scan the whole text for.
std::size_t LongestTerm(const std::vector<std::string>& terms) noexcept {
    std::size_t longest = 0;
    for (std::size_t t = 1; t < terms.size(); ++t) {
        if (terms[t].size() > terms[longest].size()) {
            longest = t;
        }
    }
    return longest;
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

// Scans each chunk's text for the longest term: a hit names a game, whose whole key is then
// checked, and the scan goes on at the next game's key.
std::vector<std::uint32_t> MatchGames(const CGameSearchKeys& keys,
                                      const std::vector<std::string>& terms, std::size_t from) {
    std::vector<std::uint32_t> found;
    if (terms.empty()) {
        found.resize(keys.Size() - std::min(from, keys.Size()));
        std::iota(found.begin(), found.end(), static_cast<std::uint32_t>(from));
        return found;
    }
    const std::string& scanned = terms[LongestTerm(terms)];
    for (const std::shared_ptr<const CGameSearchKeys::CChunk>& chunk : keys.Chunks()) {
        if (chunk->first + chunk->Size() <= from) {
            continue;
        }
        const char* text = chunk->text.data();
        const std::vector<std::uint32_t>& starts = chunk->starts;
        std::size_t k = from > chunk->first ? from - chunk->first : 0;
        while (k < chunk->Size()) {
            const char* hit = static_cast<const char*>(::memmem(
                text + starts[k], starts.back() - starts[k], scanned.data(), scanned.size()));
            if (hit == nullptr) {
                break;
            }
            const auto offset = static_cast<std::uint32_t>(hit - text);
            k = static_cast<std::size_t>(
                    std::upper_bound(starts.begin() + static_cast<std::ptrdiff_t>(k), starts.end(),
                                     offset) -
                    starts.begin()) -
                1;
            const std::string_view key(text + starts[k], starts[k + 1] - starts[k]);
            if (terms.size() == 1 || HoldsAll(key, terms)) {
                found.push_back(static_cast<std::uint32_t>(chunk->first + k));
            }
            ++k;
        }
    }
    return found;
}

std::vector<std::uint32_t> MatchGamesWithin(const CGameSearchKeys& keys,
                                            const std::vector<std::string>& terms,
                                            const std::vector<std::uint32_t>& within) {
    std::vector<std::uint32_t> found;
    const auto& chunks = keys.Chunks();
    std::size_t c = 0;
    for (std::size_t i = 0; i < within.size(); ++i) {
        const std::uint32_t game = within[i];
        while (game >= chunks[c]->first + chunks[c]->Size()) {
            ++c;
        }
        const CGameSearchKeys::CChunk& chunk = *chunks[c];
        const std::size_t k = game - chunk.first;
        const std::string_view key(chunk.text.data() + chunk.starts[k],
                                   chunk.starts[k + 1] - chunk.starts[k]);
        if (HoldsAll(key, terms)) {
            found.push_back(game);
        }
    }
    return found;
}

// A term no opening's text holds needs the keys alone: the plain scans then serve.
std::vector<std::uint32_t> MatchGamesAndOpenings(const CGameSearchKeys& keys,
                                                 const std::vector<std::string>& terms,
                                                 const CListOpenings& openings, std::size_t from,
                                                 const std::vector<std::uint32_t>* within) {
    const COpeningBook* book = openings.Book().get();
    // For each term, the entries whose text holds it.
    std::vector<std::vector<bool>> named(terms.size());
    bool any = false;
    if (book != nullptr) {
        std::vector<std::string> texts(book->Size());
        for (std::size_t e = 0; e < texts.size(); ++e) {
            texts[e] = FoldForSearch(OpeningText(*book, static_cast<COpeningBook::CEntryIndex>(e)));
        }
        for (std::size_t t = 0; t < terms.size(); ++t) {
            named[t].resize(texts.size());
            for (std::size_t e = 0; e < texts.size(); ++e) {
                named[t][e] = Holds(texts[e], terms[t]);
                any = any || named[t][e];
            }
        }
    }
    if (!any) {
        return within != nullptr ? MatchGamesWithin(keys, terms, *within)
                                 : MatchGames(keys, terms, from);
    }
    const auto matches = [&](std::uint32_t game) {
        const std::string_view key = keys.Key(game);
        const COpeningBook::CEntryIndex entry = openings.Mark(game).entry;
        for (std::size_t t = 0; t < terms.size(); ++t) {
            if (!(entry != COpeningBook::kNone && named[t][entry]) && !Holds(key, terms[t])) {
                return false;
            }
        }
        return true;
    };
    std::vector<std::uint32_t> found;
    if (within != nullptr) {
        std::copy_if(within->begin(), within->end(), std::back_inserter(found), matches);
    } else {
        for (auto game = static_cast<std::uint32_t>(from); game < keys.Size(); ++game) {
            if (matches(game)) {
                found.push_back(game);
            }
        }
    }
    return found;
}

std::vector<std::uint32_t> RowsInOrder(const std::vector<std::uint32_t>& order,
                                       const std::vector<std::uint32_t>* matches) {
    if (matches == nullptr) {
        return order;
    }
    if (matches->size() == order.size()) {
        return order;
    }
    std::vector<std::uint32_t> rows;
    rows.reserve(matches->size());
    std::vector<bool> shown(order.size());
    for (const std::uint32_t game : *matches) {
        shown[game] = true;
    }
    for (const std::uint32_t game : order) {
        if (shown[game]) {
            rows.push_back(game);
        }
    }
    return rows;
}
