#include "QtNotationPanel.h"

#include "platform/ShellEvents.h"

#include <QAbstractTextDocumentLayout>
#include <QCloseEvent>
#include <QColor>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <array>
#include <cmath>

namespace {

// The keys the Game menu binds: while the panel has the focus they stay the menu's.
bool IsGameKey(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Space:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

// A read-only text view that leaves the Game menu's keys to the window's shortcuts.
class CNotationBrowser final : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            IsGameKey(static_cast<QKeyEvent*>(event)->key())) {
            event->ignore();
            return false;
        }
        return QTextBrowser::event(event);
    }
};

// Where a move row's cells stand: the move number ends at the first stop, White's move starts
// at the second, Black's at the third, halfway across what is left, and never before a cell as
// wide as kWidestCell has room.
constexpr int kIndentPixels = 16;
constexpr qreal kNumberEnd = 36;
constexpr qreal kWhiteStart = 44;
// A clock and an evaluation stand in type this much smaller than the moves'.
constexpr qreal kSmallType = 0.85;
// The frame, the document's margins and the scroll bar beside the rows.
constexpr int kPanelChrome = 40;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QTextCharFormat Coloured(const char* colour) {
    QTextCharFormat format;
    format.setForeground(QColor(QLatin1String(colour)));
    return format;
}

// The look of a run's style, on the panel's font of `pointSize` points.
QTextCharFormat StyleFormat(ENotationStyle style, qreal pointSize) {
    QTextCharFormat format;
    switch (style) {
    case ENotationStyle::kPlayers:
        format.setFontWeight(QFont::Bold);
        format.setFontPointSize(pointSize * 1.2);
        break;
    case ENotationStyle::kHeader:
        format = Coloured("#444444");
        break;
    case ENotationStyle::kNumber:
        format = Coloured("#777777");
        break;
    case ENotationStyle::kComment:
        format = Coloured("#3f6b4a");
        format.setFontItalic(true);
        break;
    case ENotationStyle::kGlyph:
        format = Coloured("#9a3b14");
        break;
    case ENotationStyle::kClock:
        format = Coloured("#777777");
        format.setFontPointSize(pointSize * kSmallType);
        break;
    case ENotationStyle::kExpand:
        format = Coloured("#1d4f91");
        format.setFontUnderline(true);
        break;
    case ENotationStyle::kEval:
        format = Coloured("#1d4f91");
        format.setFontPointSize(pointSize * kSmallType);
        break;
    case ENotationStyle::kResult:
        format.setFontWeight(QFont::Bold);
        break;
    case ENotationStyle::kNote:
        format = Coloured("#aa3333");
        break;
    case ENotationStyle::kMark:
        format = Coloured("#d4006a");
        format.setFontWeight(QFont::Bold);
        break;
    case ENotationStyle::kPlain:
    case ENotationStyle::kMove:
        break;
    }
    return format;
}

// Writes a notation text into a document as plain blocks: a move row is one block whose cells
// stand at tab stops, which lays out far faster than a table of thousands of rows. Records
// where each link's run stands.
class CNotationWriter {
public:
    CNotationWriter(QTextDocument& document, std::unordered_map<int, std::pair<int, int>>& links,
                    const QList<QTextOption::Tab>& tabs)
        : cursor(&document), links(links) {
        const qreal pointSize = document.defaultFont().pointSizeF();
        for (int style = 0; style <= static_cast<int>(ENotationStyle::kExpand); ++style) {
            formats[static_cast<std::size_t>(style)] =
                StyleFormat(static_cast<ENotationStyle>(style), pointSize);
        }
        rowFormat.setTabPositions(tabs);
    }

