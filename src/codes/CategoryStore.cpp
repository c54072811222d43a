#include "codes/CategoryStore.h"

#include "data/DataDm.h"
#include "data/Schema.h"
#include "data/SqlParts.h"
#include "platform/Messages.h"

#include <QVector>

namespace {
const CategoryTree kTrees[] = {
    {"type", "合同类型", "Contract", "F_type"},
    {"clttype", "单位类型", "Client", "F_Type"},
    {"gctype", "项目类型", nullptr, nullptr},
    {"dept", "合同部门", "Contract", "F_dept"},
};

const QString kInsertFailed = QStringLiteral("数据连接失败，请与作者联系... ");
const QString kUpdateFailed = QStringLiteral("操作失败，请检查数据连接... ");
const QString kBackslash = QStringLiteral("\\");

int columnWidth(const char* table, const char* column)
{
    for (const Schema::Table& t : Schema::tables()) {
        if (QString::fromLatin1(t.name).compare(QLatin1String(table), Qt::CaseInsensitive) != 0) continue;
        for (const Schema::Column& c : t.columns)
            if (QString::fromLatin1(c.name).compare(QLatin1String(column), Qt::CaseInsensitive) == 0) return c.width;
    }
    return 0;
}

// What the user calls the place a path is stored in.
QString placeName(const char* table, const char* column)
{
    const QString key = QString::fromLatin1(table).toLower() + QLatin1Char('.') + QString::fromLatin1(column).toLower();
    if (key == QLatin1String("contract.f_type")) return QStringLiteral("合同的合同类型");
    if (key == QLatin1String("client.f_type")) return QStringLiteral("往来单位的单位类型");
    if (key == QLatin1String("contract.f_dept")) return QStringLiteral("合同的部门");
    return QStringLiteral("类别路径");
}

// A stored path belongs to the category when it is the category's path itself
// or continues it with a backslash (a sibling "AB" of "A" is not below "A").
// Paths compare without regard to case, as like-filters on them do.
QString belongsTo(const QString& column)
{
    return QStringLiteral("(%1 = ? COLLATE NOCASE or %1 like ? ESCAPE '\\')").arg(column);
}

QVariantList belongsParams(const QString& oldPath)
{
    return {oldPath, LikeBeginning(oldPath + kBackslash)};
}

struct PathPlace {
    const char* table;
    const char* column;
    bool byFlag;  // t_treecode rows of the tree's own flag only
};

QVector<PathPlace> pathPlaces(const CategoryTree& tree)
{
    QVector<PathPlace> places;
    if (tree.pathTable) places.push_back({tree.pathTable, tree.pathColumn, false});
    places.push_back({"t_treecode", "F_likecode", true});
    return places;
}

QString whereOf(const PathPlace& p)
{
    const QString cond = belongsTo(QString::fromLatin1(p.column));
    return p.byFlag ? QStringLiteral("F_flag = ? and ") + cond : cond;
}

QVariantList whereParams(const CategoryTree& tree, const PathPlace& p, const QString& oldPath)
{
    QVariantList params;
    if (p.byFlag) params << QString::fromLatin1(tree.flag);
    return params + belongsParams(oldPath);
}
}

