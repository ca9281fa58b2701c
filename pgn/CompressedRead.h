#pragma once

#include "common/CompressionFormat.h"
#include "pgn/TextParser.h"

#include <cstddef>
#include <string>
#include <sys/stat.h>

struct CLoadProgress;

// How a compressed text is read: in pieces of about `pieceBytes` of text, each parsed while the
// next is decompressed. Tests use small pieces to cut texts in many places.
struct CStreamSettings {
    unsigned threads = 0; // parsing threads, as for ParsePgnText
    std::size_t pieceBytes = std::size_t{8} << 20;
    // Text farther than this from the restart point before it is kept in memory; 0 for what
    // the format decompresses in about 150 ms.
    std::uint64_t keepReach = 0;
};

// Reads the games of a zstd, gzip or bzip2 file (`fd`, open, with its `status`), decompressing
// it as it goes: the file is never held whole, nothing is written anywhere. Progress counts the
// file's bytes. Data that is damaged or cut short ends the text there: the games before are
// kept, the game being read is dropped, and the report's stops say where and why. Throws as
// ParsePgnText does when no game text was found at all.
CParsedText ReadCompressedPgn(const std::string& path, int fd, const struct stat& status,
                              ECompression format, const CStreamSettings& settings,
                              CLoadProgress* progress);

// Reads the games of every PGN entry (a name ending in ".pgn", in any case) of a zip archive, in
// the archive's order, each entry a file of its own for the games table. Other entries are
// skipped and, but folders, listed in the report, as are encrypted entries and those compressed
// with a method that cannot be read. Throws CDecompressionException when the archive's
// directory cannot be read, and CPGNReaderException when no game text was found.
CParsedText ReadZipPgn(const std::string& path, const struct stat& status,
                       const CStreamSettings& settings, CLoadProgress* progress);