    void Write(const CNotationText& text) {
        cursor.beginEditBlock();
        bool first = true;
        for (const CNotationBlock& block : text.blocks) {
            const bool row = block.kind == CNotationBlock::EKind::kMoveRow;
            QTextBlockFormat format = row ? rowFormat : paragraphFormat;
            format.setLeftMargin(kIndentPixels * block.indent);
            format.setTopMargin(row ? 1 : 2);
            format.setBottomMargin(row ? 1 : 2);
            if (first) {
                cursor.setBlockFormat(format);
                first = false;
            } else {
                cursor.insertBlock(format, QTextCharFormat());
            }
            for (std::size_t cell = 0; cell < block.cells.size(); ++cell) {
                if (row) {
                    cursor.insertText(QStringLiteral("\t"), QTextCharFormat());
                }
                for (const CNotationRun& run : block.cells[cell]) {
                    Run(run);
                }
            }
        }
        cursor.endEditBlock();
    }

private:
    void Run(const CNotationRun& run) {
        QTextCharFormat format = formats[static_cast<std::size_t>(run.style)];
        const int start = cursor.position();
        if (run.link >= 0) {
            format.setAnchor(true);
            format.setAnchorHref(QStringLiteral("#%1").arg(run.link));
        }
        InsertText(FromUtf8(run.text), format);
        if (run.link >= 0) {
            links.try_emplace(run.link, start, cursor.position());
        }
    }

    // Figurines (♚ to ♟) stand in a bold face at the move's size, solid and easy to read.
    void InsertText(const QString& text, const QTextCharFormat& format) {
        qsizetype from = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text.at(i).unicode();
            if (c >= 0x265A && c <= 0x265F) {
                cursor.insertText(text.mid(from, i - from), format);
                QTextCharFormat figurine = format;
                figurine.setFontFamilies({QStringLiteral("DejaVu Sans")});
                figurine.setFontWeight(QFont::Bold);
                cursor.insertText(text.mid(i, 1), figurine);
                from = i + 1;
            }
        }
        cursor.insertText(text.mid(from), format);
    }

    QTextCursor cursor;
    std::unordered_map<int, std::pair<int, int>>& links;
    std::array<QTextCharFormat, static_cast<std::size_t>(ENotationStyle::kExpand) + 1> formats;
    QTextBlockFormat rowFormat;
    QTextBlockFormat paragraphFormat;
};

} // namespace

