#pragma once

#include "chess/ChessGameData.h"
#include "pgn/AnnotatedGame.h"
#include "pgn/GameBatch.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where a listed game's text stands: its file as it was read and the byte range of the game.
struct CGameSource {
    std::shared_ptr<const CSourceFile> file;
    std::uint64_t offset = 0;
    std::uint32_t length = 0;
};

// A listed game's annotations, read again from its file when it is shown: the tag pairs (as far
// as they read), and the annotated tree when the second reader agrees with the first on the main
// line. Without the tree, `note` says why in one line for the notation panel; a game read from
// memory has neither tree nor note.
struct CGameAnnotations {
    std::vector<CTagPair> tags;
    std::optional<CAnnotatedGame> tree;
    std::string note;
    ELegacyCodePage codePage = ELegacyCodePage::kWindows1252; // of the file's text
};

// Reads the game's range again. The file must be the one read: the same size and modification
// time, else the note says it changed (or is gone). Of each comment only the first
// `keepComment` bytes are kept (see CAnnotationReader::Read). Never throws for bad input; any
// thread.
CGameAnnotations ReadGameAnnotations(const CGameSource& source, const CChessGameData& game,
                                     std::size_t keepComment = std::string_view::npos);
