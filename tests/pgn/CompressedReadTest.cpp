#include "common/DecompressionException.h"
#include "pgn/GameAnnotations.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"

#include <bzlib.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <zip.h>
#include <zlib.h>
#include <zstd.h>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
enum EFormat { kZstd, kGzip, kBzip2, kZip, kFormats };

// One frame, member or stream of `format` holding `text`.
std::string Compress(EFormat format, std::string_view text) {
    std::string out;
    if (format == kZstd) {
        out.resize(ZSTD_compressBound(text.size()));
        out.resize(ZSTD_compress(out.data(), out.size(), text.data(), text.size(), 3));
    } else if (format == kGzip) {
        z_stream z{};
        deflateInit2(&z, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        out.resize(deflateBound(&z, text.size()) + 32);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
        z.avail_in = static_cast<uInt>(text.size());
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = static_cast<uInt>(out.size());
        deflate(&z, Z_FINISH);
        out.resize(z.total_out);
        deflateEnd(&z);
    } else {
        auto size = static_cast<unsigned>(text.size() + text.size() / 100 + 600);
        out.resize(size);
        BZ2_bzBuffToBuffCompress(out.data(), &size, const_cast<char*>(text.data()),
                                 static_cast<unsigned>(text.size()), 9, 0, 0);
        out.resize(size);
    }
    return out;
}

// `text` compressed in frames (members, streams) of `frame` bytes each, as parallel
// compressors write it.
std::string CompressInFrames(EFormat format, std::string_view text, std::size_t frame) {
    std::string out;
    for (std::size_t at = 0; at == 0 || at < text.size(); at += frame) {
        out += Compress(format, text.substr(at, frame));
    }
    return out;
}

// A zip archive of the named texts; entries named with a '*' are encrypted with AES.
std::string Zip(const std::vector<std::pair<std::string, std::string>>& files) {
    zip_error_t error;
    zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(memory);
    zip_t* archive = zip_open_from_source(memory, ZIP_TRUNCATE, &error);
    for (const auto& [name, text] : files) {
        const bool secret = name.back() == '*';
        const std::string stored = secret ? name.substr(0, name.size() - 1) : name;
        zip_source_t* data = zip_source_buffer(archive, text.data(), text.size(), 0);
        const zip_int64_t index = zip_file_add(archive, stored.c_str(), data, 0);
        if (secret) {
            zip_file_set_encryption(archive, static_cast<zip_uint64_t>(index), ZIP_EM_AES_256,
                                    "secret");
        }
    }
    zip_close(archive);
    zip_source_open(memory);
    zip_source_seek(memory, 0, SEEK_END);
    std::string out(static_cast<std::size_t>(zip_source_tell(memory)), '\0');
    zip_source_seek(memory, 0, SEEK_SET);
    zip_source_read(memory, out.data(), out.size());
    zip_source_close(memory);
    zip_source_free(memory);
    return out;
}

class CompressedRead : public testing::Test {
protected:
    fs::path Write(const std::string& name, const std::string& bytes) {
        const fs::path path = folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder =
        fs::temp_directory_path() / ("tavrin-compressed-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(folder); }
};

// What a read gives, game by game: the game, where its text stands, its annotations as read
// again; or the message of the failed read.
std::vector<std::string> Games(const fs::path& path, std::size_t piece, std::uint64_t reach) {
    CPGNReader reader;
    reader.SetStreamPieces(piece, reach);
    try {
        reader.Load(path);
    } catch (const CPGNReaderException& e) {
        return {e.GetMessage()};
    }
    const CLoadReport report = reader.LastLoadReport();
    std::vector<std::string> games{std::to_string(report.gameTexts)};
    for (const CDroppedGame& dropped : report.dropped) {
        games.push_back(std::to_string(dropped.ordinal) + " " + dropped.message);
    }
    for (int i = 0; i < reader.GamesCount(); ++i) {
        const CChessGameData game = reader.GetGameData(i);
        const CGameSource source = *reader.GameSource(i);
        const CGameAnnotations annotations = ReadGameAnnotations(source, game);
        std::ostringstream line;
        line << reader.PrepareGameTitle(i) << game.GetDate() << game.GetRound() << game.GetSite()
             << game.GetResult() << game.GetStart() << ' ' << source.offset << ' ' << source.length
             << annotations.note << annotations.tree.has_value();
        for (int m = 0; m < game.MovesCount(); ++m) {
            const CMove move = game.GetMove(m);
            line << ' ' << move.sourceFile << move.sourceRank << move.destFile << move.destRank;
        }
        for (const CTagPair& tag : annotations.tags) {
            line << ' ' << tag.name << '=' << tag.value;
        }
        games.push_back(line.str());
    }
    return games;
}

// For random texts made of the samples and fixtures, each compressed form, in frames of random
// size, read in pieces of random size, gives the games of the plain text, found again alike;
// so does text kept in memory rather than read again from the file.
TEST_F(CompressedRead, EveryFormatReadsTheGamesOfThePlainText) {
    std::vector<std::string> sources;
    for (const char* dir : {"samples", "tests/fixtures/pgn"}) {
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().extension() == ".pgn") {
                std::ifstream in(entry.path(), std::ios::binary);
                sources.emplace_back(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
            }
        }
    }
    std::mt19937 random(31);
    for (int round = 0; round < 12; ++round) {
        std::string text;
        for (int k = 0; k < 1 + static_cast<int>(random() % 4); ++k) {
            text += sources[random() % sources.size()];
        }
        const fs::path plain = Write("plain.pgn", text);
        const std::size_t piece = 64 + random() % 2048;
        const std::vector<std::string> expected = Games(plain, piece, 0);
        for (int format = 0; format < kFormats; ++format) {
            const std::size_t frame = random() % 2 == 0 ? text.size() + 1 : 100 + random() % 3000;
            const auto f = static_cast<EFormat>(format);
            const fs::path packed = Write("packed", f == kZip ? Zip({{"games.pgn", text}})
                                                              : CompressInFrames(f, text, frame));
            SCOPED_TRACE(testing::Message() << round << " format " << format << " frame " << frame
                                            << " piece " << piece);
            EXPECT_EQ(Games(packed, piece, 0), expected);
            EXPECT_EQ(Games(packed, piece, 1), expected); // all text kept
        }
    }
}

// A zip with two PGN files, a README and an encrypted PGN file: the games of both PGN files in
// the archive's order, each entry named as a file of the archive; the others skipped by name.
TEST_F(CompressedRead, ZipReadsEveryPgnEntryAndNamesTheSkippedOnes) {
    const std::string game = "[Event \"E\"]\n[White \"A\"]\n[Black \"B\"]\n\n1. e4 e5 1-0\n";
    const fs::path path = Write(
        "db.zip",
        Zip({{"b.pgn", game}, {"README", "hello"}, {"sub/a.PGN", game + game}, {"x.pgn*", game}}));
    CPGNReader reader;
    reader.Load(path);
    ASSERT_EQ(reader.GamesCount(), 3);
    const auto games = reader.Games();
    std::size_t first = 0;
    EXPECT_EQ(games->BatchOf(0, first).File()->Name(), "db.zip/b.pgn");
    EXPECT_EQ(games->BatchOf(2, first).File()->Name(), "db.zip/sub/a.PGN");
    const CLoadReport report = reader.LastLoadReport();
    ASSERT_EQ(report.skipped.size(), 2u);
    EXPECT_EQ(report.skipped[0].name + ": " + report.skipped[0].reason, "README: not a PGN file");
    EXPECT_EQ(report.skipped[1].name + ": " + report.skipped[1].reason, "x.pgn: encrypted");
    EXPECT_EQ(ReadGameAnnotations(*reader.GameSource(2), reader.GetGameData(2)).tags.size(), 3u);

    try {
        reader.Load(Write("none.zip", Zip({{"README", "hello"}})));
        ADD_FAILURE();
    } catch (const CPGNReaderException& e) {
        EXPECT_EQ(e.GetMessage(), "CPGNReader::Read(): The archive holds no PGN file!");
    }
}

// A stream cut short keeps the games before the cut, drops the game it cuts, and says where
// reading stopped; an archive cut short, whose directory is lost, fails with the reason.
TEST_F(CompressedRead, TruncatedStreamsKeepTheGamesBeforeTheDamage) {
    std::string text;
    for (int i = 0; i < 400; ++i) {
        text += "[Event \"Game " + std::to_string(i) +
                "\"]\n\n1. d4 d5 2. c4 e6 3. Nc3 Nf6 1/2-1/2\n\n";
    }
    for (const EFormat format : {kZstd, kGzip}) {
        std::string packed = CompressInFrames(format, text, 9000);
        packed.resize(packed.size() * 2 / 3);
        const fs::path path = Write("cut", packed);
        CPGNReader reader;
        reader.SetStreamPieces(4096, 0);
        reader.Load(path);
        const CLoadReport report = reader.LastLoadReport();
        ASSERT_EQ(report.stops.size(), 1u);
        const std::string where = "The data ends early at byte " + std::to_string(packed.size()) +
                                  " of " + std::to_string(packed.size()) + "!";
        EXPECT_NE(report.stops[0].find(where), std::string::npos) << report.stops[0];
        EXPECT_EQ(report.stops[0].rfind(
                      format == kZstd ? "CZstdStream::Read(): " : "CGzipStream::Read(): ", 0),
                  0u);
        EXPECT_GT(reader.GamesCount(), 100);
        ASSERT_EQ(report.dropped.size(), 1u);
        EXPECT_EQ(report.dropped[0].ordinal, reader.GamesCount());
        EXPECT_EQ(report.dropped[0].message, "The text stops here: " + report.stops[0]);
        for (int i = 0; i < reader.GamesCount(); ++i) {
            EXPECT_EQ(reader.GetGameData(i).GetEvent(), "Game " + std::to_string(i));
        }
    }
    std::string zip = Zip({{"a.pgn", text}});
    zip.resize(zip.size() - 30);
    try {
        CPGNReader().Load(Write("cut.zip", zip));
        ADD_FAILURE();
    } catch (const CDecompressionException& e) {
        EXPECT_EQ(e.GetMessage(),
                  "CZipArchive::CZipArchive(): The archive cannot be read (Not a zip archive)!");
    }
}

} // namespace
