#include "tools/tavrin-pgn/JsonWriter.h"

#include "common/TextDecoding.h"

#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

std::string Utf8(std::uint32_t cp) {
    if (cp < 0x80) {
        return std::string(1, static_cast<char>(cp));
    }
    const int tail = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    std::string s(1, static_cast<char>(((0xFF << (7 - tail)) & 0xFF) | (cp >> (6 * tail))));
    for (int k = tail - 1; k >= 0; --k) {
        s += static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F));
    }
    return s;
}

// Reads back a JSON string literal as a JSON parser would; fails the test on anything a
// parser would refuse (a raw control character, an unknown escape, a missing quote).
std::string ParseJsonString(const std::string& literal) {
    EXPECT_GE(literal.size(), 2u);
    EXPECT_EQ(literal.front(), '"');
    EXPECT_EQ(literal.back(), '"');
    std::string value;
    for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
        const auto c = static_cast<unsigned char>(literal[i]);
        EXPECT_GE(c, 0x20) << "raw control character in " << literal;
        EXPECT_NE(c, '"') << "unescaped quote in " << literal;
        if (c != '\\') {
            value += static_cast<char>(c);
            continue;
        }
        const char kind = literal[++i];
        if (kind == 'u') {
            value +=
                Utf8(static_cast<std::uint32_t>(std::stoul(literal.substr(i + 1, 4), nullptr, 16)));
            i += 4;
        } else if (kind == '"' || kind == '\\' || kind == '/') {
            value += kind;
        } else {
            const std::string simple = "bfnrt";
            const std::string meaning = "\b\f\n\r\t";
            const std::size_t at = simple.find(kind);
            EXPECT_NE(at, std::string::npos) << "bad escape in " << literal;
            value += at == std::string::npos ? '?' : meaning[at];
        }
    }
    return value;
}

} // namespace

TEST(JsonWriter, EscapesQuotesBackslashesAndControls) {
    std::string out;
    AppendJsonString(out, "a\"b\\c\n\t\x01\x1F\x7F"
                          "d\xC2\x80\xC2\x9F\xC2\xA0");
    // C1 controls are escaped, U+00A0 (the next code point) is not.
    EXPECT_EQ(out, "\"a\\\"b\\\\c\\u000a\\u0009\\u0001\\u001f\\u007fd\\u0080\\u009f\xC2\xA0\"");
    out.clear();
    AppendJsonString(out, "");
    EXPECT_EQ(out, "\"\"");
}

TEST(JsonWriter, RandomStringsSurviveARoundTripThroughAJsonParser) {
    std::mt19937 rng(99);
    // Code points drawn mostly from the ranges that need care.
    const std::uint32_t picks[] = {0x00, 0x01, 0x0A, 0x1F, 0x20, '"',  '\\',   '/',    'u',
                                   0x7F, 0x80, 0x85, 0x9F, 0xA0, 0xFC, 0x2028, 0xFFFD, 0x1F600};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(picks) - 1);
    std::uniform_int_distribution<int> length(0, 12);
    for (int round = 0; round < 20000; ++round) {
        std::string value;
        for (int k = length(rng); k > 0; --k) {
            value += Utf8(picks[pick(rng)]);
        }
        std::string literal;
        AppendJsonString(literal, value);
        ASSERT_EQ(ParseJsonString(literal), value) << testing::PrintToString(value);
        ASSERT_TRUE(IsValidUtf8(literal));
    }
}
