#include "QtMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMap>
#include <QMenu>
#include <QMenuBar>

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// The text after a tab names the shortcut; Qt shows it beside the item by itself. Shortcuts
// work whichever part of the window has the keyboard focus, the GL window included.
void CQtMenus::Build(QMenuBar& bar, const std::vector<CMenuDescription>& menus,
                     const std::function<void(int id)>& command) {
    for (const CMenuDescription& menu : menus) {
        if (menu.items.empty()) {
            QAction* action = bar.addAction(FromUtf8(menu.title));
            const int id = menu.id;
            QObject::connect(action, &QAction::triggered, &bar, [command, id] { command(id); });
            actions.insert(id, action);
            continue;
        }
        QMenu* dropDown = bar.addMenu(FromUtf8(menu.title));
        QMap<int, QActionGroup*> groups;
        for (const CMenuItemDescription& item : menu.items) {
            const QString full = FromUtf8(item.text);
            const qsizetype tab = full.indexOf(QLatin1Char('\t'));
            QAction* action = dropDown->addAction(tab < 0 ? full : full.left(tab));
            if (tab >= 0) {
                action->setShortcut(QKeySequence(full.mid(tab + 1)));
                action->setShortcutContext(Qt::WindowShortcut);
            }
            if (item.radioGroup != 0) {
                QActionGroup*& group = groups[item.radioGroup];
                if (group == nullptr) {
                    group = new QActionGroup(dropDown);
                    group->setExclusive(true);
                }
                action->setCheckable(true);
                group->addAction(action);
            } else if (item.checkable) {
                action->setCheckable(true);
            }
            const int id = item.id;
            QObject::connect(action, &QAction::triggered, &bar, [command, id] { command(id); });
            actions.insert(id, action);
        }
    }
}

void CQtMenus::CheckRadioItem(int id) {
    if (QAction* action = Action(id)) {
        action->setChecked(true);
    }
}

void CQtMenus::SetChecked(int id, bool checked) {
    if (QAction* action = Action(id)) {
        action->setChecked(checked);
    }
}
