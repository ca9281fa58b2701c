#include "shell/LoadMessages.h"

#include "common/TextDecoding.h"
#include "resources/StringTable.h"

namespace {
constexpr std::size_t kListedDrops = 5;
}

std::string LoadFailureText(std::string_view reason) {
    std::string text(strings::kPgnNotValid);
    if (!reason.empty()) {
        text += '\n';
        text += DecodeToUtf8(reason);
    }
    return text;
}

std::string DroppedGamesText(const CLoadReport& report) {
    const std::size_t dropped = report.dropped.size();
    if (dropped == 0) {
        return {};
    }
    std::string text = std::to_string(dropped) + " of the " + std::to_string(report.gameTexts) +
                       (report.gameTexts == 1 ? " game" : " games") +
                       " in this file could not be read and " + (dropped == 1 ? "is" : "are") +
                       " left out:";
    for (std::size_t i = 0; i < dropped && i < kListedDrops; ++i) {
        const CDroppedGame& game = report.dropped[i];
        text += "\nGame " + std::to_string(game.ordinal + 1) + ": " + DecodeToUtf8(game.message);
    }
    if (dropped > kListedDrops) {
        text += "\n... and " + std::to_string(dropped - kListedDrops) + " more.";
    }
    return text;
}
