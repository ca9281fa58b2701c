#include "gametable/GameSortKeys.h"

#include "chess/ChessGameData.h"
#include "common/SearchFolding.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <utility>

namespace {

constexpr std::uint64_t kValueBits = 40;
constexpr std::uint64_t kValueMask = (std::uint64_t{1} << kValueBits) - 1;

// A run of digits at the start of `text` as a number (at most nine digits are read); -1 when
// there is none.
std::int64_t LeadingNumber(std::string_view text, std::size_t& length) noexcept {
    length = 0;
    std::int64_t value = 0;
    while (length < text.size() && text[length] >= '0' && text[length] <= '9') {
        if (length < 9) {
            value = value * 10 + (text[length] - '0');
        }
        ++length;
    }
    return length == 0 ? -1 : value;
}

// A date's group (0 full, 1 partial, 2 unknown) in the bits above kValueBits and below them
// its value as YYYYMMDD, 99 standing for an unknown month or day.
std::uint64_t DateKey(std::string_view date) noexcept {
    std::int64_t parts[3] = {-1, -1, -1};
    for (std::int64_t& part : parts) {
        std::size_t length = 0;
        part = LeadingNumber(date, length);
        const std::size_t dot = date.find('.');
        if (dot == std::string_view::npos) {
            break;
        }
        date.remove_prefix(dot + 1);
    }
    if (parts[0] < 0 || parts[0] > 99999) {
        return std::uint64_t{2} << kValueBits;
    }
    const bool monthKnown = parts[1] >= 0 && parts[1] < 99;
    const bool dayKnown = monthKnown && parts[2] >= 0 && parts[2] < 99;
    const auto value = static_cast<std::uint64_t>(
        parts[0] * 10000 + (monthKnown ? parts[1] : 99) * 100 + (dayKnown ? parts[2] : 99));
    return (std::uint64_t{dayKnown ? 0u : 1u} << kValueBits) | value;
}

std::uint64_t ResultRank(int result) noexcept {
    switch (result) {
    case ResultWhiteWon:
        return 0;
    case ResultDraw:
        return 1;
    case ResultBlackWon:
        return 2;
    default:
        return 3;
    }
}

// Rounds with a leading number before those without, by that number.
std::uint64_t RoundKey(std::string_view round) noexcept {
    std::size_t length = 0;
    const std::int64_t number = LeadingNumber(round, length);
    return number < 0 ? std::uint64_t{1} << kValueBits : static_cast<std::uint64_t>(number);
}

ESearchField SearchFieldOf(EGameColumn column) noexcept {
    switch (column) {
    case kColumnWhite:
        return kSearchWhite;
    case kColumnBlack:
        return kSearchBlack;
    case kColumnEvent:
        return kSearchEvent;
    case kColumnSite:
        return kSearchSite;
    case kColumnDate:
        return kSearchDate;
    default:
        return kSearchRound;
    }
}

} // namespace

namespace {

// Each entry's place among the entries of `book` in the order of their texts; 0xFFFF (after all)
// for kNone.
std::vector<std::uint16_t> OpeningRanks(const COpeningBook* book) {
    std::vector<std::uint16_t> ranks(std::size_t{COpeningBook::kNone} + 1, 0xFFFF);
    if (book == nullptr) {
        return ranks;
    }
    std::vector<std::string> texts(book->Size());
    std::vector<std::uint16_t> entries(book->Size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = FoldForSearch(OpeningText(*book, static_cast<COpeningBook::CEntryIndex>(i)));
        entries[i] = static_cast<std::uint16_t>(i);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [&texts](std::uint16_t a, std::uint16_t b) { return texts[a] < texts[b]; });
    for (std::size_t place = 0; place < entries.size(); ++place) {
        ranks[entries[place]] = static_cast<std::uint16_t>(place);
    }
    return ranks;
}

// A distinct text of a column, where it stands.
struct CRankedText {
    std::uint64_t number; // what orders before the text: a round's leading number
    std::string_view text;
    std::uint32_t chunk;
    std::uint16_t id;
};

} // namespace

