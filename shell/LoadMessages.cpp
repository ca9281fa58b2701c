#include "shell/LoadMessages.h"

#include "common/TextDecoding.h"
#include "resources/StringTable.h"

namespace {

constexpr std::size_t kListedDrops = 5;
constexpr std::size_t kLineCharacters = 200;

std::string Line(std::string_view bytes, ELegacyCodePage page = ELegacyCodePage::kWindows1252) {
    return CutText(DecodeToUtf8(bytes, page), kLineCharacters);
}

} // namespace

std::string LoadFailureText(std::string_view path, std::string_view plainReason,
                            std::string_view message) {
    std::string text(strings::kPgnNotValid);
    text += '\n';
    text += Line(path);
    if (!plainReason.empty()) {
        text += ": ";
        text += Line(plainReason);
    }
    if (!message.empty()) {
        text += '\n';
        text += Line(message);
    }
    return text;
}

std::string DroppedGamesText(std::string_view path, const CLoadReport& report) {
    std::string text;
    const auto paragraph = [&text] {
        if (!text.empty()) {
            text += "\n\n";
        }
    };
    for (const std::string& stop : report.stops) {
        paragraph();
        text += "Reading " + Line(path) +
                " stopped early; the games before that point are listed:\n" + Line(stop);
    }
    const std::size_t dropped = report.dropped.size();
    if (dropped > 0) {
        paragraph();
        text += std::to_string(dropped) + " of the " + std::to_string(report.gameTexts) +
                (report.gameTexts == 1 ? " game" : " games") + " in " + Line(path) +
                " could not be read and " + (dropped == 1 ? "is" : "are") + " left out:";
        for (std::size_t i = 0; i < dropped && i < kListedDrops; ++i) {
            const CDroppedGame& game = report.dropped[i];
            text += "\nGame " + std::to_string(game.ordinal + 1) + ": " +
                    Line(game.message, report.codePage);
        }
        if (dropped > kListedDrops) {
            text += "\n... and " + std::to_string(dropped - kListedDrops) + " more.";
        }
    }
    const std::size_t skipped = report.skipped.size();
    if (skipped > 0) {
        paragraph();
        text += std::to_string(skipped) + (skipped == 1 ? " entry" : " entries") + " of " +
                Line(path) + (skipped == 1 ? " was" : " were") + " skipped:";
        for (std::size_t i = 0; i < skipped && i < kListedDrops; ++i) {
            text += "\n" + Line(report.skipped[i].name) + ": " + report.skipped[i].reason;
        }
        if (skipped > kListedDrops) {
            text += "\n... and " + std::to_string(skipped - kListedDrops) + " more.";
        }
    }
    return text;
}
