#include "support/Fixture.h"

#include "contracts/ContractCommands.h"
#include "contracts/TfrmContractEdit.h"
#include "data/AppState.h"
#include "data/DataGrid.h"
#include "data/DateEdit.h"
#include "data/MoneyEdit.h"
#include "data/Schema.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <atomic>
#include <barrier>
#include <thread>

namespace {
template <class T = QWidget>
T* child(QWidget* w, const char* name)
{
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}
QLineEdit* edit(QWidget* w, const char* name) { return child<QLineEdit>(w, name); }
void click(QWidget* w, const char* name) { child<QAbstractButton>(w, name)->click(); }

// Presses OK and reports whether the window closed with OK.
int pressOk(QDialog* d)
{
    d->setResult(0);
    click(d, "btnOK");
    return d->result();
}
}

class ContractEditor : public KorvanTest {
protected:
    void SetUp() override
    {
        KorvanTest::SetUp();
        grid = std::make_unique<DataGrid>();
        grid->setDataset(&qryMain);
        reopen();
    }
    void TearDown() override
    {
        grid.reset();
        KorvanTest::TearDown();
    }

    // The main list as the main window keeps it: ordered by signing date.
    void reopen()
    {
        qryMain = db().query(QStringLiteral("select * from Contract order by F_date, F_ID"));
        grid->refresh();
    }
    std::function<void()> refresher() { return [this] { reopen(); }; }

    qint64 addContract(const QString& name, const QVariantMap& more = {})
    {
        QVariantMap v{{QStringLiteral("F_name"), name},
                      {QStringLiteral("F_cltID"), ++lastCltId},
                      {QStringLiteral("F_date"), QStringLiteral("2026-01-%1").arg(lastCltId, 2, 10, QLatin1Char('0'))}};
        for (auto it = more.begin(); it != more.end(); ++it) v[it.key()] = it.value();
        QStringList cols, marks;
        QVariantList values;
        for (auto it = v.begin(); it != v.end(); ++it) {
            cols << it.key();
            marks << QStringLiteral("?");
            values << it.value();
        }
        db().exec(QStringLiteral("insert into Contract(%1) values(%2)").arg(cols.join(','), marks.join(',')), values);
        return db().lastInsertId();
    }
    void selectContract(qint64 id)
    {
        reopen();
        grid->setCurrentRow(qryMain.find(qryMain.fieldIndex(QStringLiteral("F_ID")), id));
    }
    QVariant column(qint64 id, const char* col)
    {
        return db().scalar(QStringLiteral("select %1 from Contract where F_ID = ?").arg(QLatin1String(col)), {id});
    }
    int contracts() { return db().scalar(QStringLiteral("select count(*) from Contract")).toInt(); }
    qint64 currentListId() { return qryMain.integer(grid->currentRow(), qryMain.fieldIndex(QStringLiteral("F_ID"))); }

    void open(int mode, ScriptedModals::Driver driver)
    {
        modals.expect(QStringLiteral("TfrmContractEdit"), std::move(driver));
        TfrmContractEdit editor(grid.get(), refresher());
        editor.ShowEditor(mode);
    }

    Dataset qryMain;
    std::unique_ptr<DataGrid> grid;
    int lastCltId = 0;
};

