#pragma once

#include "platform/ShellPlatform.h"

#include <QHash>
#include <functional>

class QAction;
class QMenuBar;

// The menu bar built from its description; every item triggers the command with its id.
class CQtMenus {
public:
    void Build(QMenuBar& bar, const std::vector<CMenuDescription>& menus,
               const std::function<void(int id)>& command);

    void CheckRadioItem(int id);
    void SetChecked(int id, bool checked);
    // The action of item `id`, or nullptr.
    QAction* Action(int id) const { return actions.value(id, nullptr); }

private:
    QHash<int, QAction*> actions; // owned by their menus
};
