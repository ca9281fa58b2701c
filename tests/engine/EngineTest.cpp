#include "EngineEvents.h"
#include "SpawnedProcess.h"
#include "engine/EngineException.h"
#include "engine/GameAnalysis.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

using testutil::CEngineEvents;
using testutil::LinesOf;
using testutil::Steps;

namespace {

// The fake engine started in `mode` through a script of its own, as a user's engine path.
std::string FakeEngine(const std::string& mode, const std::string& delay = "0") {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tavrin-fake-uci-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / (mode + "-" + delay);
    std::ofstream(path) << "#!/bin/sh\nexec bash '" FAKE_ENGINE "' " << mode << ' ' << delay
                        << '\n';
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path.string();
}

// Short enough for the faults to show quickly, long enough for a loaded machine's bash.
const CEngineLimits kLimits{3000, 300};

// The fake scores a position by its number of moves, from the side to move.
int FakeScore(int plies) {
    return plies % 2 == 0 ? plies : -plies;
}

} // namespace

// Each fault gives its message once; an error switches the analysis off, and the next
// switch-on with a sound engine analyses again.
TEST(LiveAnalysis, EachFaultOfTheFakeEngineGivesItsMessageAndTheNextStartWorks) {
    CTestProcessFactory factory;
    const struct {
        std::string path;
        CEngineEvent::EKind kind;
        std::string message;
    } faults[] = {
        {"/nonexistent/engine", CEngineEvent::EKind::Error,
         "CUciEngine::Start(): The engine /nonexistent/engine cannot be started (No such file). "
         "Install Debian's package stockfish (sudo apt install stockfish) or choose a UCI engine "
         "in the Engine settings."},
        {FakeEngine("slow", "6"), CEngineEvent::EKind::Error,
         "CUciEngine::Start(): The engine @ did not answer uci within 3 s and was stopped."},
        {FakeEngine("noready"), CEngineEvent::EKind::Error,
         "CUciEngine::WaitFor(): The engine @ did not answer isready within 3 s and was "
         "stopped."},
        {FakeEngine("crash"), CEngineEvent::EKind::Error,
         "CUciEngine::ReadLine(): The engine @ crashed (signal 11)."},
        {FakeEngine("nostop"), CEngineEvent::EKind::Error,
         "CLiveAnalysis::Analyse(): The engine @ did not stop its search within 3 s and was "
         "stopped."},
        {FakeEngine("garbage"), CEngineEvent::EKind::Warning,
         "CLiveAnalysis::Analyse(): The engine @ sent a line that does not read: \"info depth x "
         "score cp 5\""},
    };
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault.path);
        CEngineEvents events;
        CLiveAnalysis live(factory, events.Sink(), kLimits);
        CEngineSettings settings;
        settings.path = fault.path;
        live.SetSettings(settings);
        live.SwitchOn();
        live.Analyse(1, Steps(1));
        CEngineEvent event;
        if (fault.path.find("nostop") != std::string::npos) {
            ASSERT_TRUE(events.WaitFor(LinesOf(1), event));
            live.Analyse(2, Steps(2));
        }
        ASSERT_TRUE(
            events.WaitFor([&](const CEngineEvent& e) { return e.kind == fault.kind; }, event));
        std::string expected = fault.message;
        if (const std::size_t at = expected.find('@'); at != std::string::npos) {
            expected.replace(at, 1, fault.path);
        }
        EXPECT_EQ(event.text, expected);
        if (fault.kind == CEngineEvent::EKind::Warning) {
            // Analysis goes on.
            EXPECT_TRUE(live.IsOn());
            ASSERT_TRUE(events.WaitFor(LinesOf(1), event)) << events.Dump();
            continue;
        }
        EXPECT_FALSE(live.IsOn());
        const std::size_t before = events.All().size();
        settings.path = FakeEngine("ok");
        live.SetSettings(settings);
        live.SwitchOn();
        live.Analyse(3, Steps(3));
        ASSERT_TRUE(events.WaitFor(LinesOf(3), event, before)) << events.Dump();
        EXPECT_EQ(event.lines.at(0).score.value, FakeScore(3));
        for (const CEngineEvent& e : events.All()) {
            EXPECT_TRUE(e.kind != fault.kind || e.text == expected) << e.text;
        }
    }
}

// Fifty positions given back to back to a slow engine: every line reported carries the id of
// the position it was searched for, no earlier id follows a later one, and the last position's
// lines come last. Then the whole game at a fixed budget, and a cancel.
TEST(LiveAnalysis, QuickStepsNeverReportAnEarlierPositionsLines) {
    CTestProcessFactory factory;
    CEngineEvents events;
    {
        CLiveAnalysis live(factory, events.Sink(), {}, 30);
        CEngineSettings settings;
        settings.path = FakeEngine("slow", "0.05");
        live.SetSettings(settings);
        live.SwitchOn();
        for (int step = 1; step <= 50; ++step) {
            live.Analyse(static_cast<std::uint64_t>(step), Steps(step));
            std::this_thread::sleep_for(std::chrono::milliseconds(step % 10 == 0 ? 80 : 3));
        }
        CEngineEvent last;
        ASSERT_TRUE(events.WaitFor(LinesOf(50), last)) << events.Dump();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        live.SwitchOff();
    }
    std::uint64_t latest = 0;
    for (const CEngineEvent& e : events.All()) {
        ASSERT_TRUE(e.kind == CEngineEvent::EKind::Lines || e.kind == CEngineEvent::EKind::Started);
        if (e.kind == CEngineEvent::EKind::Lines) {
            EXPECT_GE(e.positionId, latest);
            latest = e.positionId;
            EXPECT_EQ(e.lines.at(0).score.value, FakeScore(static_cast<int>(e.positionId)));
        }
    }
    EXPECT_EQ(latest, 50u);

    std::vector<std::size_t> progress;
    CGameAnalysisResult result;
    std::atomic<bool> done{false};
    CEngineSettings settings;
    settings.path = FakeEngine("ok");
    {
        CGameAnalysisJob job(
            factory, settings, {}, Steps(6),
            {[&](std::size_t k, std::size_t, const CPositionAnalysis&) { progress.push_back(k); },
             [&](const CGameAnalysisResult& r) {
                 result = r;
                 done = true;
             }},
            kLimits);
        while (!done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    EXPECT_EQ(progress, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6, 7}));
    ASSERT_EQ(result.positions.size(), 7u);
    EXPECT_EQ(result.positions[6].score.value, 6);
    EXPECT_EQ(result.moves.size(), 6u);
    EXPECT_FALSE(result.cancelled);
    settings.path = FakeEngine("nostop");
    done = false;
    {
        CGameAnalysisJob job(factory, settings, {}, Steps(6),
                             {nullptr,
                              [&](const CGameAnalysisResult& r) {
                                  result = r;
                                  done = true;
                              }},
                             kLimits);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    EXPECT_TRUE(done);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.error, "CUciEngine::Go(): The engine " + settings.path +
                                " did not end its search within 3 s of stop and was stopped.");
}
