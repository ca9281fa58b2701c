#pragma once

#include <functional>
#include <string>

// The engine the user chose and what it is told: kept in the user's settings, sent to the
// engine only when they change.
struct CEngineSettings {
    static constexpr const char* kDefaultPath = "/usr/games/stockfish";
    static constexpr int kMaxLines = 5;

    std::string path = kDefaultPath;
    int threads = 1; // Defaults(): the machine's cores less one, at least 1
    int hashMb = 64;
    int lines = 1; // MultiPV, 1 to kMaxLines

    bool operator==(const CEngineSettings&) const = default;

    static CEngineSettings Defaults();
    // The same with every value in its range: threads 1-1024, hash 1-65536 MB, lines 1-5; an
    // empty path is the default engine.
    CEngineSettings Clamped() const;
};

// The keys of the settings, read through `read(key, fallback)` and written through
// `write(key, value)`: "engine/path", "engine/threads", "engine/hash", "engine/lines". A value
// that does not read as a number keeps its default; every value is clamped.
CEngineSettings
ReadEngineSettings(const std::function<std::string(const std::string&, const std::string&)>& read);
void WriteEngineSettings(const CEngineSettings& settings,
                         const std::function<void(const std::string&, const std::string&)>& write);
