#include "QtTestEnvironment.h"
#include "platform/ExplorerContent.h"
#include "platform/GLSurface.h"
#include "platform/GamesTableContent.h"
#include "platform/ShellEvents.h"
#include "resources/CommandIds.h"
#include "resources/MainMenu.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace {

// Records what the Qt window reports.
class CRecordingEvents final : public IShellEvents {
public:
    bool OnCommand(int id, int code) override {
        commands.emplace_back(id, code);
        return true;
    }
    void OnSize(EWindowSizeKind) override {}
    void OnMoving() override {}
    void OnExitSizeMove() override { sizesAtEnd.emplace_back(surface->Width(), surface->Height()); }
    void OnClose() override { ++closes; }
    void OnRawMouseMotion(int, int) override {}
    bool OnButtonDown(EMouseButton) override { return false; }
    bool OnButtonUp(EMouseButton) override { return false; }
    bool OnMouseWheel(int) override { return false; }
    bool OnKeyDown(int) override { return false; }
    void OnFilesDropped(const std::vector<std::string>& paths) override { dropped = paths; }
    void OnNotationLink(int link) override { links.push_back(link); }
    void OnNotationPanelClosed() override {}
    void OnGamesTableHeaderClicked(int column) override { headerClicks.push_back(column); }
    void OnGamesTableSearchChanged(const std::string& text) override { searches.push_back(text); }
    void OnGamesTableRowChosen(int row) override { chosenRows.push_back(row); }
    void OnGamesTableClosed() override { ++tableCloses; }
    void OnExplorerMoveChosen(int row) override { explorerRows.push_back(row); }
    void OnExplorerClosed() override { ++explorerCloses; }

    std::vector<std::pair<int, int>> commands;
    std::vector<int> explorerRows;
    int explorerCloses = 0;
    std::vector<std::string> dropped;
    std::vector<int> links;
    int closes = 0;
    std::vector<int> headerClicks;
    std::vector<std::string> searches;
    std::vector<int> chosenRows;
    int tableCloses = 0;
    const IGLSurface* surface = nullptr;
    std::vector<std::pair<int, int>> sizesAtEnd; // the view's size at each end of a size
};

// Rows of three columns, the last one hidden, sorted by the second one descending.
class CThreeColumns final : public IGamesTableContent {
public:
    int RowCount() const override { return rows; }
    int ColumnCount() const override { return 3; }
    std::string HeaderText(int column) const override { return "H" + std::to_string(column); }
    int ColumnCharacters(int) const override { return 5; }
    bool ColumnShown(int column) const override { return column < 2; }
    std::string CellText(int row, int column) const override {
        return std::to_string(row) + "," + std::to_string(column);
    }
    int SortColumn() const override { return 1; }
    bool SortDescending() const override { return true; }
    int rows = 3;
};

// Two moves after 1. e4 e5, the first without ratings.
class CTwoMoves final : public IExplorerContent {
public:
    int RowCount() const override { return 2; }
    CExplorerRow Row(int row) const override {
        return row == 0 ? CExplorerRow{"Nf3", 60385, 20000, 24000, 16385, 0, 2000}
                        : CExplorerRow{"Bc4", 12, 6, 3, 3, 2510, 1999};
    }
    std::string StatusText() const override { return "72,397 games"; }
    bool OnlyFound() const override { return true; }
    bool CanFilterByPosition() const override { return true; }
    bool FilteringByPosition() const override { return false; }
};

QMainWindow* TheMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<QMainWindow*>(widget)) {
            return window;
        }
    }
    return nullptr;
}

} // namespace

class QtShellPlatform : public ::testing::Test {
protected:
    QtShellPlatform() : window(CreateMainWindow()) {
        TestApplication();
        events.surface = &window->Surface();
        window->Platform().SetEventSink(events);
        window->Platform().CreateMenuBar(mainmenu::Build());
        main = TheMainWindow();
    }

    // The action of that text, in the menu of that title when one is given.
    QAction* ActionNamed(const QString& text, const std::string& menu = "") {
        for (QAction* action : main->findChildren<QAction*>()) {
            const auto* parent = qobject_cast<QMenu*>(action->parent());
            if (action->text() == text &&
                (menu.empty() || (parent && parent->title().toStdString() == menu))) {
                return action;
            }
        }
        return nullptr;
    }

    CRecordingEvents events;
    std::unique_ptr<CQtMainWindowHandle> window;
    QMainWindow* main = nullptr;
};

