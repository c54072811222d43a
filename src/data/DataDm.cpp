#include "data/DataDm.h"

#include "data/AppState.h"
#include "data/PubUnit.h"
#include "data/Schema.h"
#include "data/SqlParts.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

#include <QComboBox>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTreeWidget>

TdmData* dmData = nullptr;

namespace {
const QString kFailed = QStringLiteral("操作失败，请检查数据连接... ");

// "1" + tail, plus one, without its first character: keeps the width and
// leading zeros; 999 rolls over to 000.
QString incrementTail(const QString& tail)
{
    for (const QChar c : tail)
        if (!c.isDigit()) throw CodeError(QStringLiteral("编号“%1”的末尾不是数字，无法自动生成下一个编号，请手工输入。").arg(tail));
    bool ok = false;
    const qulonglong n = (QStringLiteral("1") + tail).toULongLong(&ok);
    if (!ok) throw CodeError(QStringLiteral("编号“%1”无法自动递增，请手工输入。").arg(tail));
    return QString::number(n + 1).mid(1, tail.size());
}

// The code after the largest stored one: its last `width` characters counted
// up; after none, the first of `width` digits.
QString codeAfter(const QString& largest, int width)
{
    if (largest.isEmpty()) return incrementTail(QString(width, QLatin1Char('0')));
    return largest.left(largest.size() - width) + incrementTail(largest.right(width));
}
}

TreeNodeData TreeNodeData::of(const QTreeWidgetItem* item)
{
    TreeNodeData d;
    if (!item) return d;
    d.levelLength = item->data(0, Qt::UserRole).toInt();
    d.code = item->data(0, Qt::UserRole + 1).toString();
    d.name = item->data(0, Qt::UserRole + 2).toString();
    d.likeCode = item->data(0, Qt::UserRole + 3).toString();
    return d;
}

void TreeNodeData::storeIn(QTreeWidgetItem* item) const
{
    item->setData(0, Qt::UserRole, levelLength);
    item->setData(0, Qt::UserRole + 1, code);
    item->setData(0, Qt::UserRole + 2, name);
    item->setData(0, Qt::UserRole + 3, likeCode);
}

TdmData::TdmData(QObject* parent) : QObject(parent) {}

TdmData::~TdmData()
{
    if (dmData == this) dmData = nullptr;
}

void TdmData::reloadSettings() { settings_.load(ProgramFolder::file(QStringLiteral("config.ini"))); }

void TdmData::attach(std::unique_ptr<Connection> connection)
{
    cnn_ = std::move(connection);
    ConnectOk = static_cast<bool>(cnn_);
}

void TdmData::disconnect()
{
    cnn_.reset();
    ConnectOk = false;
}

Connection& TdmData::ADOcnn()
{
    if (!cnn_) throw DbError(21, QStringLiteral("数据库未连接，请重新启动程序。"));
    return *cnn_;
}

QString TdmData::databaseFile() const { return cnn_ ? cnn_->path() : QString(); }

bool TdmData::tryConnect(const QString& file, bool createWhenMissing)
{
    try {
        std::unique_ptr<Connection> c;
        if (createWhenMissing && !QFileInfo::exists(file)) {
            // The very first start: a new database with its seed rows.
            QDir().mkpath(QFileInfo(file).absolutePath());
            c = Connection::open(file, Schema::databasePassword(), Connection::OpenMode::Create);
            Schema::create(*c);
        } else {
            c = Connection::open(file, Schema::databasePassword());
            if (c->scalar(QStringLiteral("select count(*) from sqlite_master where type='table' and name='Contract'"))
                    .toInt() == 0)
                return false;  // a keyed database, but not ours
        }
        cnn_ = std::move(c);
        return true;
    } catch (const DbError&) {
        if (createWhenMissing) QFile::remove(file);
        return false;
    }
}

