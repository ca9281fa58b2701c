#include "shell/NotationPanel.h"

#include "messages/FailureMessages.h"
#include "pgn/PGNReader.h"
#include "platform/ShellPlatform.h"
#include "resources/StringTable.h"

CNotationPanel::CNotationPanel(IShellPlatform& platform, const CPGNReader& games)
    : platform(platform), games(games), reads(std::make_unique<CAnnotationQueue>([this] {
          this->platform.PostToInterfaceThread([this] { FinishRead(); });
      })),
      comments(std::make_unique<CWholeCommentReader>(
          [this] { this->platform.PostToInterfaceThread([this] { FinishComment(); }); })) {
}

void CNotationPanel::OnShowChanged(const CShowNotice& notice) {
    platform.SetNotationOpening(notice.gameData ? LineOpeningText(openings->Book().get(),
                                                                  notice.gameData->GetStart(),
                                                                  MovesToShownPosition(notice))
                                                : std::string());
    if (notice.gameChanged) {
        ++ticket;
        if (reads != nullptr) {
            reads->DropWaiting();
        }
        holdsGame = notice.gameData != nullptr;
        shownGame = notice.gameData;
        if (!holdsGame) {
            document = {};
            current = -1;
            platform.SetNotation(EmptyNotation());
            platform.SetNotationCurrent(current);
            return;
        }
        document = NotationOf(*notice.gameData,
                              games.Games()->CodePage(static_cast<std::size_t>(notice.game)));
        document.opening = openings->Text(static_cast<std::size_t>(notice.game));
        // A game read from memory has no file to read again.
        source = games.GameSource(notice.game);
        if (reads != nullptr && source && source->file != nullptr) {
            reads->Request(ticket, *source, *notice.gameData);
        }
        current = NotationLink(notice.ply, notice.variationMove);
        Lay();
        return;
    }
    current = NotationLink(notice.ply, notice.variationMove);
    platform.SetNotationCurrent(current);
}

bool CNotationPanel::OnPanelLink(int link) {
    if (link == kMoreTagsLink) {
        moreTags = !moreTags;
        Lay();
        return true;
    }
    if (link < kCommentLinkBase || link >= kMoreTagsLink) {
        return false;
    }
    const auto cut = static_cast<std::size_t>(link - kCommentLinkBase);
    if (comments != nullptr && source && shownGame && cut < document.annotations.cut.size() &&
        comments->Request(*source, *shownGame, document.annotations.cut[cut].place)) {
        platform.ShowStatus(std::string(strings::kReadingComment), false);
    }
    return true;
}

void CNotationPanel::FinishComment() {
    std::optional<COutcome<std::string>> read = comments ? comments->Collect() : std::nullopt;
    if (!read) {
        return;
    }
    platform.ShowStatus({}, false);
    if (read->HasValue()) {
        platform.ShowPlainText(std::string(strings::kWholeComment), std::move(read->Value()));
    } else if (read->Failed()) {
        const CPlainMessage message = CommentFailureText(read->Message());
        platform.ShowDetailedMessageBox(EMessageBoxKind::Error, std::string(strings::kError),
                                        message.text, message.details);
    }
}

void CNotationPanel::SetFigurines(bool on) {
    figurines = on;
    Lay();
}

void CNotationPanel::SetMarks(std::vector<std::string> marks) {
    document.marks = std::move(marks);
    Lay();
}

const CAnnotatedGame* CNotationPanel::Tree() const noexcept {
    return document.annotations.tree ? &*document.annotations.tree : nullptr;
}

void CNotationPanel::Shutdown() {
    reads.reset();
    comments.reset();
}

// Reads of games no longer on show are dropped; a failed read leaves the moves alone, with a
// line that says why.
void CNotationPanel::FinishRead() {
    if (reads == nullptr) {
        return;
    }
    std::optional<CAnnotationQueue::CRead> read = reads->Collect();
    if (!read || read->ticket != ticket || read->outcome.Cancelled()) {
        return;
    }
    document.annotations = CAnnotationQueue::Shown(read->outcome);
    Lay();
    if (onAnnotations) {
        onAnnotations();
    }
}

void CNotationPanel::Lay() {
    if (!holdsGame) {
        platform.SetNotation(EmptyNotation());
    } else {
        platform.SetNotation(BuildNotation(document, figurines, moreTags));
    }
    platform.SetNotationCurrent(current);
}