TEST_F(ContractEditor, FirstContractOfAnEmptyTableWithGeneratedCode)
{
    AppState().AutoContractCode = true;
    open(TfrmContractEdit::ModeNew, [&](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("合同档案 - 新增"));
        EXPECT_TRUE(child(d, "CheckBox1")->isVisibleTo(d));
        EXPECT_FALSE(child(d, "DBNavigator1")->isVisibleTo(d));
        EXPECT_EQ(edit(d, "edtcode")->text(), QStringLiteral("HT-20260309-001"));
        EXPECT_TRUE(edit(d, "edtcode")->isReadOnly());
        EXPECT_EQ(edit(d, "edtcode")->focusPolicy(), Qt::ClickFocus);
        EXPECT_EQ(child<QComboBox>(d, "cbbStatus")->currentText(), QStringLiteral("未执行"));
        EXPECT_FALSE(child(d, "cbeGDpath")->isVisibleTo(d));
        edit(d, "edtName")->setText(QStringLiteral("  O'Brien 供货合同  "));
        edit(d, "edtZF1")->setText(QStringLiteral(" 原样 "));
        child<MoneyEdit>(d, "ceTotalPrice")->setValue(-1234.5);
        return pressOk(d);
    });
    ASSERT_EQ(contracts(), 1);
    const qint64 id = db().scalar(QStringLiteral("select F_ID from Contract")).toLongLong();
    EXPECT_EQ(column(id, "F_cltID").toInt(), 1);
    EXPECT_EQ(column(id, "F_code").toString(), QStringLiteral("HT-20260309-001"));
    EXPECT_EQ(column(id, "F_name").toString(), QStringLiteral("O'Brien 供货合同"));
    EXPECT_EQ(column(id, "F_ZF1").toString(), QStringLiteral(" 原样 "));  // custom texts are not trimmed
    EXPECT_DOUBLE_EQ(column(id, "F_totalPrice").toDouble(), -1234.5);
    EXPECT_EQ(column(id, "F_beginDate").toString(), QStringLiteral("1900-08-14"));
    EXPECT_EQ(column(id, "F_endDate").toString(), QStringLiteral("1900-08-14"));
    EXPECT_EQ(column(id, "F_RQ2").toString(), QStringLiteral("1900-08-14"));
    EXPECT_EQ(column(id, "F_date").toString(), QStringLiteral("2026-03-09"));
    EXPECT_EQ(column(id, "F_editDate").toString(), QStringLiteral("2026-03-09"));
    EXPECT_EQ(column(id, "F_SFflag").toInt(), 1);
    EXPECT_EQ(column(id, "F_status").toString(), QStringLiteral("未执行"));
    EXPECT_TRUE(column(id, "F_SHemp").isNull());
    EXPECT_EQ(currentListId(), id);
}

TEST_F(ContractEditor, GeneratedCodeAndKeyTakenMeanwhileAreTakenAfreshWithoutAQuestion)
{
    AppState().AutoContractCode = true;
    open(TfrmContractEdit::ModeNew, [&](QDialog* d) {
        EXPECT_EQ(edit(d, "edtcode")->text(), QStringLiteral("HT-20260309-001"));
        // Another program instance saves the same code and key in the meantime.
        secondConnection()->exec(
            QStringLiteral("insert into Contract(F_cltID,F_code,F_name) values(1,'HT-20260309-001','别处')"));
        edit(d, "edtName")->setText(QStringLiteral("本处"));
        return pressOk(d);
    });
    const QVariant code = db().scalar(QStringLiteral("select F_code from Contract where F_name = '本处'"));
    EXPECT_EQ(code.toString(), QStringLiteral("HT-20260309-002"));
    EXPECT_EQ(db().scalar(QStringLiteral("select F_cltID from Contract where F_name = '本处'")).toInt(), 2);
}

TEST_F(ContractEditor, ManualCodeHeldByAnotherContractIsRefused)
{
    addContract(QStringLiteral("旧合同"), {{QStringLiteral("F_code"), QStringLiteral("A'1")}});
    open(TfrmContractEdit::ModeNew, [&](QDialog* d) {
        EXPECT_FALSE(edit(d, "edtcode")->isReadOnly());
        EXPECT_TRUE(edit(d, "edtcode")->text().isEmpty());
        edit(d, "edtName")->setText(QStringLiteral("新合同"));
        edit(d, "edtcode")->setText(QStringLiteral(" A'1 "));
        messages.expect(QStringLiteral("合同编号重复，请重新输入！"));
        EXPECT_EQ(pressOk(d), 0);
        EXPECT_EQ(contracts(), 1);
        edit(d, "edtcode")->setText(QStringLiteral("A'2"));
        return pressOk(d);
    });
    EXPECT_EQ(db().scalar(QStringLiteral("select F_code from Contract where F_name = '新合同'")).toString(),
              QStringLiteral("A'2"));
}

TEST_F(ContractEditor, EmptyNameAndDuplicateNameStopOrGoOnByTheAnswer)
{
    addContract(QStringLiteral("O'Neil 合同"));
    open(TfrmContractEdit::ModeNew, [&](QDialog* d) {
        edit(d, "edtName")->setText(QStringLiteral("   "));
        messages.expect(QStringLiteral("当前合同名称不能为空！"));
        EXPECT_EQ(pressOk(d), 0);
        edit(d, "edtName")->setText(QStringLiteral("O'Neil 合同"));
        messages.expect(QStringLiteral("合同名称“O'Neil 合同”重复，重新输入吗？"), 1);
        EXPECT_EQ(pressOk(d), 0);
        EXPECT_EQ(contracts(), 1);
        messages.expect(QStringLiteral("重复，重新输入吗？"), 2);
        return pressOk(d);
    });
    EXPECT_EQ(contracts(), 2);
    EXPECT_EQ(messages.kinds(), (QList<int>{0, 1, 1}));
}

