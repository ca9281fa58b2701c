#include "pgn/GameSplitter.h"

#include "pgn/PGNReader.h"
#include "pgn/TagPairScanner.h"

#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsEventStart(std::string_view text, std::size_t pos) {
    return text.substr(pos, 7) == "[Event\"";
}

// The splitting rule written out character by character: a run of adjacent tag pairs starts a
// game, and so does every "[Event"" but the first Event pair of a run. `runsStartWithEvent`
// tells whether every run begins with an Event pair.
std::vector<std::size_t> PlainStarts(std::string_view text, bool& runsStartWithEvent) {
    std::vector<std::size_t> starts;
    runsStartWithEvent = true;
    std::size_t covered = 0; // end of the last tag pair
    std::size_t runEnd = npos;
    bool runHasEvent = false;
    for (std::size_t p = 0; p < text.size(); ++p) {
        if (text[p] != '[') {
            continue;
        }
        const bool event = IsEventStart(text, p);
        if (p < covered) {
            if (event) {
                starts.push_back(p);
                runHasEvent = true;
            }
            continue;
        }
        const std::size_t end = ScanTagPair(text, p);
        if (end == npos) {
            if (event) {
                starts.push_back(p);
            }
            runEnd = npos;
            continue;
        }
        if (p != runEnd) {
            starts.push_back(p);
            runHasEvent = false;
            runsStartWithEvent = runsStartWithEvent && event;
        } else if (event && runHasEvent) {
            starts.push_back(p);
        }
        runHasEvent = runHasEvent || event;
        runEnd = covered = end;
    }
    return starts;
}

// Drives the splitter as the reader does and checks the contract of each call.
std::vector<std::size_t> SplitterStarts(std::string_view text) {
    CGameSplitter splitter(text);
    std::vector<std::size_t> starts;
    for (;;) {
        const std::size_t before = starts.size();
        const bool more = splitter.FindMore(starts);
        EXPECT_EQ(more, starts.size() > before);
        if (!more) {
            break;
        }
    }
    EXPECT_FALSE(splitter.FindMore(starts));
    return starts;
}

} // namespace

// Random texts of fragments that tag pairs, values and movetext can leave after
// pre-processing, split by the splitter and by the plain scan above. Where every run of tag
// pairs begins with an Event pair, the games start exactly at the "[Event"" occurrences.
TEST(GameSplitter, AgreesWithAPlainScanOnRandomTexts) {
    const char* const pieces[] = {"[Event\"A\"]",
                                  "[Site\"s\"]",
                                  "[White\"w\\\"x\"]",
                                  "[Result\"1-0\"]",
                                  "[ECO]",
                                  "[Event\"",
                                  "[Site\"[Event\"]",
                                  "[Site\"a\"",
                                  "[Event\"a]b\"]",
                                  "[event\"e\"]",
                                  "[Event\"x\\",
                                  "]",
                                  "[",
                                  "\"",
                                  "\\",
                                  " 1. e4 ",
                                  "*"};
    std::mt19937 random(10);
    int eventFirst = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 14);
        for (int i = 0; i < count; ++i) {
            text += pieces[random() % std::size(pieces)];
        }
        bool runsStartWithEvent = false;
        const std::vector<std::size_t> expected = PlainStarts(text, runsStartWithEvent);
        ASSERT_EQ(SplitterStarts(text), expected) << text;
        if (runsStartWithEvent) {
            ++eventFirst;
            std::vector<std::size_t> events;
            for (std::size_t p = text.find("[Event\""); p != npos;
                 p = text.find("[Event\"", p + 1)) {
                events.push_back(p);
            }
            ASSERT_EQ(expected, events) << text;
        }
    }
    EXPECT_GT(eventFirst, 1000);
}

namespace {

struct CGamePlan {
    std::vector<std::string> tags; // "Name", in file order
    std::string movetext;
    std::string marker;
    std::string result; // the Result tag value, if a Result tag is among the tags
    int plies = 0;
};

// "1-0", "0-1", "1/2-1/2" give their codes, anything else none.
int ResultCode(const std::string& text) {
    const std::vector<std::string> codes = {"1-0", "0-1", "1/2-1/2"};
    return static_cast<int>(std::find(codes.begin(), codes.end(), text) - codes.begin());
}

std::string Value(const std::string& tag, std::size_t game, const CGamePlan& plan) {
    return tag == "Result" ? plan.result : tag + std::to_string(game);
}

bool Has(const CGamePlan& plan, const std::string& tag) {
    return std::find(plan.tags.begin(), plan.tags.end(), tag) != plan.tags.end();
}

std::string Field(const CGamePlan& plan, const std::string& tag, std::size_t game) {
    return Has(plan, tag) ? Value(tag, game, plan) : "";
}

} // namespace

