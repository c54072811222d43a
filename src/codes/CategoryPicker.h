#pragma once
#include <QString>

class QWidget;

// Entry operations of the reference-code windows for the rest of the program.

// Opens the category window in a pick mode (2 contract types, 4 client types,
// 8 departments), starting at the category whose path is `path`. Returns true
// and sets `path` when the window ended with a category chosen; otherwise
// returns false and leaves `path` as it was.
bool PickCategory(int mode, QString& path, QWidget* parent = nullptr);

// Opens the category window to maintain a tree (1 contract types, 3 client
// types, 5 project types). True when a category was added, renamed or deleted,
// so the caller reloads its own view of the tree.
bool MaintainCategories(int mode, QWidget* parent = nullptr);

// The one-line entry dialog: shows the prompt as caption and label and the
// initial text in its box; its picker button opens the category window in
// pickMode (2, 4 or 8; 0 hides the button; negative: 8 when the prompt is
// "部门名称", else 2). Returns the box's text after "确定", empty after "取消".
QString AskCaption(const QString& prompt, const QString& initial, int pickMode, QWidget* parent = nullptr);

// The code-list window "选项设置..." (command 104), run modally.
void ShowCodeLists(QWidget* parent = nullptr);
