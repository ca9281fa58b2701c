#include "messages/FailureMessages.h"

#include "export/ExportException.h"
#include "export/VideoExportSettings.h"
#include "notation/NotationException.h"
#include "notation/WholeCommentReader.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace {

// The message of what `failing` throws, which must be an `Exception`.
template <class Exception, class Failing>
std::string Thrown(Failing failing) {
    try {
        failing();
    } catch (const Exception& e) {
        return e.GetMessage();
    }
    ADD_FAILURE() << "nothing thrown";
    return {};
}

} // namespace

// Each family's box: the sentence it always said, what failed and why in plain words, and the
// technical text unchanged under "Details".
TEST(FailureMessages, PlainTextWithTheTechnicalTextUnderDetails) {
    const auto expect = [](const CPlainMessage& message, const std::string& text,
                           const std::string& details) {
        EXPECT_EQ(message.text, text);
        EXPECT_EQ(message.details, details);
    };
    CPGNReader reader;
    reader.LoadText("[Event \"E\"]\n[Result \"*\"]\n\n*\n");
    const std::string noMoves = Thrown<CExportException>([&] {
        (void)VideoExportRequest(CVideoExportChoice{}, reader.GetGameData(0),
                                 ELegacyCodePage::kWindows1252);
    });
    expect(VideoFailureText("/home/a/Videos/Anand - Carlsen.mp4", noMoves),
           "The video could not be made.\nAnand - Carlsen.mp4 was not made: the game has no moves.",
           "VideoExportRequest(): The game has no moves to export.");
    const std::string full = "CVideoEncoder::Write(): Cannot write '/m/x.mp4': No space left on "
                             "device";
    expect(VideoFailureText("/m/x.mp4", CExportException(full).GetMessage()),
           "The video could not be made.\nx.mp4 was not made: the disk is full.", full);

    const std::string denied = "CQtShellPlatform::SavePng(): Cannot write '/etc/a.png': "
                               "Permission denied";
    expect(PictureFailureText("/etc/a.png", denied),
           "The picture could not be saved.\na.png could not be written: the system does not "
           "allow writing there.",
           denied);
    const std::string folder = "CGameAnalysisView::Save(): Cannot write '/gone/analysed.pgn': No "
                               "such file or directory";
    expect(AnalysisSaveFailureText("/gone/analysed.pgn", folder),
           "The game with its analysis could not be saved.\nanalysed.pgn could not be written: "
           "the folder does not exist.",
           folder);

    const CAnnotatedGame tree(White, 1);
    const std::string outside = Thrown<CPGNReaderException>([&] { (void)tree.Move(3); });
    expect(PositionFailureText(outside),
           "The position could not be shown.\nA move of the annotated text cannot be played on "
           "the board: the text and the game disagree there.",
           "CAnnotatedGame::Move(): Index out of range!");

    const std::filesystem::path path =
        std::filesystem::path(testing::TempDir()) / "comment_whose_file_is_gone.pgn";
    std::ofstream(path) << "[Event \"E\"]\n\n1. e4 {Long.} *\n";
    CPGNReader file;
    file.Load(path.string());
    std::filesystem::remove(path);
    const std::string gone = Thrown<CNotationException>([&] {
        (void)ReadWholeComment(*file.GameSource(0), file.GetGameData(0), {0, 0, 0});
    });
    expect(CommentFailureText(gone),
           "The whole comment could not be shown.\nThe game's text could not be read again: its "
           "file is gone.",
           "ReadWholeComment(): The comment is no longer in the text (Annotations are not shown: "
           "the file is gone.).");
}
