#pragma once
#include <QString>

// One category tree: the t_treecode rows of one flag, the caption of its root
// and the stored column that carries its paths in other records.
struct CategoryTree {
    const char* flag;
    const char* rootCaption;
    const char* pathTable;   // nullptr: no other record stores this tree's paths
    const char* pathColumn;
};

// The outcome of a change: ok, or the message to show with its kind.
struct StoreResult {
    bool ok = true;
    QString message;
    int kind = 0;
    static StoreResult fail(const QString& message, int kind) { return {false, message, kind}; }
};

// Reading and writing the category trees. Paths are the root's "\\" followed by
// the names from the first level down, one backslash between names.
namespace CategoryStore {
// The tree a window mode works on: 1/2 contract types, 3/4 client types,
// 5 project types, 8 departments; nullptr for any other mode.
const CategoryTree* treeOfMode(int mode);
inline bool isPickMode(int mode) { return mode % 2 == 0; }

// Any run of three backslashes becomes two, until none is left.
QString collapseSlashes(QString path);
// parentPath + "\" + name, collapsed ("\\" below the root gives "\\name").
QString joinPath(const QString& parentPath, const QString& name);

// The most characters a category path of this tree may hold: the narrower of
// t_treecode.F_likecode and the column that stores the tree's paths.
int pathWidth(const CategoryTree& tree);
// A reason the name cannot be a category name, or an empty text.
QString checkName(const QString& name);
// A reason the path cannot be stored, or an empty text.
QString checkPath(const CategoryTree& tree, const QString& path);

// The code a new category would get: mode 1 beside the category `code`, mode 2
// below it (an empty code stands for the root). Fails when the three digits of
// the level are used up or a stored code cannot be incremented.
StoreResult nextCode(const CategoryTree& tree, const QString& code, int mode, QString* result);

// Inserts the category with the next code (as nextCode) in one write
// transaction, so two program instances cannot take the same code.
StoreResult addCategory(const CategoryTree& tree, const QString& code, int mode, const QString& name,
                        const QString& path, QString* newCode);

// Gives category `code` its new name and path, and rewrites every stored path
// that is oldPath itself or lies below it (oldPath + "\…") in the tree's path
// column and in the tree's own rows. Refuses, changing nothing, when a
// rewritten path would not fit its column; all-or-nothing otherwise.
StoreResult renameCategory(const CategoryTree& tree, const QString& code, const QString& oldPath,
                           const QString& newName, const QString& newPath);

// Deletes the category and everything below it (codes starting with `code`).
// Reports a failure itself and returns false.
bool deleteBranch(const CategoryTree& tree, const QString& code);
}