void CGameSortKeys::RankTexts(const CGameListSnapshot& games, const CGameSearchKeys& keys) {
    primary.resize(games.Size());
    std::vector<std::uint32_t> ranks;
    if (column == kColumnFile) {
        std::vector<std::string> names;
        for (const std::shared_ptr<const CGameBatch>& batch : games.Batches()) {
            names.push_back(FoldForSearch(batch->File()->Name()));
        }
        std::vector<std::string> distinct = names;
        std::sort(distinct.begin(), distinct.end());
        std::size_t game = 0;
        for (std::size_t b = 0; b < names.size(); ++b) {
            const auto rank = static_cast<std::uint32_t>(
                std::lower_bound(distinct.begin(), distinct.end(), names[b]) - distinct.begin());
            const std::size_t end = game + games.Batches()[b]->Size();
            std::fill(primary.begin() + static_cast<std::ptrdiff_t>(game),
                      primary.begin() + static_cast<std::ptrdiff_t>(end), rank);
            game = end;
        }
        return;
    }
    const ESearchField field = SearchFieldOf(column);
    const auto& chunks = keys.Chunks();
    std::vector<CRankedText> texts;
    std::vector<std::vector<std::uint32_t>> rankOf(chunks.size());
    for (std::size_t c = 0; c < chunks.size(); ++c) {
        const CGameSearchKeys::CChunk& chunk = *chunks[c];
        std::vector<bool> used(chunk.ValueCount());
        chunk.ForEachId(field, [&used](std::size_t, std::uint16_t id) { used[id] = true; });
        for (std::size_t id = 0; id < used.size(); ++id) {
            if (!used[id]) {
                continue;
            }
            const auto value = static_cast<std::uint16_t>(id);
            CRankedText ranked{0, chunk.Value(value), static_cast<std::uint32_t>(c), value};
            if (column == kColumnRound) {
                ranked.number = RoundKey(ranked.text);
            } else if (column == kColumnDate) { // by date alone, descending within its group
                ranked.number = DateKey(chunk.table->Value(value));
                if (descending) {
                    ranked.number =
                        (ranked.number & ~kValueMask) | (kValueMask - (ranked.number & kValueMask));
                }
                ranked.text = {};
            }
            texts.push_back(ranked);
        }
        rankOf[c].resize(chunk.ValueCount());
    }
    std::sort(texts.begin(), texts.end(), [](const CRankedText& a, const CRankedText& b) {
        return a.number != b.number ? a.number < b.number : a.text < b.text;
    });
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0 &&
            (texts[i].number != texts[i - 1].number || texts[i].text != texts[i - 1].text)) {
            ++rank;
        }
        rankOf[texts[i].chunk][texts[i].id] = rank;
    }
    for (std::size_t c = 0; c < chunks.size(); ++c) {
        const std::vector<std::uint32_t>& ranks = rankOf[c];
        chunks[c]->ForEachId(field, [this, &ranks](std::size_t game, std::uint16_t id) {
            primary[game] = ranks[id];
        });
    }
}