bool TdmData::ConnectDatabase()
{
    for (;;) {
        reloadSettings();
        const QString ds = settings_.readString(QStringLiteral("config"), QStringLiteral("ds"));
        const bool useDefault = ds.trimmed().isEmpty();
        // The folder is glued to the file name as it stands: a folder without its
        // trailing separator names another file, which then fails to open.
        const QString folder = useDefault ? ProgramFolder::defaultDataFolder() : ds;
        const QString file = folder + QStringLiteral("Contract.mdb");
        if (onSplashText) onSplashText(QStringLiteral("正在连接数据库 ....."));
        cnn_.reset();
        if (tryConnect(file, useDefault)) {
            ConnectOk = true;
            if (onSplashText) onSplashText(QStringLiteral("连接成功，正在登录 ..."));
            return true;
        }
        ConnectOk = false;
        if (onSplashVisible) onSplashVisible(false);
        const QString picked = Desktop::instance().openFileName(
            nullptr, QStringLiteral("连接网络数据库"), ProgramFolder::path(),
            QStringLiteral("Access数据库 (*.mdb *.MDB)"));
        if (picked.isEmpty()) return false;
        settings_.writeString(QStringLiteral("config"), QStringLiteral("ds"),
                              QFileInfo(picked).absolutePath() + QLatin1Char('/'));
        if (onSplashVisible) onSplashVisible(true);
    }
}

bool TdmData::DeleteById(const QString& table, qint64 id)
{
    try {
        ADOcnn().exec(QStringLiteral("delete from %1 where F_ID = ?").arg(table), {id});
        return true;
    } catch (const DbError& e) {
        ShowMess(QStringLiteral("删除操作失败，请检查数据连接... ") + QLatin1Char('\n') + e.message(), MessError);
        return false;
    }
}

bool TdmData::ExecSql(const QString& sql, const QVariantList& params)
{
    try {
        ADOcnn().exec(sql, params);
        return true;
    } catch (const DbError& e) {
        ShowMess(kFailed + QLatin1Char('\n') + e.message(), MessError);
        return false;
    }
}

QString TdmData::QueryString(const QString& sql, const QVariantList& params)
{
    try {
        const QVariant v = ADOcnn().scalar(sql, params);
        if (v.typeId() == QMetaType::Double) return QString::number(v.toDouble(), 'g', 15);
        return v.toString();
    } catch (const DbError& e) {
        ShowMess(kFailed + QLatin1Char('\n') + e.message(), MessError);
        return {};
    }
}

int TdmData::QueryInt(const QString& sql, const QVariantList& params)
{
    try {
        const QVariant v = ADOcnn().scalar(sql, params);
        if (v.typeId() == QMetaType::QString) return v.toString().trimmed().toInt();
        return static_cast<int>(v.toLongLong());
    } catch (const DbError& e) {
        ShowMess(kFailed + QLatin1Char('\n') + e.message(), MessError);
        return 0;
    }
}

bool TdmData::OpenQuery(const QString& sql, Dataset& ds, const QVariantList& params)
{
    try {
        ds = ADOcnn().query(sql, params);
        return true;
    } catch (const DbError& e) {
        ds = Dataset();
        ShowMess(QStringLiteral("打开操作失败，请检查数据连接... ") + QLatin1Char('\n') + e.message(), MessError);
        return false;
    }
}

void TdmData::FillCombo(const QString& sql, QComboBox* combo, const QVariantList& params)
{
    combo->clear();
    try {
        const Dataset ds = ADOcnn().query(sql, params);
        for (int r = 0; r < ds.rowCount(); ++r) {
            const QString v = ds.text(r, 0);
            if (!v.trimmed().isEmpty()) combo->addItem(v);
        }
    } catch (const DbError& e) {
        ShowMess(kFailed + QLatin1Char('\n') + e.message(), MessError);
    }
}

void TdmData::WriteLog(const QString& operation)
{
    try {
        const QDateTime now = Clock::now();
        ADOcnn().exec(QStringLiteral("insert into LogRec(F_EmpName,F_OperType,F_OperDate,F_OperTime) "
                                  "values(:EmpName,:OperType,:OperDate,:OperTime)"),
                   QVariantMap{{QStringLiteral("EmpName"), AppState().OperName},
                               {QStringLiteral("OperType"), operation},
                               {QStringLiteral("OperDate"), now.date().toString(QStringLiteral("yyyy-MM-dd"))},
                               {QStringLiteral("OperTime"), now.time().toString(QStringLiteral("hh:mm:ss"))}});
    } catch (const DbError&) {
        // The log never stops the operation that writes it.
    }
}