// Every item of the menu shows the text before its tab and takes the shortcut after it (for the
// window: a menu's own arrow keys stay the menu's), and reports its id.
TEST_F(QtShellPlatform, MenuItemsCarryTheirShortcutsAndIds) {
    ASSERT_NE(main, nullptr);
    int shortcuts = 0;
    const std::vector<CMenuDescription> menus = mainmenu::Build();
    for (const auto& [item, title] : mainmenu::Commands(menus)) {
        const QString text = QString::fromStdString(item->text);
        QAction* action = ActionNamed(text.section(QLatin1Char('\t'), 0, 0), title);
        ASSERT_NE(action, nullptr) << item->text;
        EXPECT_EQ(action->shortcut(), QKeySequence(text.section(QLatin1Char('\t'), 1)))
            << item->text;
        EXPECT_EQ(action->shortcutContext(), Qt::WindowShortcut) << item->text;
        shortcuts += action->shortcut().isEmpty() ? 0 : 1;
        events.commands.clear();
        action->trigger();
        EXPECT_EQ(events.commands, (std::vector<std::pair<int, int>>{{item->id, 0}})) << item->text;
    }
    EXPECT_EQ(shortcuts, 23);
    // "Open Recent" is filled later, and its items are commands too.
    window->Platform().SetRecentFiles({"/a/b.pgn", "R&D.pgn"});
    events.commands.clear();
    ActionNamed(QStringLiteral("R&&D.pgn"), "Open &Recent")->trigger();
    EXPECT_EQ(events.commands, (std::vector<std::pair<int, int>>{{ids::kFirstRecentFile + 1, 0}}));
    window->Platform().CheckMenuRadioItem(ids::kFirstAnimationDuration);
    window->Platform().CheckMenuRadioItem(ids::kFirstAnimationDuration + 1);
    EXPECT_FALSE(ActionNamed(QStringLiteral("100 ms"))->isChecked());
    EXPECT_TRUE(ActionNamed(QStringLiteral("200 ms"))->isChecked());
}

// Flags written by hand as words read as the program's own.
TEST_F(QtShellPlatform, SettingsReadTrueAndFalseAsFlags) {
    IShellPlatform& platform = window->Platform();
    for (const auto& [written, read] : {std::pair{"true", "1"}, {"False", "0"}, {"280", "280"}}) {
        platform.WriteSetting("test/flag", written);
        EXPECT_EQ(platform.ReadSetting("test/flag", "x"), read) << written;
    }
    QSettings(QStringLiteral("Tavrin"), QStringLiteral("Tavrin")).remove(QStringLiteral("test"));
}

// A user's choice in the list is a command; the program's own selection is not.
TEST_F(QtShellPlatform, ControlsReportClicksAndChoicesButNotTheProgramsOwnChanges) {
    IShellPlatform& platform = window->Platform();
    const std::vector<std::string> titles = {"A - B", "Caf\xC3\xA9 - D"};
    platform.SetGameListEntries(2, [titles](int i) { return titles[static_cast<std::size_t>(i)]; });
    platform.SetGameListSelection(1);
    EXPECT_TRUE(events.commands.empty());
    auto* list = main->findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->itemText(1), QStringLiteral("Café - D"));
    emit list->activated(0);
    EXPECT_EQ(events.commands, (std::vector<std::pair<int, int>>{{ids::kGameList, 1}}));

    events.commands.clear();
    platform.SetControlText(ids::kPlayPauseButton, glyphs::kPause);
    platform.EnableControl(ids::kPlayPauseButton, true);
    for (QToolButton* button : main->findChildren<QToolButton*>()) {
        if (button->toolTip() == QStringLiteral("Pause")) {
            button->click();
        }
    }
    EXPECT_EQ(events.commands, (std::vector<std::pair<int, int>>{{ids::kPlayPauseButton, 0}}));
}

TEST_F(QtShellPlatform, DroppedLocalFilesReachTheShellAndOthersAreRefused) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a game.pgn")),
                  QUrl(QStringLiteral("https://example.org/b.pgn")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/c.pgn"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(main, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(main, &drop);
    EXPECT_EQ(events.dropped, (std::vector<std::string>{"/tmp/a game.pgn", "/tmp/c.pgn"}));

    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.org/b.pgn"))});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &remote, Qt::LeftButton,
                            Qt::NoModifier);
    refused.ignore();
    QApplication::sendEvent(main, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

// The view's size comes from the window system after the window's own; the end of a size still
// follows it when the interface thread was busy as the window appeared. Closing asks the shell.
TEST_F(QtShellPlatform, TheEndOfASizeFollowsTheViewsFinalSize) {
    window->Show();
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    RunEventLoopUntil([] { return false; }, 1000);
    ASSERT_FALSE(events.sizesAtEnd.empty());
    EXPECT_GT(window->Surface().Width(), 0);
    EXPECT_EQ(events.sizesAtEnd.back(),
              std::make_pair(window->Surface().Width(), window->Surface().Height()));
    main->close(); // asks the shell, which ends the program; the window stays until then
    EXPECT_EQ(events.closes, 1);
    EXPECT_TRUE(main->isVisible());
}

// Enter chooses the selected row, or the first; Esc clears the search; typing in the table
// goes to the search field.
TEST_F(QtShellPlatform, TheGamesTableShowsItsContentAndReportsTheUsersActions) {
    CThreeColumns content;
    IShellPlatform& platform = window->Platform();
    platform.SetGamesTableContent(content);
    window->Show();
    platform.ShowGamesTable(true);
    auto* table = main->findChild<QTableView*>();
    auto* field = main->findChild<QLineEdit*>();
    ASSERT_TRUE(RunEventLoopUntil([table] { return table->isVisible(); }, 5000));
    content.rows = 5;
    platform.GamesTableRowsChanged();
    platform.SetGamesTableCount("5 of 9 games");
    const QAbstractItemModel& model = *table->model();
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.data(model.index(4, 1)).toString(), QStringLiteral("4,1"));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("H0"));
    EXPECT_TRUE(table->isColumnHidden(2));
    QHeaderView& header = *table->horizontalHeader();
    EXPECT_EQ(header.sortIndicatorSection(), 1);
    EXPECT_EQ(header.sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(main->findChild<QLabel*>("GamesCount")->text(), QStringLiteral("5 of 9 games"));

    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                      QPoint(header.sectionViewportPosition(0) + 5, 5));
    EXPECT_EQ(events.headerClicks, std::vector<int>{0});
    QTest::keyClicks(field, "ab");
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(events.searches, (std::vector<std::string>{"a", "ab", ""}));

    QTest::keyClick(field, Qt::Key_Return);
    platform.SelectGamesTableRow(2);
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(table->currentIndex().row(), 3);
    QTest::keyClick(table, Qt::Key_Enter);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(model.index(1, 0)).center());
    EXPECT_EQ(events.chosenRows, (std::vector<int>{0, 3, 1}));
    QTest::keyClicks(table, "K");
    EXPECT_EQ(field->text(), QStringLiteral("K"));
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Escape);
    EXPECT_EQ(field->text(), QString()) << "Esc in the table clears the search";

    main->findChild<QDockWidget*>(QStringLiteral("GamesTable"))->close();
    EXPECT_EQ(events.tableCloses, 1);
}

