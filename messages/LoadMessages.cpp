#include "messages/LoadMessages.h"

#include "common/TextDecoding.h"
#include "messages/PlainReason.h"
#include "resources/StringTable.h"

namespace {

constexpr std::size_t kListedDrops = 5;
constexpr std::size_t kLineCharacters = 200;

std::string Line(std::string_view bytes, ELegacyCodePage page = ELegacyCodePage::kWindows1252) {
    return CutText(DecodeToUtf8(bytes, page), kLineCharacters);
}

// "Game 6, Smith – Jones (line 120)": the players and the line where they are known.
std::string NameGame(const CDroppedGame& game, ELegacyCodePage page) {
    std::string text = "Game " + std::to_string(game.ordinal + 1);
    if (!game.white.empty() || !game.black.empty()) {
        text += ", " + Line(game.white.empty() ? "?" : game.white, page) + " \u2013 " +
                Line(game.black.empty() ? "?" : game.black, page);
    }
    if (game.line > 0) {
        text += " (line " + std::to_string(game.line) + ")";
    }
    return text;
}

} // namespace

CPlainMessage LoadFailureText(std::string_view path, std::string_view plainReason,
                              std::string_view message) {
    CPlainMessage plain{std::string(strings::kPgnNotValid) + '\n' + Line(path), Line(message)};
    if (!plainReason.empty()) {
        plain.text += ": " + Line(plainReason);
    } else if (SaysNoGame(message)) {
        plain.text += " is not a PGN file: no game found in it";
    } else if (!message.empty()) {
        plain.text += ": " + PlainReason(message);
    }
    return plain;
}

CPlainMessage DroppedGamesText(std::string_view path, const CLoadReport& report) {
    CPlainMessage plain;
    std::string& text = plain.text;
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
        for (std::size_t i = 0; i < dropped; ++i) {
            const CDroppedGame& game = report.dropped[i];
            if (i < kListedDrops) {
                text += "\n" + NameGame(game, report.codePage) + ": skipped, " +
                        PlainReason(game.message);
            }
            plain.details += (i == 0 ? "" : "\n") + std::string("Game ") +
                             std::to_string(game.ordinal + 1) + ": " +
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
    return plain;
}

std::string LoadStatusText(std::string_view path, std::size_t added, const CLoadReport& report) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::string text =
        std::to_string(added) + (added == 1 ? " game" : " games") + " added from " + Line(name);
    if (!report.dropped.empty()) {
        text += ", " + std::to_string(report.dropped.size()) + " dropped";
    }
    return text;
}

CPlainMessage PasteFailureText(std::string_view text, std::string_view technical) {
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        return {std::string(strings::kNothingToPaste), std::string(technical)};
    }
    return {std::string(strings::kPasteNotRead) + PlainReason(technical) + ".",
            std::string(technical)};
}