bool TdmData::HasPermission(const QString& code)
{
    return QueryInt(QStringLiteral("Select o.F_ID from OperLimit as O left join Limits as l On O.F_lmtName = L.F_name "
                                   "Where (O.F_OperName = ? COLLATE NOCASE)And(l.F_code = ?) "),
                    {AppState().OperName, code})
           > 0;
}

QString TdmData::NextDatedCode(const QString& sql, const QString& prefix, int width, const QVariantList& params)
{
    const QString largest = ADOcnn().scalar(sql, params).toString();
    if (largest.isEmpty())
        return prefix + Clock::today().toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('-') + codeAfter(largest, width);
    return codeAfter(largest, width);
}

QString TdmData::NextSerialCode(const QString& sql, int width, const QVariantList& params)
{
    return codeAfter(ADOcnn().scalar(sql, params).toString(), width);
}

QString TdmData::NextTreeCode(const QString& code, const QString& flag, int mode)
{
    const QString prefix = mode == 1 ? code.left(qMax(0, code.size() - 3)) : code;
    QString m;
    if (!prefix.isEmpty())
        m = ADOcnn().scalar(QStringLiteral("select Max(F_code) from t_treecode where F_code like ? ESCAPE '\\' and f_flag = ? "),
                         {LikeBeginning(prefix), flag})
                .toString();
    else
        m = ADOcnn().scalar(QStringLiteral("select Max(F_code) from t_treecode where len(F_code) = 3 and f_flag = ? "),
                         {flag})
                .toString();
    if (mode == 1) {
        if (m.size() > code.size()) m = m.left(code.size());
    } else {
        if (m.size() > code.size() + 3) m = m.left(code.size() + 3);
        if (m.size() == code.size()) m += QStringLiteral("000");
    }
    QString head, tail;
    if (m.size() >= 3) {
        head = m.left(m.size() - 3);
        tail = m.right(3);
    }
    if (!tail.isEmpty()) tail = incrementTail(tail);
    else tail = mode == 1 ? QStringLiteral("001") : head + QStringLiteral("001");
    return head + tail;
}

void TdmData::LoadCodeTree(QTreeWidget* tree, const QString& rootCaption, const QString& flag)
{
    tree->clear();
    auto* root = new QTreeWidgetItem(tree, QStringList{rootCaption});
    TreeNodeData{0, QStringLiteral("000"), rootCaption, QStringLiteral("\\\\")}.storeIn(root);
    const Dataset ds = ADOcnn().query(
        QStringLiteral("select F_code,F_name,F_likecode from t_treecode where F_flag = ? order by F_code"), {flag});
    QTreeWidgetItem* cursor = root;
    int previous = 0;
    for (int r = 0; r < ds.rowCount(); ++r) {
        const QString code = ds.text(r, 0);
        const int len = static_cast<int>(code.size());
        QTreeWidgetItem* parent;
        if (len > previous) {
            parent = cursor;
        } else {
            while (len < previous && cursor->parent()) {
                cursor = cursor->parent();
                previous = TreeNodeData::of(cursor).levelLength;
            }
            parent = cursor->parent() ? cursor->parent() : root;
        }
        auto* item = new QTreeWidgetItem(parent, QStringList{ds.text(r, 1)});
        TreeNodeData{len, code, ds.text(r, 1), ds.text(r, 2)}.storeIn(item);
        if (len == 3) item->setExpanded(true);
        cursor = item;
        previous = len;
    }
}

QString TdmData::TreeNodePath(const QTreeWidgetItem* node, int mode)
{
    const QTreeWidgetItem* n = mode == 1 ? node : (node ? node->parent() : nullptr);
    if (!n) return QString();
    QString path = QLatin1Char('\\') + n->text(0);
    // Level 1 sits directly below the root.
    while (n->parent() && n->parent()->parent()) {
        n = n->parent();
        path.prepend(QLatin1Char('\\') + n->text(0));
    }
    return QLatin1Char('\\') + path;
}

