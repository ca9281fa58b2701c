#pragma once

class QKeyEvent;

// The virtual key code of the key, as IShellEvents takes it; 0 for keys the shell does not know.
int VirtualKey(const QKeyEvent& event);
