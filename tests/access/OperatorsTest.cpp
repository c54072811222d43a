#include "AccessTestSupport.h"

#include "access/OperAccess.h"
#include "access/TDLGselectDeptSTR.h"
#include "access/TFrmLimitGl.h"
#include "access/TfrmOperGl.h"
#include "data/DataGrid.h"
#include "data/PubUnit.h"
#include "platform/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>

class Operators : public AccessTest {
protected:
    static QStringList names(const TfrmOperGl& f)
    {
        QStringList out;
        for (int r = 0; r < f.list().rowCount(); ++r) out << f.list().text(r, f.list().fieldIndex(QStringLiteral("F_Name")));
        return out;
    }
    static void selectRow(TfrmOperGl& f, const QString& name)
    {
        const int row = f.list().find(f.list().fieldIndex(QStringLiteral("F_Name")), name);
        ASSERT_GE(row, 0) << name.toStdString();
        f.grid()->setCurrentRow(row);
    }
    static void click(QObject* w, const char* name) { child<QAbstractButton>(w, name)->click(); }
    static QStringList ticked(QObject* w, const char* list)
    {
        auto* l = child<QListWidget>(w, list);
        QStringList out;
        for (int i = 0; i < l->count(); ++i)
            if (l->item(i)->checkState() == Qt::Checked) out << l->item(i)->text();
        return out;
    }
    static void tick(QObject* w, const char* list, const QString& text, bool on = true)
    {
        auto* l = child<QListWidget>(w, list);
        const auto found = l->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        found.first()->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    static void setName(QObject* w, const QString& name) { child<QComboBox>(w, "cbbName")->setEditText(name); }
    static void setPasswords(QObject* w, const QString& a, const QString& b)
    {
        child<QLineEdit>(w, "edtPass")->setText(a);
        child<QLineEdit>(w, "edtPass2")->setText(b);
    }
    OperRecord record(const QString& name)
    {
        const Dataset ds = db().query(QStringLiteral("select * from OperList where F_Name = ?"), {name});
        return OperRecord::fromRow(ds, 0);
    }
    void addDepartments(const QStringList& depts)
    {
        for (const QString& d : depts)
            db().exec(QStringLiteral("insert into t_code(F_type,F_name) values('dept',?)"), {d});
    }
};

TEST_F(Operators, ListShowsOperatorsWithTheCurrentOnesScope)
{
    addOperator({QStringLiteral("张三"), {}, {}, 2, QStringLiteral("'销售部'"), true, false, QStringLiteral("负责华东")});
    addOperator({QStringLiteral("李四"), {}, {}, 1});
    addOperator({QStringLiteral("停用者"), {}, {}, 0, {}, false, true});
    TfrmOperGl f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("操作员权限管理"));
    EXPECT_EQ(names(f), (QStringList{QStringLiteral("admin"), QStringLiteral("张三"), QStringLiteral("李四")}));

    selectRow(f, QStringLiteral("张三"));
    EXPECT_EQ(child<QPlainTextEdit>(&f, "DBMemo1")->toPlainText(), QStringLiteral("负责华东"));
    EXPECT_TRUE(child<QCheckBox>(&f, "DBCheckBox1")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&f, "rbView2")->isChecked());
    EXPECT_TRUE(child<QLineEdit>(&f, "DBEdit1")->isVisibleTo(&f));
    EXPECT_EQ(child<QLineEdit>(&f, "DBEdit1")->text(), QStringLiteral("'销售部'"));
    selectRow(f, QStringLiteral("李四"));
    EXPECT_TRUE(child<QRadioButton>(&f, "rbView1")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(&f, "DBCheckBox1")->isChecked());
    EXPECT_FALSE(child<QLineEdit>(&f, "DBEdit1")->isVisibleTo(&f));

    child<QCheckBox>(&f, "CheckBox1")->click();
    EXPECT_EQ(names(f).size(), 4);
    QAbstractItemModel* model = f.grid()->view()->model();
    for (int r = 0; r < f.list().rowCount(); ++r) {
        const bool disabled = names(f)[r] == QStringLiteral("停用者");
        const QModelIndex i = model->index(r, 0);
        EXPECT_EQ(disabled, model->data(i, Qt::ForegroundRole).value<QBrush>().color() == QColor(Qt::red)) << r;
        EXPECT_EQ(disabled, model->data(i, Qt::BackgroundRole).value<QBrush>().color() == Colors::buttonFace()) << r;
    }
}

