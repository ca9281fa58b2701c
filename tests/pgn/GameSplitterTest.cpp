#include "pgn/GameSplitter.h"

#include "pgn/TagPairScanner.h"

#include <iterator>
#include <random>
#include <string>
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