// The explorer's dock shows its content's rows (the share bar's counts under their role), its
// status and controls, and reports clicks on moves, the two controls and its closing.
TEST_F(QtShellPlatform, TheOpeningExplorerShowsItsMovesAndReportsTheUsersActions) {
    CTwoMoves content;
    IShellPlatform& platform = window->Platform();
    platform.SetExplorerContent(content);
    window->Show();
    platform.ShowExplorer(true);
    auto* dock = main->findChild<QDockWidget*>(QStringLiteral("OpeningExplorer"));
    auto* table = dock->findChild<QTableView*>();
    ASSERT_TRUE(RunEventLoopUntil([table] { return table->isVisible(); }, 5000));
    platform.ExplorerChanged();
    const QAbstractItemModel& model = *table->model();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("Nf3"));
    EXPECT_EQ(model.data(model.index(0, 2), Qt::UserRole + 1).toList().size(), 3);
    EXPECT_FALSE(model.data(model.index(0, 3)).isValid()) << "no Elo known";
    EXPECT_EQ(model.data(model.index(1, 3)).toInt(), 2510);
    EXPECT_EQ(model.data(model.index(1, 4)).toInt(), 1999);
    EXPECT_EQ(dock->findChild<QLabel*>("ExplorerStatus")->text(), QStringLiteral("72,397 games"));
    EXPECT_TRUE(dock->findChild<QCheckBox*>()->isChecked());
    if (const char* shots = std::getenv("TAVRIN_SHOTS")) {
        dock->grab().save(QString::fromUtf8(shots) + QStringLiteral("/explorer_dock.png"));
    }

    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(model.index(1, 2)).center());
    EXPECT_EQ(events.explorerRows, std::vector<int>{1});
    events.commands.clear();
    dock->findChild<QCheckBox*>()->click();
    dock->findChild<QPushButton*>()->click();
    EXPECT_EQ(events.commands, (std::vector<std::pair<int, int>>{{ids::kExplorerOnlyFound, 0},
                                                                 {ids::kGamesWithPosition, 0}}));
    dock->close();
    EXPECT_EQ(events.explorerCloses, 1);
    platform.DetachExplorerContent();
}

// The text viewer shows the text as given, a paragraph per line break, and breaks a paragraph
// past 64 KB at a character's start: two-byte characters cut anywhere by its pieces stay whole.
TEST(QtTextViewer, ShowsTheWholeTextWithItsCharactersWhole) {
    std::string text = "first line\n";
    for (int i = 0; i < 300000; ++i) {
        text += i % 3 != 0 ? "\xC3\xA9" : "x";
    }
    text += "\nlast";
    const std::function<bool()> allIn = OpenTextViewer("Whole comment", text);
    ASSERT_TRUE(RunEventLoopUntil(allIn, 60000));
    QPlainTextEdit* edit = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        edit = edit != nullptr ? edit : widget->findChild<QPlainTextEdit*>();
    }
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isReadOnly());
    const QTextDocument& document = *edit->document();
    EXPECT_EQ(document.firstBlock().text(), QStringLiteral("first line"));
    EXPECT_EQ(document.lastBlock().text(), QStringLiteral("last"));
    EXPECT_GE(document.blockCount(), 10);
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next()) {
        EXPECT_LE(block.length(), 64 * 1024 + 1);
    }
    EXPECT_EQ(edit->toPlainText().remove(QLatin1Char('\n')),
              QString::fromStdString(text).remove(QLatin1Char('\n')));
    edit->window()->close();
}
