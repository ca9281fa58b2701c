#include "pgn/PGNReader.h"

#include "pgn/PGNExceptions.h"

#include <algorithm>
#include <cstring>

namespace {

// Frees the reader's text however the parse ends.
struct CTextRelease {
    std::unique_ptr<char[]>& text;
    std::size_t& length;
    ~CTextRelease() {
        text.reset();
        length = 0;
    }
};

std::string Title(const CChessGameData& game) {
    std::string title;
    const std::string event = game.GetEvent();
    if (!event.empty()) {
        title += event;
        title += ": ";
    }
    const std::string white = game.GetWhite();
    title += white.empty() ? "?" : white;
    title += " - ";
    const std::string black = game.GetBlack();
    title += black.empty() ? "?" : black;
    return title;
}

} // namespace

void CPGNReader::Load(const std::string& path) {
    LoadFile(path);
    // The text ends at the file's first 0 byte, if it holds one.
    textLength = ::strnlen(buffer.get(), static_cast<std::size_t>(size));
    text = std::move(buffer);
    const CTextRelease release{text, textLength};
    ParseData();
}

void CPGNReader::LoadText(std::string_view content) {
    textLength = std::min(content.find('\0'), content.size());
    text = std::make_unique<char[]>(textLength + 1);
    std::memcpy(text.get(), content.data(), textLength);
    loaded = true;
    const CTextRelease release{text, textLength};
    ParseData();
}

int CPGNReader::GamesCount() const {
    if (!loaded) {
        throw CPGNReaderException("CPGNReader::GamesCount(): There was no file loaded!");
    }
    const std::lock_guard lock(gamesMutex);
    return static_cast<int>(games.size());
}

CChessGameData CPGNReader::GetGameData(const int& i) const {
    if (!loaded) {
        throw CPGNReaderException("CPGNReader::GetGameData(): There was no file loaded!");
    }
    if (i < 0) {
        throw CPGNReaderException(
            "CPGNReader::GetGameData(): Parameter 'i' is lower than 0! Index cannot be negative!");
    }
    const std::lock_guard lock(gamesMutex);
    if (static_cast<std::size_t>(i) >= games.size()) {
        throw CPGNReaderException("CPGNReader::GetGameData(): Parameter 'i' out of range!");
    }
    return games[static_cast<std::size_t>(i)];
}

std::string CPGNReader::PrepareGameTitle(const int& index) const {
    const auto count = static_cast<unsigned>(GamesCount());
    const std::lock_guard lock(gamesMutex);
    if (static_cast<unsigned>(index) >= count || static_cast<unsigned>(index) >= games.size()) {
        throw CPGNReaderException("CPGNReader::PrepareGameTitle(): Index out of range!");
    }
    return Title(games[static_cast<unsigned>(index)]);
}

std::vector<std::string> CPGNReader::GamesTitles() const {
    const std::lock_guard lock(gamesMutex);
    std::vector<std::string> titles;
    titles.reserve(games.size());
    for (const CChessGameData& game : games) {
        titles.push_back(Title(game));
    }
    return titles;
}

CLoadReport CPGNReader::LastLoadReport() const {
    const std::lock_guard lock(gamesMutex);
    return report;
}
