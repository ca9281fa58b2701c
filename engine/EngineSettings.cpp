#include "engine/EngineSettings.h"

#include <algorithm>
#include <charconv>
#include <thread>

namespace {

int ReadInt(const std::string& text, int fallback) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : fallback;
}

} // namespace

CEngineSettings CEngineSettings::Defaults() {
    CEngineSettings settings;
    settings.threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
    return settings;
}

CEngineSettings CEngineSettings::Clamped() const {
    CEngineSettings clamped = *this;
    if (clamped.path.empty()) {
        clamped.path = kDefaultPath;
    }
    clamped.threads = std::clamp(threads, 1, 1024);
    clamped.hashMb = std::clamp(hashMb, 1, 65536);
    clamped.lines = std::clamp(lines, 1, kMaxLines);
    return clamped;
}

CEngineSettings
ReadEngineSettings(const std::function<std::string(const std::string&, const std::string&)>& read) {
    const CEngineSettings defaults = CEngineSettings::Defaults();
    CEngineSettings settings;
    settings.path = read("engine/path", defaults.path);
    settings.threads = ReadInt(read("engine/threads", ""), defaults.threads);
    settings.hashMb = ReadInt(read("engine/hash", ""), defaults.hashMb);
    settings.lines = ReadInt(read("engine/lines", ""), defaults.lines);
    return settings.Clamped();
}

void WriteEngineSettings(const CEngineSettings& settings,
                         const std::function<void(const std::string&, const std::string&)>& write) {
    write("engine/path", settings.path);
    write("engine/threads", std::to_string(settings.threads));
    write("engine/hash", std::to_string(settings.hashMb));
    write("engine/lines", std::to_string(settings.lines));
}
