#pragma once

#include "common/GeneralException.h"
#include "pgn/PGNReader.h"

#include <filesystem>
#include <memory>
#include <string>

namespace testutil {

// The games of the samples and of the PGN fixtures (files that cannot be read are left out),
// read `times` times over so that positions are reached by several games.
inline std::shared_ptr<const CGameListSnapshot> SampleGames(int times = 1) {
    static CPGNReader reader;
    reader.Clear();
    for (int round = 0; round < times; ++round) {
        for (const char* folder : {"samples", "tests/fixtures/pgn"}) {
            for (const auto& file : std::filesystem::directory_iterator(folder)) {
                if (file.path().extension() == ".pgn") {
                    try {
                        reader.Load(file.path().string());
                    } catch (const CGeneralException&) {
                    }
                }
            }
        }
    }
    return reader.Games();
}

} // namespace testutil
