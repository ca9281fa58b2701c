#include "openings/PositionScanner.h"

#include "common/GeneralException.h"
#include "openings/OpeningsExceptions.h"

CPositionScanner::CPositionScanner(const CKeyedPosition& target)
    : target(target), signature(target.Signature()) {
}

void CPositionScanner::Add(const CGameListSnapshot& games, const CGameSubset* subset,
                           const std::atomic<bool>* cancel) {
    const CPositionKey key = target.Key();
    std::uint32_t number = 0;
    for (const auto& batch : games.Batches()) {
        for (std::size_t i = 0; i < batch->Size(); ++i, ++number) {
            if (cancel != nullptr && (number & 1023) == 0 && cancel->load()) {
                return;
            }
            if (subset != nullptr && !subset->Contains(number)) {
                continue;
            }
            const CStoredGame& game = batch->Game(i);
            CKeyedPosition position;
            try {
                position = CKeyedPosition::Start(game.Tag(kStart));
            } catch (const CGeneralException&) {
                continue;
            }
            for (std::uint32_t ply = 0; position.Signature().MayLeadTo(signature); ++ply) {
                const CPackedMove next = ply < game.moveCount ? game.moves[ply] : kNoMove;
                if (position.Key() == key) {
                    tally.Add(next, CGameFacts::Of(game));
                    visits.push_back({number, static_cast<std::uint16_t>(ply)});
                    break;
                }
                if (next == kNoMove) {
                    break;
                }
                try {
                    position.Play(UnpackMove(next));
                } catch (const COpeningsException&) {
                    break;
                }
            }
        }
    }
}
