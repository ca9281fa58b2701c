#include "common/MappedFile.h"

#include "common/FileReaderException.h"
#include "support/ExpectThrow.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

// A file that shrinks while it is mapped reads as 0 bytes where it vanished, instead of ending
// the process with a bus error; and what is not a regular file is refused before any read.
TEST(MappedFile, AShrunkFileReadsAsZerosAndOtherFilesAreRefused) {
    const std::string path = testing::TempDir() + "shrinking.pgn";
    std::ofstream(path, std::ios::binary) << std::string(3 * 65536, 'x');
    const CMappedFile mapped(path, nullptr);
    ASSERT_EQ(mapped.Text().size(), 3u * 65536);
    ASSERT_EQ(::truncate(path.c_str(), 100), 0);
    EXPECT_EQ(mapped.Text()[99], 'x');
    EXPECT_EQ(mapped.Text()[2 * 65536], '\0');
    EXPECT_TRUE(mapped.Changed());

    const std::string fifo = testing::TempDir() + "pipe.pgn";
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& refused : {fifo, std::string("/dev/zero")}) {
        EXPECT_THROW_MSG(CMappedFile(refused, nullptr), CFileReaderException,
                         "AFileReader::LoadFile(): Not a regular file!");
    }
    EXPECT_THROW_MSG(CMappedFile(testing::TempDir(), nullptr), CFileReaderException,
                     "AFileReader::LoadFile(): Cannot open file for reading!");
}
