#pragma once

#include "common/ByteStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct zip;

// One file in a zip archive, as its central directory describes it.
struct CZipEntry {
    std::uint64_t index = 0;
    std::string name;             // as stored: a path inside the archive, '/' between folders
    std::uint64_t size = 0;       // decompressed
    std::uint64_t storedSize = 0; // compressed
    bool folder = false;          // a name ending in '/'
    bool encrypted = false;
    bool methodSupported = true; // its compression method can be decompressed here
    std::uint16_t method = 0;    // the compression method's number
};

// A zip archive opened for reading its entries one after the other. The entries' data is
// decompressed as it is read; nothing is written anywhere. One thread at a time.
class CZipArchive {
public:
    // Reads the archive's directory. Throws CDecompressionException "CZipArchive::CZipArchive():
    // <why>" when it is not a zip archive or its directory is damaged or missing (as when the
    // file was cut short).
    explicit CZipArchive(const std::string& path);
    ~CZipArchive();
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;

    // In the archive's order.
    const std::vector<CZipEntry>& Entries() const noexcept { return entries; }
    // The decompressed bytes of the entry of archive index `index` (CZipEntry::index); its
    // SourceBytesRead counts
    // the entry's compressed bytes in proportion to the text read. The stream must end before
    // the archive. Throws CDecompressionException when the entry cannot be opened.
    std::unique_ptr<AByteStream> Open(std::uint64_t index);

private:
    zip* archive = nullptr;
    std::vector<CZipEntry> entries;
};
