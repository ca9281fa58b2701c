#pragma once

#include "pgn/GameBatch.h"

#include <cstdint>
#include <string>

// Reads [offset, offset + length) of a listed file's text again into `text`: from the file
// itself, from a compressed file by decompressing from the restart point before the range, or
// from the text kept in memory. The file must be the one read: the same size and modification
// time. False, with `why` saying so in a few words ("the file is gone.", "the file has changed
// since it was loaded.", "the file could not be read."), when it cannot. Any thread; never
// throws for bad input.
bool ReadSourceText(const CSourceFile& file, std::uint64_t offset, std::uint32_t length,
                    std::string& text, std::string& why);
