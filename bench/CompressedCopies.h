#pragma once

#include <string>
#include <vector>

// A compressed copy of a PGN file made for the benchmark, with the libraries the reader uses.
struct CCompressedCopy {
    std::string label; // "zstd", "zstd 4MB frames", "gzip", "bzip2", "zip"
    std::string path;
};

// Writes the copies of `plain` into `folder`: zstd at level 3 in one frame and in frames of
// 4 MB of text (as parallel compressors write it), gzip at level 6, bzip2 at level 9 and a zip
// archive holding the file (deflate), the command-line tools' defaults. Empty on failure.
std::vector<CCompressedCopy> WriteCompressedCopies(const std::string& plain,
                                                   const std::string& folder);