TEST_F(ContractEditor, ModifyWithUnchangedCodeAndNameAsksNothingAndUpdatesTheRow)
{
    addContract(QStringLiteral("甲"), {{QStringLiteral("F_code"), QStringLiteral("C-1")}});
    const qint64 id = addContract(QStringLiteral("乙"), {{QStringLiteral("F_code"), QStringLiteral("C-2")},
                                                        {QStringLiteral("F_SFflag"), -1},
                                                        {QStringLiteral("F_totalPrice"), 99.5}});
    addContract(QStringLiteral("丙"));
    selectContract(id);
    open(TfrmContractEdit::ModeModify, [&](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("合同档案 - 修改"));
        EXPECT_FALSE(child(d, "CheckBox1")->isVisibleTo(d));
        EXPECT_TRUE(child(d, "DBNavigator1")->isVisibleTo(d));
        EXPECT_EQ(edit(d, "edtcode")->text(), QStringLiteral("C-2"));
        EXPECT_TRUE(child<QRadioButton>(d, "rbFK")->isChecked());
        EXPECT_DOUBLE_EQ(child<MoneyEdit>(d, "ceTotalPrice")->value(), 99.5);
        child<QPlainTextEdit>(d, "Memo1")->setPlainText(QStringLiteral("新内容"));
        return pressOk(d);
    });
    EXPECT_EQ(contracts(), 3);
    EXPECT_EQ(column(id, "F_memo1").toString(), QStringLiteral("新内容"));
    EXPECT_EQ(column(id, "F_SFflag").toInt(), -1);
    EXPECT_EQ(column(id, "F_cltID").toInt(), 2);
    EXPECT_EQ(currentListId(), id);
}

TEST_F(ContractEditor, StoredDatesReadAsEmptyBelowTheirThresholds)
{
    const struct {
        const char* stored;
        bool beginTicked;
        bool endTicked;
    } cases[] = {
        {"1900-08-14", false, false},
        {"1901-08-12", false, false},
        {"1901-08-13", false, true},  // the end date alone reads this day as a date
        {"1901-08-14", true, true},
        {"2026-05-01", true, true},
    };
    for (const auto& c : cases) {
        const QString stored = QString::fromLatin1(c.stored);
        const qint64 id = addContract(QStringLiteral("日期%1").arg(stored),
                                      {{QStringLiteral("F_beginDate"), stored}, {QStringLiteral("F_endDate"), stored},
                                       {QStringLiteral("F_RQ1"), stored}});
        selectContract(id);
        open(TfrmContractEdit::ModeModify, [&](QDialog* d) {
            auto* begin = child<DateEdit>(d, "dtpBeginDate");
            auto* end = child<DateEdit>(d, "dtpEndDate");
            EXPECT_EQ(begin->isChecked(), c.beginTicked) << c.stored;
            EXPECT_EQ(end->isChecked(), c.endTicked) << c.stored;
            EXPECT_EQ(child<DateEdit>(d, "dtpRQ1")->isChecked(), c.beginTicked) << c.stored;
            if (!c.beginTicked) EXPECT_EQ(begin->date(), QDate(2026, 3, 9)) << c.stored;
            return pressOk(d);
        });
        // Saved back unchanged: a date shown ticked keeps its day, an empty one becomes the empty date.
        EXPECT_EQ(column(id, "F_endDate").toString(), c.endTicked ? stored : QStringLiteral("1900-08-14")) << c.stored;
        EXPECT_EQ(column(id, "F_beginDate").toString(), c.beginTicked ? stored : QStringLiteral("1900-08-14"))
            << c.stored;
    }
}

