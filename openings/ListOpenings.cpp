#include "openings/ListOpenings.h"

#include "common/GeneralException.h"
#include "openings/OpeningsFolder.h"

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

bool CReadOpenings::Classify(const std::vector<std::shared_ptr<const CGameBatch>>& batches,
                             const CLoadProgress* progress) {
    book = InstalledOpeningBook();
    if (book == nullptr) {
        return true;
    }
    std::optional<std::vector<COpeningMark>> classified =
        ClassifyGames(*book, batches, 0, progress);
    if (classified) {
        marks = std::move(*classified);
    }
    return classified.has_value();
}

CListOpenings::CListOpenings(std::shared_ptr<const COpeningBook> book, const CListOpenings* before,
                             const std::vector<COpeningMark>& more)
    : book(std::move(book)) {
    const std::size_t kept = before != nullptr ? before->entries.size() : 0;
    entries.reserve(kept + more.size());
    if (kept > 0) {
        entries.assign(before->entries.begin(), before->entries.end());
    }
    for (const COpeningMark& mark : more) {
        entries.push_back(mark.entry);
    }
}

std::string CListOpenings::Text(std::size_t game) const {
    return book ? OpeningText(*book, Entry(game)) : std::string();
}
