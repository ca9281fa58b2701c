#include "shell/NotationPanel.h"

#include "pgn/PGNReader.h"
#include "platform/ShellPlatform.h"

CNotationPanel::CNotationPanel(IShellPlatform& platform, const CPGNReader& games)
    : platform(platform), games(games), reads(std::make_unique<CAnnotationQueue>([this] {
          this->platform.PostToInterfaceThread([this] { FinishRead(); });
      })) {
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
        const std::optional<CGameSource> source = games.GameSource(notice.game);
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

void CNotationPanel::ToggleMoreTags() {
    moreTags = !moreTags;
    Lay();
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
    if (read->outcome.HasValue()) {
        document.annotations = std::move(read->outcome.Value());
    } else {
        document.annotations = {};
        document.annotations.note = "Annotations are not shown: " + read->outcome.Message();
    }
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