TEST_F(ContractEditor, ApprovedContractLocksItsMainInputsAndKeepsItsApprover)
{
    const qint64 id = addContract(QStringLiteral("已批"), {{QStringLiteral("F_SHemp"), QStringLiteral("admin")},
                                                         {QStringLiteral("F_code"), QStringLiteral("K-9")}});
    selectContract(id);
    open(TfrmContractEdit::ModeModify, [&](QDialog* d) {
        for (const char* name : {"edtcode", "edtName", "cbeType", "edtFZR1", "edtFZR2", "cbeClient1", "cbeClient2",
                                 "ceTotalPrice"})
            EXPECT_TRUE(edit(d, name)->isReadOnly()) << name;
        for (const char* name : {"cbbEmpName", "cbbPriceUnit", "cbbDept", "RadioGroup1", "btnType", "btnClient1"})
            EXPECT_FALSE(child(d, name)->isEnabled()) << name;
        for (const char* name : {"dtpDate", "dtpeditdate", "dtpBeginDate", "dtpEndDate"})
            EXPECT_TRUE(child<DateEdit>(d, name)->isReadOnly()) << name;
        EXPECT_TRUE(child<QPlainTextEdit>(d, "Memo1")->isReadOnly());
        EXPECT_EQ(edit(d, "edtName")->palette().color(QPalette::Base), QColor(0, 255, 255));
        // Never locked: status, paths, archive flag, custom fields.
        EXPECT_TRUE(child(d, "cbbStatus")->isEnabled());
        EXPECT_FALSE(edit(d, "cbeFilePath")->isReadOnly());
        EXPECT_TRUE(child(d, "cbGDflag")->isEnabled());
        EXPECT_FALSE(edit(d, "edtZF3")->isReadOnly());
        EXPECT_FALSE(child<DateEdit>(d, "dtpRQ1")->isReadOnly());
        child<QComboBox>(d, "cbbStatus")->setEditText(QStringLiteral("已完成"));
        return pressOk(d);
    });
    EXPECT_EQ(column(id, "F_status").toString(), QStringLiteral("已完成"));
    EXPECT_EQ(column(id, "F_SHemp").toString(), QStringLiteral("admin"));
}

TEST_F(ContractEditor, CopyOfAnApprovedContractIsEditableUnapprovedAndGetsANewKey)
{
    addContract(QStringLiteral("其他"));
    const qint64 id = addContract(QStringLiteral("原件"), {{QStringLiteral("F_SHemp"), QStringLiteral("admin")},
                                                         {QStringLiteral("F_code"), QStringLiteral("K-1")},
                                                         {QStringLiteral("F_client1"), QStringLiteral("甲方公司")},
                                                         {QStringLiteral("F_GDflag"), 1},
                                                         {QStringLiteral("F_GDpath"), QStringLiteral("/档案")}});
    selectContract(id);
    open(TfrmContractEdit::ModeCopy, [&](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("合同档案 - 新增"));
        EXPECT_TRUE(edit(d, "edtcode")->text().isEmpty());  // automatic codes are off
        for (const char* name : {"edtcode", "edtName", "cbeClient1", "ceTotalPrice"})
            EXPECT_FALSE(edit(d, name)->isReadOnly()) << name;
        EXPECT_TRUE(child(d, "cbbEmpName")->isEnabled());
        EXPECT_TRUE(child(d, "cbeGDpath")->isVisibleTo(d));
        EXPECT_EQ(edit(d, "cbeGDpath")->text(), QStringLiteral("/档案"));
        edit(d, "edtName")->setText(QStringLiteral("副本"));
        return pressOk(d);
    });
    ASSERT_EQ(contracts(), 3);
    const qint64 copy = db().scalar(QStringLiteral("select F_ID from Contract where F_name = '副本'")).toLongLong();
    EXPECT_TRUE(column(copy, "F_SHemp").isNull());
    EXPECT_EQ(column(copy, "F_cltID").toInt(), 3);
    EXPECT_EQ(column(copy, "F_client1").toString(), QStringLiteral("甲方公司"));
    EXPECT_EQ(column(copy, "F_GDflag").toInt(), 1);
    EXPECT_EQ(column(id, "F_SHemp").toString(), QStringLiteral("admin"));
    EXPECT_EQ(currentListId(), copy);
}

