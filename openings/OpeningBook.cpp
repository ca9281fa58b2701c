#include "openings/OpeningBook.h"

#include "common/FileProblem.h"
#include "common/GeneralException.h"
#include "openings/OpeningsExceptions.h"
#include "openings/SanLine.h"

#include <algorithm>
#include <bit>
#include <fstream>
#include <iterator>

namespace {

[[noreturn]] void Fail(std::string_view source, std::size_t lineNumber, const std::string& why) {
    throw COpeningsException("COpeningBook::Load(): '" + std::string(source) + "' line " +
                             std::to_string(lineNumber) + ": " + why);
}

bool IsEco(std::string_view eco) {
    return eco.size() == 3 && eco[0] >= 'A' && eco[0] <= 'E' && eco[1] >= '0' && eco[1] <= '9' &&
           eco[2] >= '0' && eco[2] <= '9';
}

// The whole file; throws COpeningsException naming the file and why it cannot be read. A pipe
// or a device is refused before it is opened, so that nothing blocks.
std::string ReadWholeFile(const std::string& path) {
    std::string problem = DescribeFileProblem(path);
    std::ifstream file;
    if (problem.empty()) {
        file.open(path, std::ios::binary);
    }
    std::string text;
    if (file) {
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    if (!problem.empty() || file.bad() || !file.is_open()) {
        throw COpeningsException("COpeningBook::Load(): Cannot read '" + path + "'" +
                                 (problem.empty() ? "" : " (" + problem + ")") + "!");
    }
    return text;
}

} // namespace

COpeningBook COpeningBook::Load(const std::string& folder) {
    COpeningBook book;
    for (const char* name : kFiles) {
        const std::string path = folder + "/" + name;
        book.AddText(ReadWholeFile(path), path);
    }
    book.Seal();
    return book;
}

void COpeningBook::AddText(std::string_view text, std::string_view source) {
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view row = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (!row.empty() && row.back() == '\r') {
            row.remove_suffix(1);
        }
        if (row.empty() || (lineNumber == 1 && row.starts_with("eco\t"))) {
            continue;
        }
        const std::size_t tab1 = row.find('\t');
        const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : row.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos || row.find('\t', tab2 + 1) != std::string_view::npos) {
            Fail(source, lineNumber, "not three columns (eco, name, pgn)!");
        }
        COpeningEntry entry{std::string(row.substr(0, tab1)),
                            std::string(row.substr(tab1 + 1, tab2 - tab1 - 1)),
                            std::string(row.substr(tab2 + 1)), 0};
        if (!IsEco(entry.eco) || entry.name.empty()) {
            Fail(source, lineNumber, "no ECO code and name!");
        }
        if (entries.size() >= kNone) {
            Fail(source, lineNumber, "too many lines!");
        }
        CKeyedPosition position;
        try {
            entry.plies = static_cast<int>(ReadSanLine(entry.line, position).size());
        } catch (const CGeneralException& e) {
            Fail(source, lineNumber, e.GetMessage());
        }
        if (entry.plies == 0) {
            Fail(source, lineNumber, "no moves!");
        }
        entries.push_back(std::move(entry));
        finalKeys.push_back(position.Key());
        finalSignatures.push_back(position.Signature());
    }
}

void COpeningBook::Seal() {
    const std::size_t slots = std::bit_ceil(std::max<std::size_t>(16, entries.size() * 4));
    slotKeys.assign(slots, 0);
    slotEntries.assign(slots, kNone);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::size_t slot = finalKeys[i] & (slots - 1);
        while (slotEntries[slot] != kNone && slotKeys[slot] != finalKeys[i]) {
            slot = (slot + 1) & (slots - 1);
        }
        CEntryIndex& holder = slotEntries[slot];
        if (holder == kNone || entries[i].plies < entries[holder].plies) {
            slotKeys[slot] = finalKeys[i];
            holder = static_cast<CEntryIndex>(i);
        }
    }

    minPieces.assign(1 << 16, 255);
    for (const CReachSignature& signature : finalSignatures) {
        std::uint8_t& least = minPieces[signature.HomeBits()];
        least = std::min(least, signature.pieces);
    }
    // From each mask to every mask that holds it.
    for (unsigned bit = 1; bit < (1u << 16); bit <<= 1) {
        for (unsigned mask = 0; mask < (1u << 16); ++mask) {
            if (mask & bit) {
                minPieces[mask] = std::min(minPieces[mask], minPieces[mask ^ bit]);
            }
        }
    }
}

COpeningBook::CEntryIndex COpeningBook::Find(CPositionKey key) const noexcept {
    if (slotKeys.empty()) {
        return kNone;
    }
    const std::size_t mask = slotKeys.size() - 1;
    for (std::size_t slot = key & mask; slotEntries[slot] != kNone; slot = (slot + 1) & mask) {
        if (slotKeys[slot] == key) {
            return slotEntries[slot];
        }
    }
    return kNone;
}
