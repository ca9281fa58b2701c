#pragma once

#include "platform/ShellPlatform.h"

#include <QHash>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;

// The menu bar built from its description; every item triggers the command with its id.
class CQtMenus {
public:
    void Build(QMenuBar& bar, const std::vector<CMenuDescription>& menus,
               const std::function<void(int id)>& command);

    void CheckRadioItem(int id);
    void SetChecked(int id, bool checked);
    // Fills submenu `id` with `names`; item i triggers `firstId` + i.
    void SetSubmenuItems(int id, const std::vector<std::string>& names, int firstId);
    // The action of item `id`, or nullptr.
    QAction* Action(int id) const { return actions.value(id, nullptr); }

private:
    void AddItems(QMenu& menu, const std::vector<CMenuItemDescription>& items);

    std::function<void(int id)> command;
    QHash<int, QAction*> actions; // owned by their menus
    QHash<int, QMenu*> submenus;  // those with an id, owned by their menus
};