TEST_F(ContractEditor, OwnContractsOperatorIsTheLockedSalesmanInEveryMode)
{
    AppState().OperName = QStringLiteral("张三");
    AppState().ScopeFlag = 1;
    const qint64 id = addContract(QStringLiteral("张三的合同"), {{QStringLiteral("F_empName"), QStringLiteral("张三")}});
    for (int mode : {TfrmContractEdit::ModeNew, TfrmContractEdit::ModeModify, TfrmContractEdit::ModeCopy}) {
        selectContract(id);
        open(mode, [&](QDialog* d) {
            auto* salesman = child<QComboBox>(d, "cbbEmpName");
            EXPECT_EQ(salesman->currentText(), QStringLiteral("张三")) << mode;
            EXPECT_FALSE(salesman->isEnabled()) << mode;
            return int(QDialog::Rejected);
        });
    }
    EXPECT_EQ(contracts(), 1);
}

TEST_F(ContractEditor, ContractWithoutLinkKeyGetsItsOwnIdAsKey)
{
    for (const QVariant& key : {QVariant(0), QVariant()}) {
        const qint64 id = addContract(QStringLiteral("无键%1").arg(key.isNull() ? "null" : "0"),
                                      {{QStringLiteral("F_cltID"), key}});
        selectContract(id);
        open(TfrmContractEdit::ModeModify, [&](QDialog* d) { return pressOk(d); });
        EXPECT_EQ(column(id, "F_cltID").toLongLong(), id);
    }
}

TEST_F(ContractEditor, ContinuousEntryKeepsTheWindowOpenForTheNextContract)
{
    AppState().AutoContractCode = true;
    open(TfrmContractEdit::ModeNew, [&](QDialog* d) {
        child<QCheckBox>(d, "CheckBox1")->setChecked(true);
        for (const char* name : {"第一份", "第二份"}) {
            edit(d, "edtName")->setText(QString::fromUtf8(name));
            child<QCheckBox>(d, "cbGDflag")->setChecked(true);
            EXPECT_EQ(pressOk(d), 0) << name;  // still open
            EXPECT_TRUE(edit(d, "edtName")->text().isEmpty());
            EXPECT_FALSE(child<QCheckBox>(d, "cbGDflag")->isChecked());
        }
        EXPECT_EQ(edit(d, "edtcode")->text(), QStringLiteral("HT-20260309-003"));
        click(d, "btnCancel");
        return d->result();
    });
    const Dataset rows = db().query(QStringLiteral("select F_name, F_code, F_cltID from Contract order by F_ID"));
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.text(0, 1), QStringLiteral("HT-20260309-001"));
    EXPECT_EQ(rows.text(1, 1), QStringLiteral("HT-20260309-002"));
    EXPECT_EQ(rows.integer(1, 2), 2);
    EXPECT_EQ(currentListId(), db().scalar(QStringLiteral("select max(F_ID) from Contract")).toLongLong());
}

TEST_F(ContractEditor, NavigatorMovesTheListAndASaveUpdatesTheRecordShown)
{
    const qint64 first = addContract(QStringLiteral("一号"));
    const qint64 second = addContract(QStringLiteral("二号"), {{QStringLiteral("F_SHemp"), QStringLiteral("admin")}});
    selectContract(first);
    open(TfrmContractEdit::ModeModify, [&](QDialog* d) {
        edit(d, "edtZF1")->setText(QStringLiteral("丢弃"));
        click(d, "nbNext");
        EXPECT_EQ(currentListId(), second);
        EXPECT_EQ(edit(d, "edtName")->text(), QStringLiteral("二号"));
        EXPECT_TRUE(edit(d, "edtName")->isReadOnly());  // the approved one is locked
        EXPECT_TRUE(edit(d, "edtZF1")->text().isEmpty());
        edit(d, "edtZF1")->setText(QStringLiteral("保存"));
        return pressOk(d);
    });
    EXPECT_TRUE(column(first, "F_ZF1").toString().isEmpty());
    EXPECT_EQ(column(second, "F_ZF1").toString(), QStringLiteral("保存"));
    EXPECT_EQ(column(second, "F_name").toString(), QStringLiteral("二号"));
}

