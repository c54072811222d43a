#include "clients/ClientCommon.h"

#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "platform/Messages.h"

#include <QTreeWidget>

void LoadClientTypeTree(QTreeWidget* tree, const QString& rootCaption)
{
    try {
        dmData->LoadCodeTree(tree, rootCaption, QStringLiteral("clttype"));
    } catch (const DbError& e) {
        ShowMess(QStringLiteral("打开操作失败，请检查数据连接... ") + QLatin1Char('\n') + e.message(), MessError);
    }
    if (QTreeWidgetItem* root = tree->topLevelItem(0)) {
        root->setExpanded(true);
        tree->setCurrentItem(root);
    }
}

QString CurrentCategoryPath(const QTreeWidget* tree)
{
    const QTreeWidgetItem* node = tree->currentItem();
    if (!node || !node->parent()) return {};
    return TreeNodeData::of(node).likeCode;
}

bool OpenClientList(const ClientSql& q, Dataset& ds, DataGrid* grid)
{
    const bool ok = dmData->OpenQuery(q.sql, ds, q.params);
    grid->refresh();
    return ok;
}