TEST_F(Operators, AdminIsKeptAndOthersAreDeletedAfterAsking)
{
    addOperator({QStringLiteral("张三"), {}, {QStringLiteral("201")}});
    TfrmOperGl f;
    selectRow(f, QStringLiteral("admin"));
    messages.expect(QStringLiteral("此用户为系统默认用户，不能修改和编辑！"));
    messages.expect(QStringLiteral("此用户为系统默认用户，不能删除！"));
    click(&f, "btnEdit");
    click(&f, "btnDel");
    EXPECT_EQ(messages.kinds(), (QList<int>{MessError, MessError}));

    selectRow(f, QStringLiteral("张三"));
    messages.expect(QStringLiteral("真的要删除当前操作员 \"张三\" 吗？"), 2);
    click(&f, "btnDel");
    EXPECT_EQ(names(f).size(), 2);
    messages.expect(QStringLiteral("真的要删除当前操作员 \"张三\" 吗？"), 1);
    click(&f, "btnDel");
    EXPECT_EQ(names(f), QStringList{QStringLiteral("admin")});
    EXPECT_EQ(column(QStringLiteral("select F_Name from OperList")), QStringList{QStringLiteral("admin")});
    EXPECT_EQ(heldPermissions(QStringLiteral("张三")).size(), 1);  // permission rows stay behind
}

TEST_F(Operators, EditorRefusesEmptyNamesWrongConfirmationsAndDuplicatesOfAnyCase)
{
    addOperator({QStringLiteral("Zhang")});
    const qint64 li = addOperator({QStringLiteral("Li")});
    const struct {
        int mode;
        const char* name;
        const char* pass;
        const char* pass2;
        const char* message;  // nullptr: saved
    } cases[] = {
        {0, "   ", "a", "a", "操作员名称不能为空！"},
        {0, "Wang", "a", "a ", "验正码不正确，请重新确认输入！"},
        {0, " zHANG ", "a", "a", "操作员名称重复，请重新输入！"},
        {0, "ADMIN", "", "", "操作员名称重复，请重新输入！"},
        {1, "zhang", "", "", "操作员名称重复，请重新输入！"},
        {1, "LI", "", "x", "验正码不正确，请重新确认输入！"},
        {1, "LI", "", "", nullptr},  // its own name in another case
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TFrmLimitGl e;
        e.SetEditMode(c.mode, c.mode == 1 ? record(QStringLiteral("Li")) : OperRecord());
        setName(&e, QString::fromUtf8(c.name));
        setPasswords(&e, QString::fromUtf8(c.pass), QString::fromUtf8(c.pass2));
        if (c.message) messages.expect(QString::fromUtf8(c.message));
        QSignalSpy finished(&e, &QDialog::finished);
        click(&e, "btnSave");
        EXPECT_EQ(finished.count(), c.message ? 0 : 1);
    }
    EXPECT_EQ(messages.kinds(), QList<int>(6, MessInfo));
    EXPECT_EQ(column(QStringLiteral("select F_Name from OperList order by F_ID")),
              (QStringList{QStringLiteral("admin"), QStringLiteral("Zhang"), QStringLiteral("LI")}));
    EXPECT_EQ(record(QStringLiteral("LI")).id, li);
}

TEST_F(Operators, NewOperatorIsSavedWithItsPermissionsAndTheEditorStaysOpen)
{
    TfrmOperGl f;
    const QString first = permissionName(QStringLiteral("101")), second = permissionName(QStringLiteral("402"));
    modals.expect("TFrmLimitGl", [&](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("操作员"));
        EXPECT_EQ(child<QListWidget>(d, "clbLimits")->count(), 53);
        EXPECT_FALSE(child<QWidget>(d, "pnlDept")->isVisibleTo(d));
        setName(d, QStringLiteral(" 王五 "));
        setPasswords(d, QStringLiteral("p 1"), QStringLiteral("p 1"));
        child<QPlainTextEdit>(d, "memMem")->setPlainText(QStringLiteral("新来的"));
        child<QCheckBox>(d, "chkSH")->setChecked(true);
        child<QRadioButton>(d, "rbScope1")->setChecked(true);
        tick(d, "clbLimits", second);
        tick(d, "clbLimits", first);
        QSignalSpy finished(d, &QDialog::finished);
        click(d, "btnSave");
        // Ready for the next operator, with the list on the saved one.
        EXPECT_EQ(finished.count(), 0);
        EXPECT_EQ(child<QComboBox>(d, "cbbName")->currentText(), QString());
        EXPECT_TRUE(ticked(d, "clbLimits").isEmpty());
        EXPECT_TRUE(child<QRadioButton>(d, "rbScope0")->isChecked());
        EXPECT_EQ(f.list().text(f.grid()->currentRow(), f.list().fieldIndex(QStringLiteral("F_Name"))),
                  QStringLiteral("王五"));
        click(d, "btnAll");
        EXPECT_EQ(ticked(d, "clbLimits").size(), 53);
        click(d, "btnClear");
        EXPECT_TRUE(ticked(d, "clbLimits").isEmpty());
        return int(QDialog::Rejected);
    });
    click(&f, "btnAdd");

    const OperRecord saved = record(QStringLiteral("王五"));
    ASSERT_GT(saved.id, 0);
    EXPECT_TRUE(CheckPass(storedHash(QStringLiteral("王五")), QStringLiteral("p 1")));
    EXPECT_EQ(saved.mem, QStringLiteral("新来的"));
    EXPECT_TRUE(saved.approve);
    EXPECT_FALSE(saved.disabled);
    EXPECT_EQ(saved.scope, 1);
    EXPECT_EQ(saved.dept, QString());
    EXPECT_EQ(heldPermissions(QStringLiteral("王五")), (QStringList{first, second}));  // in list order
}

