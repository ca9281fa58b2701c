#include "QtMainWindow.h"
#include "QtPlatform.h"

#include <QDialog>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The text goes in this many bytes at a time, each piece converted on its own: the window shows
// at once, a turn of the event loop stays short, and the text is never held twice whole.
constexpr std::size_t kPiece = 256 * 1024;

// Past this many bytes without a line break, a paragraph is broken anyway: the viewer lays out
// a paragraph at a time, and one of a hundred megabytes would take it minutes.
constexpr std::size_t kLongestParagraph = 64 * 1024;

class CTextViewer final : public QDialog {
public:
    CTextViewer(QWidget* parent, const QString& title, std::string text)
        : QDialog(parent), text(std::move(text)), edit(new QPlainTextEdit(this)) {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(title);
        edit->setReadOnly(true);
        edit->setUndoRedoEnabled(false);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(edit);
        resize(720, 560);
        timer.setInterval(0);
        connect(&timer, &QTimer::timeout, this, [this] { InsertNext(); });
        timer.start();
    }

    bool AllIn() const noexcept { return filled; }

private:
    // The next piece, ending at a line break or else at a character's start.
    void InsertNext() {
        std::size_t end = std::min(text.size(), done + kPiece);
        if (end < text.size()) {
            const std::size_t lineEnd = text.rfind('\n', end);
            if (lineEnd != std::string::npos && lineEnd > done) {
                end = lineEnd + 1;
            }
            while (end > done + 1 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
                --end;
            }
        }
        QTextCursor cursor(edit->document());
        cursor.movePosition(QTextCursor::End);
        const std::string_view piece = std::string_view(text).substr(done, end - done);
        for (std::size_t at = 0; at < piece.size();) {
            const std::size_t lineEnd = piece.find('\n', at);
            const std::size_t full = at + (kLongestParagraph - paragraph);
            const std::size_t stop =
                std::min({lineEnd == std::string_view::npos ? piece.size() : lineEnd + 1, full,
                          piece.size()});
            std::size_t cut = stop;
            while (cut > at + 1 && cut < piece.size() &&
                   (static_cast<unsigned char>(piece[cut]) & 0xC0) == 0x80) {
                --cut;
            }
            cursor.insertText(
                QString::fromUtf8(piece.data() + at, static_cast<qsizetype>(cut - at)));
            paragraph = piece[cut - 1] == '\n' ? 0 : paragraph + (cut - at);
            if (stop == full && piece[cut - 1] != '\n') {
                cursor.insertBlock();
                paragraph = 0;
            }
            at = cut;
        }
        done = end;
        if (done == text.size()) {
            timer.stop();
            text = std::string(); // the document holds it now
            done = 0;
            filled = true;
            edit->moveCursor(QTextCursor::Start);
        }
    }

    std::string text;
    std::size_t done = 0;
    std::size_t paragraph = 0; // bytes in the document's last paragraph
    bool filled = false;
    QPlainTextEdit* edit;
    QTimer timer;
};

} // namespace

std::function<bool()> OpenTextViewer(const std::string& title, std::string text,
                                     CQtMainWindow* parent) {
    QPointer<CTextViewer> viewer =
        new CTextViewer(parent, QString::fromStdString(title), std::move(text));
    viewer->show();
    return [viewer] { return viewer != nullptr && viewer->AllIn(); };
}
