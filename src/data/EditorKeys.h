#pragma once
#include "data/WindowKeys.h"

// The older name of WindowKeys::forEditor, still used by the sign-in and
// operator windows.
struct EditorKeys {
    static WindowKeys* install(QDialog* window, QAbstractButton* ok, QAbstractButton* cancel)
    {
        return WindowKeys::forEditor(window, ok, cancel);
    }
};
