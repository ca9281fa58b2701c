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
                     const std::function<void(int id)>& onCommand) {
    command = onCommand;
    for (const CMenuDescription& menu : menus) {
        if (menu.items.empty()) {
            QAction* action = bar.addAction(FromUtf8(menu.title));
            const int id = menu.id;
            QObject::connect(action, &QAction::triggered, &bar, [this, id] { command(id); });
            actions.insert(id, action);
            continue;
        }
        AddItems(*bar.addMenu(FromUtf8(menu.title)), menu.items);
    }
}

void CQtMenus::AddItems(QMenu& menu, const std::vector<CMenuItemDescription>& items) {
    QMap<int, QActionGroup*> groups;
    for (const CMenuItemDescription& item : items) {
        if (item.submenu) {
            QMenu* sub = menu.addMenu(FromUtf8(item.text));
            AddItems(*sub, item.items);
            if (item.id != 0) {
                submenus.insert(item.id, sub);
                sub->setEnabled(!item.items.empty());
            }
            continue;
        }
        if (item.id == 0 && item.text.empty()) {
            menu.addSeparator();
            continue;
        }
        const QString full = FromUtf8(item.text);
        const qsizetype tab = full.indexOf(QLatin1Char('\t'));
        QAction* action = menu.addAction(tab < 0 ? full : full.left(tab));
        if (tab >= 0) {
            action->setShortcut(QKeySequence(full.mid(tab + 1)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (item.radioGroup != 0) {
            QActionGroup*& group = groups[item.radioGroup];
            if (group == nullptr) {
                group = new QActionGroup(&menu);
                group->setExclusive(true);
            }
            action->setCheckable(true);
            group->addAction(action);
        } else if (item.checkable) {
            action->setCheckable(true);
        }
        const int id = item.id;
        QObject::connect(action, &QAction::triggered, &menu, [this, id] { command(id); });
        actions.insert(id, action);
    }
}

void CQtMenus::SetSubmenuItems(int id, const std::vector<std::string>& names, int firstId) {
    QMenu* sub = submenus.value(id, nullptr);
    if (sub == nullptr) {
        return;
    }
    for (QAction* old : sub->actions()) {
        actions.remove(actions.key(old));
    }
    sub->clear();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int itemId = firstId + static_cast<int>(i);
        // '&' would be taken for a mnemonic.
        QAction* action =
            sub->addAction(FromUtf8(names[i]).replace(QLatin1Char('&'), QStringLiteral("&&")));
        QObject::connect(action, &QAction::triggered, sub, [this, itemId] { command(itemId); });
        actions.insert(itemId, action);
    }
    sub->setEnabled(!names.empty());
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
