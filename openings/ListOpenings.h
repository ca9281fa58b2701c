#pragma once

#include "openings/GameOpenings.h"
#include "openings/OpeningBook.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

// "B90 Sicilian Defense: Najdorf Variation": the ECO code and the name of book entry `entry`;
// empty for COpeningBook::kNone.
std::string OpeningText(const COpeningBook& book, COpeningBook::CEntryIndex entry);

// The text of the last named position among `start` (a FEN, empty for the usual start) and the
// positions after each of `moves` (ClassifyLine): the opening of a position on show. Empty
// without a book, a name, or a start that cannot be read.
std::string LineOpeningText(const COpeningBook* book, const std::string& start,
                            std::span<const CMove> moves);

// The opening data installed with the program, read once on first use by whichever thread asks
// first; null when it cannot be read, with the reason in `problem` when given. Any thread.
std::shared_ptr<const COpeningBook> InstalledOpeningBook(std::string* problem = nullptr);

// The entries of `marks`, in their order.
std::vector<COpeningBook::CEntryIndex> EntriesOf(const std::vector<COpeningMark>& marks);

// The openings of the games a load read, classified on its worker with the installed data.
struct CReadOpenings {
    std::shared_ptr<const COpeningBook> book;       // null when the data cannot be read
    std::vector<COpeningBook::CEntryIndex> entries; // of the games read, in their order
    // Classifies the games of `batches`; false when `progress` was cancelled meanwhile.
    bool Classify(const std::vector<std::shared_ptr<const CGameBatch>>& batches,
                  const CLoadProgress* progress);
};

// The openings of the games of a list, in list order, with the book that names them: two
// bytes a game (the entry; where in a game it was reached is not kept). Never changes once
// made, so any thread may read it; a load makes a new one that copies the entries of the old
// and adds its own.
class CListOpenings {
public:
    CListOpenings() = default;
    // `before`'s entries (none when null), then `more`; named by `book`. The entries of a first
    // load are taken over, not copied.
    CListOpenings(std::shared_ptr<const COpeningBook> book, const CListOpenings* before,
                  std::vector<COpeningBook::CEntryIndex> more);

    std::size_t Size() const noexcept { return entries.size(); }
    // The book entry that names game `game`; kNone for none, or a game beyond Size().
    COpeningBook::CEntryIndex Entry(std::size_t game) const noexcept {
        return game < entries.size() ? entries[game] : COpeningBook::kNone;
    }
    // OpeningText of the game's entry; empty when it has none.
    std::string Text(std::size_t game) const;
    // Null while no data names openings.
    const std::shared_ptr<const COpeningBook>& Book() const noexcept { return book; }

private:
    std::shared_ptr<const COpeningBook> book;
    std::vector<COpeningBook::CEntryIndex> entries;
};