TEST_F(Operators, EditingKeepsTheStoredPasswordWhenItsBoxesStayEmpty)
{
    addOperator({QStringLiteral("张三"), QStringLiteral("old"), {QStringLiteral("203"), QStringLiteral("102")}});
    const QString hash = storedHash(QStringLiteral("张三"));
    TfrmOperGl f;
    selectRow(f, QStringLiteral("张三"));
    modals.expect("TFrmLimitGl", [&](QDialog* d) {
        for (const char* box : {"edtPass", "edtPass2"}) {
            EXPECT_EQ(child<QLineEdit>(d, box)->text(), QString());
            EXPECT_EQ(child<QLineEdit>(d, box)->placeholderText(), QStringLiteral("(不修改)"));
        }
        EXPECT_EQ(ticked(d, "clbLimits"),
                  (QStringList{permissionName(QStringLiteral("102")), permissionName(QStringLiteral("203"))}));
        child<QCheckBox>(d, "chkFlag")->setChecked(true);
        click(d, "btnSave");
        return d->result();
    });
    click(&f, "btnEdit");
    EXPECT_EQ(storedHash(QStringLiteral("张三")), hash);
    EXPECT_TRUE(record(QStringLiteral("张三")).disabled);
    EXPECT_EQ(names(f), QStringList{QStringLiteral("admin")});  // now hidden as disabled

    TFrmLimitGl e;
    e.SetEditMode(TFrmLimitGl::EditMode, record(QStringLiteral("张三")));
    setPasswords(&e, QStringLiteral("new"), QStringLiteral("new"));
    click(&e, "btnSave");
    EXPECT_TRUE(CheckPass(storedHash(QStringLiteral("张三")), QStringLiteral("new")));
    EXPECT_FALSE(CheckPass(storedHash(QStringLiteral("张三")), QStringLiteral("old")));
}

TEST_F(Operators, RenamingWritesRowsUnderTheNewNameAndLeavesTheOldOnes)
{
    addOperator({QStringLiteral("李四"), {}, {QStringLiteral("201"), QStringLiteral("202")}});
    TFrmLimitGl e;
    e.SetEditMode(TFrmLimitGl::EditMode, record(QStringLiteral("李四")));
    setName(&e, QStringLiteral("李四二"));
    tick(&e, "clbLimits", permissionName(QStringLiteral("201")), false);
    click(&e, "btnSave");
    EXPECT_EQ(heldPermissions(QStringLiteral("李四二")), QStringList{permissionName(QStringLiteral("202"))});
    EXPECT_EQ(heldPermissions(QStringLiteral("李四")),
              (QStringList{permissionName(QStringLiteral("201")), permissionName(QStringLiteral("202"))}));
    EXPECT_EQ(column(QStringLiteral("select count(*) from OperList where F_Name = '李四'")), QStringList{"0"});
}

TEST_F(Operators, OnlyTheDepartmentScopeKeepsTheDepartments)
{
    for (int scope : {0, 1}) {
        SCOPED_TRACE(scope);
        db().exec(QStringLiteral("delete from OperList where F_Name = '张三'"));
        addOperator({QStringLiteral("张三"), {}, {}, 2, QStringLiteral("'销售部'")});
        TFrmLimitGl e;
        e.SetEditMode(TFrmLimitGl::EditMode, record(QStringLiteral("张三")));
        EXPECT_TRUE(child<QWidget>(&e, "pnlDept")->isVisibleTo(&e));
        EXPECT_EQ(child<QLineEdit>(&e, "edtDept")->text(), QStringLiteral("'销售部'"));
        child<QRadioButton>(&e, scope == 0 ? "rbScope0" : "rbScope1")->setChecked(true);
        EXPECT_FALSE(child<QWidget>(&e, "pnlDept")->isVisibleTo(&e));
        click(&e, "btnSave");
        EXPECT_EQ(record(QStringLiteral("张三")).scope, scope);
        EXPECT_EQ(record(QStringLiteral("张三")).dept, QString());
    }
}

