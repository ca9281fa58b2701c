#include "openings/ListOpenings.h"

#include "common/GeneralException.h"
#include "openings/OpeningsFolder.h"

#include <algorithm>
#include <mutex>
#include <utility>

std::string OpeningText(const COpeningBook& book, COpeningBook::CEntryIndex entry) {
    if (entry == COpeningBook::kNone || entry >= book.Size()) {
        return {};
    }
    const COpeningEntry& named = book.Entry(entry);
    return named.eco + ' ' + named.name;
}

std::string LineOpeningText(const COpeningBook* book, const std::string& start,
                            std::span<const CMove> moves) {
    if (book == nullptr) {
        return {};
    }
    try {
        return OpeningText(*book, ClassifyLine(*book, CKeyedPosition::Start(start), moves).entry);
    } catch (const CGeneralException&) {
        return {};
    }
}

std::shared_ptr<const COpeningBook> InstalledOpeningBook(std::string* problem) {
    static std::once_flag once;
    static std::shared_ptr<const COpeningBook> book;
    static std::string why;
    std::call_once(once, [] {
        try {
            book = std::make_shared<const COpeningBook>(COpeningBook::Load(OpeningsFolder()));
        } catch (const CGeneralException& e) {
            why = e.GetMessage();
        } catch (const std::bad_alloc&) {
            why = "Not enough memory to read the opening names.";
        }
    });
    if (problem != nullptr) {
        *problem = why;
    }
    return book;
}

std::vector<COpeningBook::CEntryIndex> EntriesOf(const std::vector<COpeningMark>& marks) {
    std::vector<COpeningBook::CEntryIndex> entries(marks.size());
    std::transform(marks.begin(), marks.end(), entries.begin(),
                   [](const COpeningMark& mark) { return mark.entry; });
    return entries;
}

bool CReadOpenings::Classify(const std::vector<std::shared_ptr<const CGameBatch>>& batches,
                             const CLoadProgress* progress) {
    book = InstalledOpeningBook();
    if (book == nullptr) {
        return true;
    }
    std::optional<std::vector<COpeningMark>> classified =
        ClassifyGames(*book, batches, 0, progress);
    if (classified) {
        entries = EntriesOf(*classified);
    }
    return classified.has_value();
}

CListOpenings::CListOpenings(std::shared_ptr<const COpeningBook> book, const CListOpenings* before,
                             std::vector<COpeningBook::CEntryIndex> more)
    : book(std::move(book)) {
    if (before == nullptr || before->entries.empty()) {
        entries = std::move(more);
        return;
    }
    entries.reserve(before->entries.size() + more.size());
    entries.assign(before->entries.begin(), before->entries.end());
    entries.insert(entries.end(), more.begin(), more.end());
}

std::string CListOpenings::Text(std::size_t game) const {
    return book ? OpeningText(*book, Entry(game)) : std::string();
}
