#include "common/GeneralException.h"
#include "pgn/PGNReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

// A text may be refused as a whole with a CGeneralException. Once a load has succeeded, every
// query must answer without throwing and agree with the load's report; a crash, a sanitizer
// report or an escaping exception is a finding.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CPGNReader reader;
    try {
        reader.LoadText(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const CGeneralException&) {
        return 0;
    }
    const int count = reader.GamesCount();
    const CLoadReport report = reader.LastLoadReport();
    if (report.gamesRead != count ||
        report.gameTexts != count + static_cast<int>(report.dropped.size()) ||
        static_cast<int>(reader.GamesTitles().size()) != count) {
        std::abort();
    }
    for (int i = 0; i < count; ++i) {
        const CChessGameData game = reader.GetGameData(i);
        for (int m = 0; m < game.MovesCount(); ++m) {
            static_cast<void>(game.GetMove(m));
        }
    }
    return 0;
}