void CGameSortKeys::Extend(const CGameListSnapshot& games, const CGameSearchKeys& keys,
                           const CListOpenings* openings) {
    // Ranks change as values are added: ranked columns are made again for all games.
    const bool ranked = column != kColumnNumber && column != kColumnResult &&
                        column != kColumnMoves && column != kColumnOpening;
    if (column == kColumnOpening) { // an unnamed game's 0xFFFF stays last either way
        const std::vector<std::uint16_t> ranks =
            OpeningRanks(openings != nullptr ? openings->Book().get() : nullptr);
        const std::size_t from = primary.size();
        primary.resize(games.Size());
        for (std::size_t game = from; game < games.Size(); ++game) {
            const std::uint32_t key =
                ranks[openings != nullptr ? openings->Entry(game) : COpeningBook::kNone];
            primary[game] = descending && key != 0xFFFF ? 0xFFFE - key : key;
        }
        return;
    }
    const std::size_t from = ranked ? 0 : primary.size();
    if (ranked) {
        RankTexts(games, keys);
    } else {
        primary.resize(games.Size());
        if (column == kColumnNumber) {
            std::iota(primary.begin() + static_cast<std::ptrdiff_t>(from), primary.end(),
                      static_cast<std::uint32_t>(from));
        }
        for (std::size_t game = column == kColumnNumber ? games.Size() : from;
             game < games.Size();) {
            std::size_t first = 0;
            const CGameBatch& batch = games.BatchOf(game, first);
            for (; game < first + batch.Size(); ++game) {
                const CStoredGame& stored = batch.Game(game - first);
                primary[game] =
                    static_cast<std::uint32_t>(column == kColumnResult  ? ResultRank(stored.result)
                                               : column == kColumnMoves ? (stored.moveCount + 1) / 2
                                                                        : game);
            }
        }
    }
    if (descending && column != kColumnDate) {
        for (std::size_t game = from; game < primary.size(); ++game) {
            primary[game] = ~primary[game];
        }
    }
}

// A counting pass when the keys less the least differ by less than 2^16, else two passes of
// 16-bit digits. Keys already in order, or in reverse order, cost one pass.
void RadixOrder(const std::vector<std::uint32_t>& keys, std::vector<std::uint32_t>& order) {
    order.resize(keys.size());
    if (keys.empty()) {
        return;
    }
    const auto [low, high] = std::minmax_element(keys.begin(), keys.end());
    const std::uint32_t least = *low;
    const std::uint32_t differ = *high - least;
    const bool rising = std::is_sorted(keys.begin(), keys.end());
    if (rising || std::adjacent_find(keys.begin(), keys.end(), std::less_equal<>()) == keys.end()) {
        std::iota(order.begin(), order.end(), 0u);
        if (!rising) {
            std::reverse(order.begin(), order.end());
        }
        return;
    }
    // Where each digit's run starts, from the counts of the digits.
    const auto starts = [](std::vector<std::uint32_t>& counts) {
        std::uint32_t at = 0;
        for (std::uint32_t& count : counts) {
            at += std::exchange(count, at);
        }
    };
    std::vector<std::uint32_t> counts(std::size_t{1} << 16);
    if (differ <= 0xFFFF) {
        for (const std::uint32_t key : keys) {
            ++counts[key - least];
        }
        starts(counts);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            order[counts[keys[i] - least]++] = static_cast<std::uint32_t>(i);
        }
        return;
    }
    std::vector<std::uint32_t> highCounts(std::size_t{1} << 16);
    for (const std::uint32_t key : keys) {
        ++counts[(key - least) & 0xFFFF];
        ++highCounts[(key - least) >> 16];
    }
    starts(counts);
    starts(highCounts);
    // By the low digit, keeping each key's high digit beside its index; then by the high one.
    std::vector<std::uint32_t> byLow(keys.size());
    std::vector<std::uint16_t> highOf(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::uint32_t key = keys[i] - least;
        const std::uint32_t to = counts[key & 0xFFFF]++;
        byLow[to] = static_cast<std::uint32_t>(i);
        highOf[to] = static_cast<std::uint16_t>(key >> 16);
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        order[highCounts[highOf[i]]++] = byLow[i];
    }
}

void SortedOrder(const CGameSortKeys& keys, std::vector<std::uint32_t>& order) {
    RadixOrder(keys.Keys(), order);
}

std::vector<std::uint32_t> SortedOrder(const CGameSortKeys& keys) {
    std::vector<std::uint32_t> order;
    RadixOrder(keys.Keys(), order);
    return order;
}