QString TdmData::NumberFormat(int decimals, int style)
{
    if (style == 1) return QStringLiteral("0.") + QString(qMax(0, decimals), QLatin1Char('#'));
    if (style == 2 || style == 3) {
        QString tail;
        for (int i = 0; i < decimals; ++i) tail += i < 2 ? QLatin1Char('0') : QLatin1Char('#');
        return QStringLiteral(",0.") + tail;
    }
    return QString();
}

QStringList TdmData::deptNames(const QString& deptList)
{
    QStringList names;
    QString current;
    bool inQuote = false;
    for (int i = 0; i < deptList.size(); ++i) {
        const QChar c = deptList[i];
        if (c == QLatin1Char('\'')) {
            if (inQuote && i + 1 < deptList.size() && deptList[i + 1] == QLatin1Char('\'')) {
                current += c;  // '' inside a name stands for one quote
                ++i;
            } else if (inQuote) {
                names << current;
                current.clear();
                inQuote = false;
            } else {
                inQuote = true;
            }
        } else if (inQuote) {
            current += c;
        }
    }
    return names;
}

QString TdmData::placeholders(int n)
{
    if (n <= 0) return QStringLiteral("NULL");
    QString s = QStringLiteral("?");
    for (int i = 1; i < n; ++i) s += QStringLiteral(",?");
    return s;
}

void TdmData::FillScopeCombos(QComboBox* salesmen, QComboBox* departments)
{
    const QString deptSql = QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = 'dept' ");
    switch (AppState().ScopeFlag) {
    case 1:
        salesmen->clear();
        salesmen->addItem(AppState().OperName);
        salesmen->setCurrentIndex(0);
        salesmen->setEnabled(false);
        {
            QPalette p = salesmen->palette();
            p.setColor(QPalette::Base, Colors::aqua());
            p.setColor(QPalette::Button, Colors::aqua());
            salesmen->setPalette(p);
        }
        FillCombo(deptSql, departments);
        break;
    case 2: {
        const QStringList names = deptNames(AppState().DeptList);
        QVariantList params;
        for (const QString& n : names) params << n;
        FillCombo(deptSql + QStringLiteral("and (F_name in (%1)) ").arg(placeholders(static_cast<int>(names.size()))),
                  departments, params);
        break;
    }
    default:
        FillCombo(QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = 'empName' "),
                  salesmen);
        FillCombo(deptSql, departments);
        break;
    }
}

void TdmData::ApplyCustomCaptions(ColumnTitles& grid)
{
    static const struct { const char* key; int entry; } map[] = {
        {"zf1", 1}, {"zf2", 2}, {"zf3", 3}, {"zf4", 4}, {"zf5", 5}, {"sz1", 6},
        {"sz2", 7}, {"sz3", 8}, {"rq1", 9}, {"rq2", 10}, {"rq3", 11}};
    for (int i = 0; i < grid.titleCount(); ++i) {
        const QString field = grid.titleFieldName(i).toLower();
        for (const auto& m : map)
            if (field.contains(QLatin1String(m.key))) {
                grid.setTitleText(i, AppState().Captions[m.entry]);
                break;
            }
    }
}

void TdmData::BackupOnExit()
{
    const QString dir = QueryString(QStringLiteral("select f_BakPath from sysInfo")).trimmed();
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) {
        if (ShowMess(QStringLiteral("当前目录") + dir + QStringLiteral(" 不存在，是否创建！"), MessQuestion) == 2) return;
        if (dir.isEmpty() || !QDir().mkpath(dir)) {
            ShowMess(QStringLiteral("目录") + dir + QStringLiteral(" 创建失败,请检测路径是否合法!"), MessError);
            return;
        }
    }
    const QString target = QDir(dir).filePath(QStringLiteral("dp") + Clock::today().toString(QStringLiteral("yyyyMMdd"))
                                              + QStringLiteral(".back"));
    if (QFileInfo::exists(target)) return;  // one backup a day; the first one stays
    try {
        ADOcnn().backupTo(target);
    } catch (const DbError&) {
        ShowMess(QStringLiteral("数据备份失败！"), MessError);
    }
}
