#pragma once
#include "platform/IniSettings.h"
#include "platform/db/Connection.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <stdexcept>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

// A generated code could not be formed (a stored code whose tail is not digits).
class CodeError : public std::runtime_error {
public:
    explicit CodeError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// What a category-tree node carries (item data of the tree's first column).
struct TreeNodeData {
    int levelLength = 0;  // characters of F_code: 3 per level, 0 for the root
    QString code;
    QString name;
    QString likeCode;
    static TreeNodeData of(const QTreeWidgetItem* item);
    void storeIn(QTreeWidgetItem* item) const;
};

// Column titles a caption service can rename, implemented by the list grids.
class ColumnTitles {
public:
    virtual ~ColumnTitles() = default;
    virtual int titleCount() const = 0;
    virtual QString titleFieldName(int i) const = 0;
    virtual void setTitleText(int i, const QString& title) = 0;
};

// The data module: the one connection, the settings object and the shared data
// services every window uses. Services report failures with ShowMess and return
// as the callers expect (false, empty text, 0).
class TdmData : public QObject {
    Q_OBJECT
public:
    explicit TdmData(QObject* parent = nullptr);
    ~TdmData() override;

    // --- start-up ---
    // Opens config.ini and the database; on failure asks for the database
    // folder until a connection succeeds or the user cancels.
    bool ConnectDatabase();
    bool ConnectOk = false;
    std::function<void(const QString&)> onSplashText;  // splash status line
    std::function<void(bool)> onSplashVisible;         // destroy (false) / create anew (true)

    // Uses an already open connection (tests, tools).
    void attach(std::unique_ptr<Connection> connection);
    void disconnect();
    bool isConnected() const { return static_cast<bool>(cnn_); }
    // The connection; throws DbError when there is none (after a failed reconnect).
    Connection& ADOcnn();
    QString databaseFile() const;

    IniSettings& settings() { return settings_; }
    void reloadSettings();  // opens config.ini of the program folder anew

    // --- services ---
    bool DeleteById(const QString& table, qint64 id);
    bool ExecSql(const QString& sql, const QVariantList& params = {});
    QString QueryString(const QString& sql, const QVariantList& params = {});
    int QueryInt(const QString& sql, const QVariantList& params = {});
    bool OpenQuery(const QString& sql, Dataset& ds, const QVariantList& params = {});
    void FillCombo(const QString& sql, QComboBox* combo, const QVariantList& params = {});
    void WriteLog(const QString& operation);
    bool HasPermission(const QString& code);
    QString NextDatedCode(const QString& sql, const QString& prefix, int width, const QVariantList& params = {});
    QString NextSerialCode(const QString& sql, int width, const QVariantList& params = {});
    QString NextTreeCode(const QString& code, const QString& flag, int mode);
    void LoadCodeTree(QTreeWidget* tree, const QString& rootCaption, const QString& flag);
    static QString TreeNodePath(const QTreeWidgetItem* node, int mode);
    static QString NumberFormat(int decimals, int style);
    void FillScopeCombos(QComboBox* salesmen, QComboBox* departments);
    static void ApplyCustomCaptions(ColumnTitles& grid);
    void BackupOnExit();

    // The department names of AppState().DeptList ('A','B' -> A, B), for binding.
    static QStringList deptNames(const QString& deptList);
    // "?,?,…" for n values (at least one, so an empty list still parses and matches nothing).
    static QString placeholders(int n);

private:
    bool tryConnect(const QString& file, bool createWhenMissing);

    std::unique_ptr<Connection> cnn_;
    IniSettings settings_;
};

extern TdmData* dmData;