namespace CategoryStore {
const CategoryTree* treeOfMode(int mode)
{
    switch (mode) {
    case 1: case 2: return &kTrees[0];
    case 3: case 4: return &kTrees[1];
    case 5: return &kTrees[2];
    case 8: return &kTrees[3];
    default: return nullptr;
    }
}

QString collapseSlashes(QString path)
{
    const QString three = QStringLiteral("\\\\\\");
    const QString two = QStringLiteral("\\\\");
    while (path.contains(three)) path.replace(three, two);
    return path;
}

QString joinPath(const QString& parentPath, const QString& name)
{
    return collapseSlashes(parentPath + kBackslash + name);
}

int pathWidth(const CategoryTree& tree)
{
    int width = columnWidth("t_treecode", "F_likecode");
    if (tree.pathTable) width = qMin(width, columnWidth(tree.pathTable, tree.pathColumn));
    return width;
}

QString checkName(const QString& name)
{
    // The backslash separates the names of a path; inside a name it would make
    // the category look like several levels.
    if (name.contains(QLatin1Char('\\'))) return QStringLiteral("类别名称中不能包含“\\”字符，请重新输入！");
    const int width = columnWidth("t_treecode", "F_name");
    if (name.size() > width) return QStringLiteral("类别名称最多只能有 %1 个字符，请重新输入！").arg(width);
    return {};
}

QString checkPath(const CategoryTree& tree, const QString& path)
{
    const int width = pathWidth(tree);
    if (path.size() > width)
        return QStringLiteral("类别路径（从第一级到本类别的名称连在一起）最多只能有 %1 个字符，现在有 %2 个字符，请缩短名称！")
            .arg(width)
            .arg(path.size());
    return {};
}

StoreResult nextCode(const CategoryTree& tree, const QString& code, int mode, QString* result)
{
    try {
        const QString next = dmData->NextTreeCode(code, QString::fromLatin1(tree.flag), mode);
        // The three digits of a level run from 001 to 999; 999 + 1 wraps to 000.
        if (next.endsWith(QLatin1String("000")))
            return StoreResult::fail(QStringLiteral("同一类别下最多只能有 999 个类别，编号已经用完，不能再添加！"), MessWarning);
        *result = next;
        return {};
    } catch (const CodeError& e) {
        return StoreResult::fail(e.message(), MessError);
    } catch (const DbError& e) {
        return StoreResult::fail(kInsertFailed + QLatin1Char('\n') + e.message(), MessError);
    }
}

StoreResult addCategory(const CategoryTree& tree, const QString& code, int mode, const QString& name,
                        const QString& path, QString* newCode)
{
    try {
        Connection& c = dmData->ADOcnn();
        auto tx = c.transaction(true);
        QString next;
        const StoreResult r = nextCode(tree, code, mode, &next);
        if (!r.ok) return r;
        c.exec(QStringLiteral("insert into t_treecode(F_code,F_name,F_likecode,F_flag)values(?,?,?,?)"),
               {next, name, path, QString::fromLatin1(tree.flag)});
        tx.commit();
        *newCode = next;
        return {};
    } catch (const DbError& e) {
        return StoreResult::fail(kInsertFailed + QLatin1Char('\n') + e.message(), MessError);
    }
}

StoreResult renameCategory(const CategoryTree& tree, const QString& code, const QString& oldPath,
                           const QString& newName, const QString& newPath)
{
    const QVector<PathPlace> places = pathPlaces(tree);
    try {
        Connection& c = dmData->ADOcnn();
        auto tx = c.transaction(true);
        // Everything is measured first, so that a path that would not fit
        // leaves every record as it was.
        for (const PathPlace& p : places) {
            const QString col = QString::fromLatin1(p.column);
            const int width = columnWidth(p.table, p.column);
            const int longest = c.scalar(QStringLiteral("select max(length(%1)) from %2 where ")
                                                 .arg(col, QString::fromLatin1(p.table))
                                             + whereOf(p),
                                         whereParams(tree, p, oldPath))
                                    .toInt();
            const int grown = longest > 0 ? longest - static_cast<int>(oldPath.size()) + static_cast<int>(newPath.size())
                                          : static_cast<int>(newPath.size());
            if (width > 0 && grown > width)
                return StoreResult::fail(
                    QStringLiteral("改名后，%1中的类别路径将达到 %2 个字符，超过了最多 %3 个字符的限制。\n没有做任何修改，请缩短名称。")
                        .arg(placeName(p.table, p.column))
                        .arg(grown)
                        .arg(width),
                    MessWarning);
        }
        for (const PathPlace& p : places) {
            const QString col = QString::fromLatin1(p.column);
            c.exec(QStringLiteral("update %1 set %2 = ? || substr(%2, length(?) + 1) where ")
                           .arg(QString::fromLatin1(p.table), col)
                       + whereOf(p),
                   QVariantList{newPath, oldPath} + whereParams(tree, p, oldPath));
        }
        c.exec(QStringLiteral("update t_treecode set F_name = ?,F_likeCode = ? where (F_code = ? and F_flag = ?) "),
               {newName, newPath, code, QString::fromLatin1(tree.flag)});
        tx.commit();
        return {};
    } catch (const DbError& e) {
        return StoreResult::fail(kUpdateFailed + QLatin1Char('\n') + e.message(), MessError);
    }
}

bool deleteBranch(const CategoryTree& tree, const QString& code)
{
    return dmData->ExecSql(QStringLiteral("delete from t_treecode where F_code like ? ESCAPE '\\' and F_flag = ? "),
                           {LikeBeginning(code), QString::fromLatin1(tree.flag)});
}
}
