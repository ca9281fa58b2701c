#include "gametable/GameSortKeys.h"

#include "chess/ChessGameData.h"
#include "common/SearchFolding.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr std::uint64_t kValueBits = 40;
constexpr std::uint64_t kValueMask = (std::uint64_t{1} << kValueBits) - 1;

// The first eight bytes of a text, big-endian and padded with zeros, so that they order as the
// texts do.
std::uint64_t Prefix(std::string_view text) noexcept {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        prefix = prefix << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    }
    return prefix;
}

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

} // namespace

void CGameSortKeys::Extend(const CGameListSnapshot& games,
                           std::shared_ptr<const CGameSearchKeys> keys,
                           const CListOpenings* openings) {
    const bool textual = column != kColumnNumber && column != kColumnResult &&
                         column != kColumnDate && column != kColumnMoves &&
                         column != kColumnOpening;
    const std::vector<std::uint16_t> ranks =
        column == kColumnOpening ? OpeningRanks(openings ? openings->Book().get() : nullptr)
                                 : std::vector<std::uint16_t>();
    const ESearchField field = SearchFieldOf(column);
    primary.reserve(games.Size());
    if (textual) {
        texts.reserve(games.Size());
    }
    std::size_t game = primary.size();
    while (game < games.Size()) {
        std::size_t first = 0;
        const CGameBatch& batch = games.BatchOf(game, first);
        if (column == kColumnFile) {
            const std::string name = FoldForSearch(batch.File()->Name());
            if (fileNames.empty() || fileNames.back() != name) {
                fileNames.push_back(name);
            }
        }
        for (; game < first + batch.Size(); ++game) {
            const CStoredGame& stored = batch.Game(game - first);
            std::uint64_t key = 0;
            switch (column) {
            case kColumnNumber:
                key = game;
                break;
            case kColumnResult:
                key = ResultRank(stored.result);
                break;
            case kColumnMoves:
                key = (stored.moveCount + 1) / 2;
                break;
            case kColumnDate:
                key = DateKey(stored.Tag(kDate));
                break;
            case kColumnOpening: // an unnamed game's 0xFFFF stays last either way
                key = ranks[openings ? openings->Mark(game).entry : COpeningBook::kNone];
                key = descending && key != 0xFFFF ? 0xFFFE - key : key;
                primary.push_back(key);
                continue;
            case kColumnFile:
                texts.push_back(fileNames.back());
                key = Prefix(texts.back());
                break;
            default:
                texts.push_back(keys->Field(game, field));
                key = column == kColumnRound ? RoundKey(texts.back()) : Prefix(texts.back());
                break;
            }
            if (descending) {
                key = column == kColumnDate
                          ? (key & ~kValueMask) | (kValueMask - (key & kValueMask))
                          : ~key;
            }
            primary.push_back(key);
        }
    }
    searchKeys = std::move(keys);
}

std::vector<std::uint32_t> SortedOrder(const CGameSortKeys& keys) {
    std::vector<std::uint32_t> order(keys.Size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(),
              [&keys](std::uint32_t a, std::uint32_t b) { return keys.Before(a, b); });
    return order;
}

std::vector<std::uint32_t> MergedOrder(const std::vector<std::uint32_t>& order,
                                       const CGameSortKeys& keys) {
    std::vector<std::uint32_t> added(keys.Size() - order.size());
    std::iota(added.begin(), added.end(), static_cast<std::uint32_t>(order.size()));
    const auto before = [&keys](std::uint32_t a, std::uint32_t b) { return keys.Before(a, b); };
    std::sort(added.begin(), added.end(), before);
    std::vector<std::uint32_t> merged(keys.Size());
    std::merge(order.begin(), order.end(), added.begin(), added.end(), merged.begin(), before);
    return merged;
}