TEST_F(ContractEditor, UnusableCodeOfTheDayLeavesManualEntry)
{
    AppState().AutoContractCode = true;
    addContract(QStringLiteral("手工"), {{QStringLiteral("F_code"), QStringLiteral("HT-20260309-0X1")}});
    messages.expect(QStringLiteral("请手工输入"));
    open(TfrmContractEdit::ModeNew, [&](QDialog* d) {
        EXPECT_TRUE(edit(d, "edtcode")->text().isEmpty());
        EXPECT_FALSE(edit(d, "edtcode")->isReadOnly());
        edit(d, "edtcode")->setText(QStringLiteral("HT-20260309-100"));
        edit(d, "edtName")->setText(QStringLiteral("手工编号"));
        return pressOk(d);
    });
    EXPECT_EQ(db().scalar(QStringLiteral("select F_code from Contract where F_name = '手工编号'")).toString(),
              QStringLiteral("HT-20260309-100"));
}

TEST_F(ContractEditor, FailedSaveRollsBackAndKeepsTheInputs)
{
    open(TfrmContractEdit::ModeNew, [&](QDialog* d) {
        edit(d, "edtName")->setText(QStringLiteral("名"));
        edit(d, "edtFZR1")->setText(QString(51, QLatin1Char('x')));  // longer than the column
        messages.expect(QStringLiteral("保存失败，请检测数据库连接！"));
        EXPECT_EQ(pressOk(d), 0);
        EXPECT_EQ(edit(d, "edtName")->text(), QStringLiteral("名"));
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(contracts(), 0);
    EXPECT_EQ(messages.kinds(), QList<int>{3});
}

TEST_F(ContractEditor, PartyPickerTakesThePersonInChargeFromTheClientRegister)
{
    db().exec(QStringLiteral("insert into Client(F_Code,F_Name,F_LinkMan,F_useFlag) values('001','宏达公司','李四',0)"));
    open(TfrmContractEdit::ModeNew, [&](QDialog* d) {
        // Cancelling the picker hands back the party's own text, which is then looked up.
        edit(d, "cbeClient1")->setText(QStringLiteral("宏达公司"));
        modals.expect(QStringLiteral("TDlgCltXz"), [](QDialog*) { return int(QDialog::Rejected); });
        click(d, "btnClient1");
        EXPECT_EQ(edit(d, "edtFZR1")->text(), QStringLiteral("李四"));
        edit(d, "cbeClient2")->setText(QStringLiteral("不在册单位"));
        edit(d, "edtFZR2")->setText(QStringLiteral("旧负责人"));
        modals.expect(QStringLiteral("TDlgCltXz"), [](QDialog*) { return int(QDialog::Rejected); });
        click(d, "btnClient2");
        EXPECT_TRUE(edit(d, "edtFZR2")->text().isEmpty());
        return int(QDialog::Rejected);
    });
}

TEST_F(ContractEditor, PathButtonsUseTheDesktop)
{
    open(TfrmContractEdit::ModeNew, [&](QDialog* d) {
        desktop.answers = {QStringLiteral("/tmp/合同.pdf"), QStringLiteral("/tmp/档案")};
        click(d, "btnFilePath");
        EXPECT_EQ(edit(d, "cbeFilePath")->text(), QStringLiteral("/tmp/合同.pdf"));
        child<QCheckBox>(d, "cbGDflag")->click();
        EXPECT_TRUE(child(d, "cbeGDpath")->isVisibleTo(d));
        click(d, "btnGDpath");
        EXPECT_EQ(edit(d, "cbeGDpath")->text(), QStringLiteral("/tmp/档案"));
        click(d, "btnOpenFile");
        click(d, "btnOpenGD");
        EXPECT_EQ(desktop.dialogTitles, (QStringList{QStringLiteral("请选择文件"), QStringLiteral("选择文件路径")}));
        EXPECT_EQ(desktop.opened, (QStringList{QStringLiteral("/tmp/合同.pdf"), QStringLiteral("/tmp/档案")}));
        child<QCheckBox>(d, "cbGDflag")->click();  // hidden again, the path stays
        EXPECT_FALSE(child(d, "cbeGDpath")->isVisibleTo(d));
        EXPECT_EQ(edit(d, "cbeGDpath")->text(), QStringLiteral("/tmp/档案"));
        return int(QDialog::Rejected);
    });
}

TEST_F(ContractEditor, EmptyListMessagesOfModifyAndCopy)
{
    messages.expect(QStringLiteral("此表为空，没有客户记录需要修改！"));
    ModifyContract(grid.get(), refresher(), nullptr);
    messages.expect(QStringLiteral("合同记录是空，不能复制！"));
    CopyContract(grid.get(), refresher(), nullptr);
    EXPECT_EQ(messages.kinds(), (QList<int>{3, 0}));
}

TEST_F(ContractEditor, NewContractTakesTheChosenCategoryAsType)
{
    modals.expect(QStringLiteral("TfrmContractEdit"), [&](QDialog* d) {
        EXPECT_EQ(edit(d, "cbeType")->text(), QStringLiteral("\\\\工程\\土建"));
        return int(QDialog::Rejected);
    });
    NewContract(grid.get(), refresher(), nullptr, QStringLiteral("\\\\工程\\土建"));
}

// Two program instances saving new contracts at the same moment: in every
// round both compute the same code and key (as their editors did on opening)
// and then save together.
TEST_F(ContractEditor, ConcurrentSavesNeverStoreTheSameKeyOrCode)
{
    constexpr int rounds = 10;
    std::atomic<int> failures{0};
    std::barrier sync(2);
    TdmData instances[2];
    for (TdmData& dm : instances) dm.attach(secondConnection());
    auto run = [&](int instance) {
        TdmData& dm = instances[instance];
        for (int i = 0; i < rounds; ++i) {
            sync.arrive_and_wait();  // both see the same stored contracts
            QVariantMap v;
            try {
                v = {{QStringLiteral("cltID"),
                      dm.ADOcnn().scalar(QStringLiteral("select max(F_cltID) from Contract")).toLongLong() + 1},
                     {QStringLiteral("code"), TfrmContractEdit::NextContractCode(dm)},
                     {QStringLiteral("name"), QStringLiteral("实例%1-%2").arg(instance).arg(i)},
                     {QStringLiteral("GDflag"), false}};
            } catch (...) {
                ++failures;
            }
            for (const char* k : {"Type", "empName", "date", "totalPrice", "beginDate", "endDate", "status", "memo1",
                                  "filePath", "memo2", "GDpath", "editDate", "client1", "client2", "FZR1", "FZR2",
                                  "SFflag", "priceUnit", "dept", "ZF1", "ZF2", "ZF3", "ZF4", "ZF5", "SZ1", "SZ2",
                                  "SZ3", "RQ1", "RQ2", "RQ3"})
                v[QString::fromLatin1(k)] = QVariant();
            sync.arrive_and_wait();  // and save at once
            try {
                TfrmContractEdit::WriteContract(dm, v, false, 0, true);
            } catch (...) {
                ++failures;
            }
        }
    };
    std::thread a(run, 0), b(run, 1);
    a.join();
    b.join();
    EXPECT_EQ(failures.load(), 0);
    const Dataset rows = db().query(QStringLiteral("select F_code, F_cltID from Contract"));
    ASSERT_EQ(rows.rowCount(), 2 * rounds);
    QSet<QString> codes;
    QSet<qint64> keys;
    for (int r = 0; r < rows.rowCount(); ++r) {
        codes << rows.text(r, 0);
        keys << rows.integer(r, 1);
    }
    EXPECT_EQ(codes.size(), 2 * rounds);
    EXPECT_EQ(keys.size(), 2 * rounds);
    EXPECT_TRUE(codes.contains(QStringLiteral("HT-20260309-020")));
    EXPECT_TRUE(keys.contains(2 * rounds));
}

TEST_F(ContractEditor, EnterMovesOnOutsideMemosCtrlSSavesEscCancels)
{
    open(TfrmContractEdit::ModeNew, [&](QDialog* d) {
        d->show();
        QApplication::setActiveWindow(d);
        auto* name = edit(d, "edtName");
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Return);
        EXPECT_NE(QApplication::focusWidget(), name);
        EXPECT_EQ(contracts(), 0);

        auto* memo = child<QPlainTextEdit>(d, "Memo1");
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("a"));
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, QStringLiteral("b"));
        EXPECT_EQ(memo->toPlainText(), QStringLiteral("a\nb"));

        name->setText(QStringLiteral("快捷键"));
        name->setFocus();
        child<QCheckBox>(d, "CheckBox1")->setChecked(true);  // stay open after the save
        QTest::keyClick(name, Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(contracts(), 1);
        EXPECT_TRUE(d->isVisible());
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Escape);
        EXPECT_FALSE(d->isVisible());
        return d->result();
    });
    EXPECT_EQ(db().scalar(QStringLiteral("select F_memo1 from Contract")).toString(), QStringLiteral("a\nb"));
}
