#include "QtNotationPanel.h"

#include "platform/ShellEvents.h"

#include <QCloseEvent>
#include <QColor>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

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

QString Escaped(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toHtmlEscaped();
}

QString Styled(const CNotationRun& run) {
    const QString text = Escaped(run.text);
    switch (run.style) {
    case ENotationStyle::kPlayers:
        return QStringLiteral("<b style=\"font-size:large\">%1</b>").arg(text);
    case ENotationStyle::kHeader:
        return QStringLiteral("<span style=\"color:#444\">%1</span>").arg(text);
    case ENotationStyle::kNumber:
        return QStringLiteral("<span style=\"color:#777\">%1</span>").arg(text);
    case ENotationStyle::kComment:
        return QStringLiteral("<span style=\"color:#3f6b4a;font-style:italic\">%1</span>")
            .arg(text);
    case ENotationStyle::kGlyph:
        return QStringLiteral("<span style=\"color:#9a3b14\">%1</span>").arg(text);
    case ENotationStyle::kClock:
        return QStringLiteral("<span style=\"color:#777;font-size:small\">%1</span>").arg(text);
    case ENotationStyle::kEval:
        return QStringLiteral("<span style=\"color:#1d4f91;font-size:small\">%1</span>").arg(text);
    case ENotationStyle::kResult:
        return QStringLiteral("<b>%1</b>").arg(text);
    case ENotationStyle::kNote:
        return QStringLiteral("<span style=\"color:#a33\">%1</span>").arg(text);
    default:
        return text;
    }
}

QString Runs(const std::vector<CNotationRun>& runs) {
    QString html;
    for (const CNotationRun& run : runs) {
        const QString styled = Styled(run);
        html += run.link >= 0 ? QStringLiteral("<a href=\"#%1\" style=\"color:black;"
                                               "text-decoration:none\">%2</a>")
                                    .arg(run.link)
                                    .arg(styled)
                              : styled;
    }
    return html;
}

} // namespace

QString NotationHtml(const CNotationText& text) {
    QString html;
    bool inTable = false;
    for (const CNotationBlock& block : text.blocks) {
        const bool row = block.kind == CNotationBlock::EKind::kMoveRow;
        if (row && !inTable) {
            html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\" "
                                   "style=\"margin-left:%1px\">")
                        .arg(16 * block.indent);
        } else if (!row && inTable) {
            html += QStringLiteral("</table>");
        }
        inTable = row;
        if (row) {
            html +=
                QStringLiteral("<tr><td align=\"right\" width=\"36\">%1</td><td width=\"90\">"
                               "%2</td><td>%3</td></tr>")
                    .arg(Runs(block.cells.at(0)), Runs(block.cells.at(1)), Runs(block.cells.at(2)));
        } else {
            html += QStringLiteral("<p style=\"margin:2px 0 2px %1px\">%2</p>")
                        .arg(16 * block.indent)
                        .arg(block.cells.empty() ? QString() : Runs(block.cells.front()));
        }
    }
    if (inTable) {
        html += QStringLiteral("</table>");
    }
    return html;
}

CQtNotationPanel::CQtNotationPanel(QWidget* parent)
    : QDockWidget(QStringLiteral("Notation"), parent), browser(new CNotationBrowser(this)) {
    setObjectName(QStringLiteral("NotationPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    browser->setOpenLinks(false);
    browser->setFocusPolicy(Qt::ClickFocus);
    // Figurines stand in the fonts that have them.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(10);
    browser->document()->setDefaultFont(font);
    connect(browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        bool number = false;
        const int link = url.fragment().toInt(&number);
        if (number && eventSink != nullptr) {
            eventSink->OnNotationLink(link);
        }
    });
    setWidget(browser);
}

// The view keeps its place. The links' places are read once here, so that a step only moves
// the highlight.
void CQtNotationPanel::SetText(const CNotationText& text) {
    const int scroll = browser->verticalScrollBar()->value();
    browser->setExtraSelections({});
    browser->setHtml(NotationHtml(text));
    browser->verticalScrollBar()->setValue(scroll);
    linkRanges.clear();
    const QTextDocument* document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString href = fragment.charFormat().anchorHref();
            bool number = false;
            const int link = href.startsWith(QLatin1Char('#')) ? href.mid(1).toInt(&number) : -1;
            if (!number) {
                continue;
            }
            const int end = fragment.position() + fragment.length();
            const auto [range, added] = linkRanges.try_emplace(link, fragment.position(), end);
            if (!added && range->second.second == fragment.position()) {
                range->second.second = end; // the same run, in fragments of several formats
            }
        }
    }
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

void CQtNotationPanel::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    if (eventSink != nullptr) {
        eventSink->OnNotationPanelClosed();
    }
}