CQtNotationPanel::CQtNotationPanel(QWidget* parent)
    : QDockWidget(QStringLiteral("Notation"), parent), browser(new CNotationBrowser(this)),
      engineLines(new CNotationBrowser(this)), opening(new QLabel(this)) {
    setObjectName(QStringLiteral("NotationPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    // Figurines stand in the fonts that have them.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(10);
    const auto linkTo = [this](void (IShellEvents::*handler)(int)) {
        return [this, handler](const QUrl& url) {
            bool number = false;
            const int link = url.fragment().toInt(&number);
            if (number && eventSink != nullptr) {
                (eventSink->*handler)(link);
            }
        };
    };
    for (QTextBrowser* view : {browser, engineLines}) {
        view->setOpenLinks(false);
        view->setFocusPolicy(Qt::ClickFocus);
        view->document()->setDefaultFont(font);
    }
    setMinimumWidth(MinimumPanelWidth());
    connect(browser, &QTextBrowser::anchorClicked, this, linkTo(&IShellEvents::OnNotationLink));
    connect(engineLines, &QTextBrowser::anchorClicked, this,
            linkTo(&IShellEvents::OnEngineLineLink));
    engineLines->setObjectName(QStringLiteral("EngineLines"));
    engineLines->setMaximumHeight(96);
    engineLines->setLineWrapMode(QTextEdit::NoWrap);
    engineLines->hide();

    auto* content = new QWidget(this);
    layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    opening->setObjectName(QStringLiteral("PositionOpening"));
    opening->setContentsMargins(6, 3, 6, 3);
    // One line, kept while empty, so that the moves below never move as a name comes and goes.
    opening->setFixedHeight(opening->fontMetrics().height() + 8);
    // A long name is cut (its whole text is the tooltip) rather than widening the panel.
    opening->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    opening->setStyleSheet(QStringLiteral("font-weight: bold; color: #2a4a7a;"));
    layout->addWidget(opening);
    layout->addWidget(browser, 1);
    layout->addWidget(engineLines);
    setWidget(content);
}

void CQtNotationPanel::SetOpening(const QString& text) {
    opening->setText(text);
    opening->setToolTip(text);
}

void CQtNotationPanel::AddBelow(QWidget* widget) {
    layout->addWidget(widget);
}

void CQtNotationPanel::ShowEngineLines(bool shown) {
    engineLines->setVisible(shown);
}

void CQtNotationPanel::SetEngineLines(const CNotationText& text) {
    std::unordered_map<int, std::pair<int, int>> links;
    engineLines->document()->clear();
    CNotationWriter(*engineLines->document(), links, RowTabs()).Write(text);
}

// The text is written into a document of its own, which no view lays out while it grows, and
// laid out whole once it is shown: a view lays a long text out piece by piece while it is idle,
// and a step in the middle of that would wait for a piece. The links' places are kept as the
// text is written, so that a step only moves the highlight. The view keeps its place.
void CQtNotationPanel::SetText(const CNotationText& text) {
    const int scroll = browser->verticalScrollBar()->value();
    linkRanges.clear();
    auto* document = new QTextDocument(browser); // the browser deletes the one it replaces
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(browser->document()->defaultFont());
    blackStart = RowTabs().back().position;
    CNotationWriter(*document, linkRanges, RowTabs()).Write(text);
    browser->setExtraSelections({});
    browser->setDocument(document);
    document->documentLayout()->pageCount(); // lays the whole text out
    browser->verticalScrollBar()->setValue(scroll);
}

// An extra selection is drawn over the text as it is laid out: nothing moves, nothing is laid
// out again.
void CQtNotationPanel::SetCurrent(int link) {
    const auto range = linkRanges.find(link);
    if (range == linkRanges.end()) {
        browser->setExtraSelections({});
        return;
    }
    QTextEdit::ExtraSelection highlight;
    highlight.cursor = QTextCursor(browser->document());
    highlight.cursor.setPosition(range->second.first);
    highlight.cursor.setPosition(range->second.second, QTextCursor::KeepAnchor);
    highlight.format.setBackground(QColor(0xf6, 0xd3, 0x6b));
    browser->setExtraSelections({highlight});
    QTextCursor at(browser->document());
    at.setPosition(range->second.first);
    browser->setTextCursor(at);
    browser->ensureCursorVisible();
}

// A move with its glyphs, clock and evaluation on one line, for either colour, and the gap
// before the next column: the clock and the evaluation in their smaller type.
qreal CQtNotationPanel::WidestCell() const {
    const QFont font = browser->document()->defaultFont();
    QFont small = font;
    small.setPointSizeF(font.pointSizeF() * kSmallType);
    return QFontMetricsF(font).horizontalAdvance(QStringLiteral("Qxe8+!? ")) +
           QFontMetricsF(small).horizontalAdvance(QStringLiteral("1:59:59 \u221210.25")) +
           QFontMetricsF(font).horizontalAdvance(QStringLiteral(" "));
}

int CQtNotationPanel::MinimumPanelWidth() const {
    return static_cast<int>(std::ceil(kWhiteStart + 2 * WidestCell())) + kPanelChrome;
}

QList<QTextOption::Tab> CQtNotationPanel::RowTabs() const {
    const qreal cell = WidestCell();
    const qreal room = browser->viewport()->width() - 2 * browser->document()->documentMargin();
    const qreal black = std::max(kWhiteStart + cell, kWhiteStart + (room - kWhiteStart) / 2);
    return {QTextOption::Tab(kNumberEnd, QTextOption::RightTab),
            QTextOption::Tab(kWhiteStart, QTextOption::LeftTab),
            QTextOption::Tab(std::round(black), QTextOption::LeftTab)};
}

void CQtNotationPanel::resizeEvent(QResizeEvent* event) {
    QDockWidget::resizeEvent(event);
    FollowWidth();
}

// Only the rows' block formats change; the links keep their places.
void CQtNotationPanel::FollowWidth() {
    const QList<QTextOption::Tab> tabs = RowTabs();
    if (std::abs(tabs.back().position - blackStart) < 4) {
        return;
    }
    blackStart = tabs.back().position;
    QTextDocument* document = browser->document();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.tabPositions().size() == 3) {
            format.setTabPositions(tabs);
            cursor.setPosition(block.position());
            cursor.setBlockFormat(format);
        }
    }
    cursor.endEditBlock();
}

void CQtNotationPanel::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    if (eventSink != nullptr) {
        eventSink->OnNotationPanelClosed();
    }
}
