#include "common/TextDecoding.h"

#include <cstdint>
#include <iconv.h>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

// Converts with the C library's iconv, which serves as the reference; false when it refuses
// the input.
class CIconv {
public:
    CIconv(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~CIconv() { iconv_close(cd); }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    bool Convert(std::string in, std::string& out) {
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            ADD_FAILURE() << "iconv cannot open the conversion";
            return false;
        }
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        out.assign(in.size() * 4 + 8, '\0');
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            return false;
        }
        out.resize(out.size() - outLeft);
        return true;
    }

private:
    iconv_t cd;
};

std::string EncodeUtf8(std::uint32_t cp) {
    std::string in(4, '\0');
    for (int k = 0; k < 4; ++k) {
        in[k] = static_cast<char>((cp >> (8 * k)) & 0xFF);
    }
    static CIconv fromUtf32("UTF-8", "UTF-32LE");
    std::string out;
    EXPECT_TRUE(fromUtf32.Convert(in, out)) << cp;
    return out;
}

// Reference validator: decodes greedily by the lead byte's length and accepts a sequence only
// when re-encoding its code point gives back the same bytes.
bool ReferenceValid(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
        if (length == 0 || i + length > s.size() || c >= 0xF8) {
            return false;
        }
        std::uint32_t cp = length == 1 ? c : (c & (0x7F >> length));
        for (std::size_t k = 1; k < length; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) ||
            EncodeUtf8(cp) != s.substr(i, length)) {
            return false;
        }
        i += length;
    }
    return true;
}

} // namespace

TEST(TextDecoding, EverySingleHighByteDecodesInEachCodePage) {
    const std::string undefined = "\x81\x8D\x8F\x90\x9D";
    const char* const pages[] = {"CP1252", "CP437", "CP850"}; // in ELegacyCodePage's order
    for (std::size_t p = 0; p < std::size(pages); ++p) {
        const auto page = static_cast<ELegacyCodePage>(p);
        const char* const name = pages[p];
        CIconv fromPage("UTF-8", name);
        for (int b = 0x80; b <= 0xFF; ++b) {
            const std::string byte(1, static_cast<char>(b));
            std::string expected;
            if (page == ELegacyCodePage::kWindows1252 &&
                undefined.find(byte) != std::string::npos) {
                expected = EncodeUtf8(static_cast<std::uint32_t>(b));
            } else {
                ASSERT_TRUE(fromPage.Convert(byte, expected)) << name << " " << b;
            }
            EXPECT_EQ(DecodeToUtf8(byte, page), expected) << name << " byte " << b;
        }
    }
}

TEST(TextDecoding, EveryScalarValueRoundTrips) {
    for (std::uint32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if (cp == 0xD800) {
            cp = 0xE000;
        }
        const std::string s = EncodeUtf8(cp) + "x";
        ASSERT_TRUE(IsValidUtf8(s)) << cp;
        ASSERT_EQ(DecodeToUtf8(s), s) << cp;
    }
}

TEST(TextDecoding, ValidationAgreesWithReferenceOnRandomBytes) {
    std::mt19937 rng(1234);
    // Bytes drawn mostly from the lead and continuation ranges, so that near-valid sequences,
    // overlongs, surrogates and values above U+10FFFF all occur often.
    const std::string alphabet = "a\x7F\x80\x8F\x90\x9F\xA0\xBF\xC0\xC1\xC2\xDF\xE0\xE1\xED\xEE"
                                 "\xEF\xF0\xF1\xF3\xF4\xF5\xF8\xFF";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(1, 6);
    int valid = 0;
    for (int round = 0; round < 200000; ++round) {
        std::string s;
        for (int k = length(rng); k > 0; --k) {
            s += alphabet[pick(rng)];
        }
        const bool expected = ReferenceValid(s);
        ASSERT_EQ(IsValidUtf8(s), expected) << testing::PrintToString(s);
        valid += expected ? 1 : 0;
        if (!expected) {
            std::string perByte;
            for (const char c : s) {
                perByte += DecodeToUtf8(std::string(1, c));
            }
            ASSERT_EQ(DecodeToUtf8(s), perByte) << testing::PrintToString(s);
        }
    }
    EXPECT_GT(valid, 1000); // the alphabet does produce valid multi-byte sequences
}

// The UTF-8 "ü" is taken as the two Windows-1252 characters it spells once the 0xE9 shows that
// the string is not UTF-8.
TEST(TextDecoding, OneInvalidByteDecodesTheWholeStringAsWindows1252) {
    EXPECT_EQ(DecodeToUtf8(""), "");
    EXPECT_EQ(DecodeToUtf8("M\xC3\xBCller"), "M\xC3\xBCller");
    EXPECT_EQ(DecodeToUtf8("M\xC3\xBCller \xE9"), "M\xC3\x83\xC2\xBCller \xC3\xA9");
}