// Files of games with any tags in any order, with or without movetext and termination marker,
// read game by game. A game of tag pairs only is followed by a game that begins with its Event
// pair, and holds an Event pair itself: otherwise both are one tag section.
TEST(GameSplitter, FilesOfGamesWithAnyTagsReadGameByGame) {
    const std::vector<std::string> names = {"Event", "Site",   "Date", "Round",  "White",
                                            "Black", "Result", "ECO",  "Opening"};
    const std::vector<std::pair<std::string, int>> movetexts = {
        {"", 0}, {"1. e4 e5", 2}, {"1. d4 d5 2. c4", 3}, {"1. Nf3", 1}};
    const std::vector<std::string> markers = {"", "*", "1-0", "0-1", "1/2-1/2"};
    const std::vector<std::string> gaps = {"\n", " ", "\r\n", "\n{note}\n", "\n; x\n", "\n%x\n"};
    std::mt19937 random(1010);
    const auto pick = [&random](const auto& items) -> const auto& {
        return items[random() % items.size()];
    };
    for (int round = 0; round < 400; ++round) {
        std::vector<CGamePlan> plans(1 + random() % 7);
        for (CGamePlan& plan : plans) {
            for (const std::string& name : names) {
                if (random() % 3 == 0) {
                    plan.tags.push_back(name);
                }
            }
            if (plan.tags.empty()) {
                plan.tags.push_back(pick(names));
            }
            std::shuffle(plan.tags.begin(), plan.tags.end(), random);
            const auto& movetext = pick(movetexts);
            plan.movetext = movetext.first;
            plan.plies = movetext.second;
            plan.marker = pick(markers);
            plan.result = plan.marker.empty() ? pick(markers) : plan.marker;
        }
        for (std::size_t i = 0; i + 1 < plans.size(); ++i) {
            if (plans[i].movetext.empty() && plans[i].marker.empty()) {
                if (!Has(plans[i], "Event")) {
                    plans[i].tags.push_back("Event");
                }
                std::vector<std::string>& next = plans[i + 1].tags;
                next.erase(std::remove(next.begin(), next.end(), "Event"), next.end());
                next.insert(next.begin(), "Event");
            }
        }

        std::string text = round % 2 ? "junk 1. e4 e5\n" : "";
        for (std::size_t i = 0; i < plans.size(); ++i) {
            for (const std::string& tag : plans[i].tags) {
                text += "[" + tag + " \"" + Value(tag, i, plans[i]) + "\"]" + pick(gaps);
            }
            text += plans[i].movetext + " " + plans[i].marker + "\n\n";
        }

        CPGNReader reader;
        reader.LoadText(text);
        const CLoadReport report = reader.LastLoadReport();
        ASSERT_TRUE(report.dropped.empty()) << report.dropped.front().message << "\n" << text;
        ASSERT_EQ(reader.GamesCount(), static_cast<int>(plans.size())) << text;
        for (std::size_t i = 0; i < plans.size(); ++i) {
            const CGamePlan& plan = plans[i];
            const CChessGameData game = reader.GetGameData(static_cast<int>(i));
            EXPECT_EQ(game.GetEvent() + "|" + game.GetSite() + "|" + game.GetWhite() + "|" +
                          game.GetBlack(),
                      Field(plan, "Event", i) + "|" + Field(plan, "Site", i) + "|" +
                          Field(plan, "White", i) + "|" + Field(plan, "Black", i))
                << text;
            EXPECT_EQ(game.MovesCount(), plan.plies) << text;
            const int tagResult = Has(plan, "Result") ? ResultCode(plan.result) : ResultNone;
            EXPECT_EQ(game.GetResult(),
                      tagResult != ResultNone ? tagResult : ResultCode(plan.marker))
                << text;
        }
    }
}
