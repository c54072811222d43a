#pragma once
#include "clients/ClientQuery.h"

#include <QString>

class DataGrid;
class Dataset;
class QTreeWidget;

// Pieces shared by the client register and the client picker.

// Fills the tree with the client categories under a root with the given
// caption, expands the root and makes it the current node.
void LoadClientTypeTree(QTreeWidget* tree, const QString& rootCaption);

// The category path of the tree's current node; empty for the root (all
// categories) and when no node is current.
QString CurrentCategoryPath(const QTreeWidget* tree);

// Opens the statement into the list's dataset and shows it. A failure is
// reported and leaves the list empty. Returns whether the list opened.
bool OpenClientList(const ClientSql& q, Dataset& ds, DataGrid* grid);