TEST_F(Operators, AFailedSaveChangesNothing)
{
    addOperator({QStringLiteral("张三"), QStringLiteral("pw"), {QStringLiteral("201")}, 0, {}, false, false,
                 QStringLiteral("原描述")});
    // The permission rows are written last; make that step fail.
    db().exec(QStringLiteral("CREATE TRIGGER no_limits BEFORE INSERT ON OperLimit "
                             "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    TFrmLimitGl e;
    e.SetEditMode(TFrmLimitGl::EditMode, record(QStringLiteral("张三")));
    setName(&e, QStringLiteral("张三丰"));
    child<QPlainTextEdit>(&e, "memMem")->setPlainText(QStringLiteral("新描述"));
    messages.expect(QStringLiteral("保存失败，请检测数据库连接！"));
    QSignalSpy finished(&e, &QDialog::finished);
    click(&e, "btnSave");
    EXPECT_EQ(messages.kinds(), QList<int>{MessError});
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(child<QComboBox>(&e, "cbbName")->currentText(), QStringLiteral("张三丰"));
    EXPECT_EQ(record(QStringLiteral("张三")).mem, QStringLiteral("原描述"));
    EXPECT_EQ(heldPermissions(QStringLiteral("张三")), QStringList{permissionName(QStringLiteral("201"))});

    // An over-long name is refused by the database, not cut short.
    TFrmLimitGl n;
    setName(&n, QString(51, QChar(0x540D)));
    messages.expect(QStringLiteral("保存失败"));
    click(&n, "btnSave");
    EXPECT_EQ(column(QStringLiteral("select count(*) from OperList")), QStringList{"2"});
}

TEST_F(Operators, DepartmentDialogTicksTheNamedDepartmentsOnly)
{
    QString text = QStringLiteral("'销售部'");
    messages.expect(QStringLiteral("没有部门选择！"));
    EXPECT_FALSE(TDLGselectDeptSTR::Select(text, nullptr));  // no dialog is shown
    EXPECT_EQ(text, QStringLiteral("'销售部'"));

    addDepartments({QStringLiteral("销售"), QStringLiteral("销售部"), QStringLiteral("O'Neil"), QStringLiteral("财务部")});
    const struct {
        const char* before;
        QStringList ticked;
    } cases[] = {
        // A listed name inside a longer stored one is not ticked: that would widen the scope.
        {"'销售部','O''Neil'", {QStringLiteral("销售部"), QStringLiteral("O'Neil")}},
        {"销售，财务部", {QStringLiteral("销售"), QStringLiteral("财务部")}},  // typed without quotes
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        TDLGselectDeptSTR d;
        ASSERT_TRUE(d.load(QString::fromUtf8(c.before)));
        EXPECT_EQ(ticked(&d, "clbDept"), c.ticked);
    }

    text = QStringLiteral("'销售部','O''Neil'");
    modals.expect("TDLGselectDeptSTR", [](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("部门选择 "));
        tick(d, "clbDept", QStringLiteral("销售部"), false);
        tick(d, "clbDept", QStringLiteral("财务部"));
        click(d, "btnOk");
        return d->result();
    });
    EXPECT_TRUE(TDLGselectDeptSTR::Select(text, nullptr));
    EXPECT_EQ(text, QStringLiteral("'O''Neil','财务部'"));
    EXPECT_EQ(TdmData::deptNames(text), (QStringList{QStringLiteral("O'Neil"), QStringLiteral("财务部")}));

    modals.expect("TDLGselectDeptSTR", [](QDialog* d) {
        tick(d, "clbDept", QStringLiteral("销售"));
        click(d, "btnCancel");
        return d->result();
    });
    EXPECT_FALSE(TDLGselectDeptSTR::Select(text, nullptr));
    EXPECT_EQ(text, QStringLiteral("'O''Neil','财务部'"));
}

TEST_F(Operators, DepartmentsChosenInTheEditorRoundTrip)
{
    addDepartments({QStringLiteral("O'Neil"), QStringLiteral("销售部")});
    TFrmLimitGl e;
    setName(&e, QStringLiteral("张三"));
    child<QRadioButton>(&e, "rbScope2")->setChecked(true);
    ASSERT_TRUE(child<QWidget>(&e, "pnlDept")->isVisibleTo(&e));
    modals.expect("TDLGselectDeptSTR", [](QDialog* d) {
        tick(d, "clbDept", QStringLiteral("O'Neil"));
        click(d, "btnOk");
        return d->result();
    });
    click(&e, "btnDept");
    click(&e, "btnSave");
    const OperRecord saved = record(QStringLiteral("张三"));
    EXPECT_EQ(saved.scope, 2);
    EXPECT_EQ(saved.dept, QStringLiteral("'O''Neil'"));
    EXPECT_EQ(TdmData::deptNames(saved.dept), QStringList{QStringLiteral("O'Neil")});
}
