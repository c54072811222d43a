#include "ClientTestSupport.h"

#include "clients/ClientRegister.h"
#include "clients/TfrmCltEdit.h"
#include "clients/TfrmCltMan.h"
#include "data/AppState.h"
#include "data/DataGrid.h"
#include "data/PubUnit.h"
#include "platform/Messages.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

class ClientRegister : public ClientTest {
protected:
    void SetUp() override
    {
        ClientTest::SetUp();
        addClient("KH0002", "华东公司", "\\\\企业", false, "王五", "上海路1号");
        addClient("KH0001", "国营工厂", "\\\\企业\\国企", false, "李四", "北京路");
        addClient("GR0001", "张三个人", "\\\\个人");
        addClient("KH0003", "集团公司", "\\\\企业集团");
        addClient("KH0004", "停用公司", "\\\\企业", true);
    }
    static QStringList codes(const TfrmCltMan& f)
    {
        QStringList out;
        for (int r = 0; r < f.list().rowCount(); ++r) out << field(f.list(), r, "F_Code");
        return out;
    }
    static QString currentCode(const TfrmCltMan& f)
    {
        const int row = f.grid()->currentRow();
        return row < 0 ? QString() : field(f.list(), row, "F_Code");
    }
    static void click(QObject* w, const char* name) { child<QAbstractButton>(w, name)->click(); }
    static bool enabled(QObject* w, const char* name) { return child<QWidget>(w, name)->isEnabled(); }
    QString storedName(const char* code)
    {
        return db().scalar(QStringLiteral("select F_Name from Client where F_Code = ?"), {QString::fromLatin1(code)})
            .toString();
    }
};

TEST_F(ClientRegister, OpensWithClientsInUseByCode)
{
    modals.expect("TfrmCltMan", [this](QDialog* d) {
        auto* f = qobject_cast<TfrmCltMan*>(d);
        EXPECT_EQ(f->windowTitle(), QStringLiteral("客户档案资料管理"));
        EXPECT_EQ(codes(*f), (QStringList{"GR0001", "KH0001", "KH0002", "KH0003"}));
        EXPECT_EQ(f->statusText(2), QStringLiteral("记录数：4"));
        auto* tree = child<QTreeWidget>(f, "TreeView1");
        EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("往来单位类型"));
        EXPECT_TRUE(tree->currentItem()->isExpanded());
        EXPECT_FALSE(enabled(f, "tbPrint"));
        EXPECT_FALSE(enabled(f, "tbSet"));
        return int(QDialog::Rejected);
    });
    ShowClientRegister(nullptr);
}

TEST_F(ClientRegister, SearchFieldsCategoriesAndDisabled)
{
    TfrmCltMan f;
    auto* combo = child<QComboBox>(&f, "ComboBox1");
    auto* edit = child<QLineEdit>(&f, "Edit1");
    combo->setCurrentIndex(SearchCode);
    edit->setText(QStringLiteral("K"));
    EXPECT_EQ(codes(f), (QStringList{"KH0001", "KH0002", "KH0003"}));
    EXPECT_EQ(f.statusText(2), QStringLiteral("记录数：3"));
    combo->setCurrentIndex(SearchName);  // another field empties the text
    EXPECT_EQ(edit->text(), QString());
    edit->setText(QStringLiteral("公司"));
    EXPECT_EQ(codes(f), (QStringList{"KH0002", "KH0003"}));
    edit->setText(QStringLiteral("O'Neil"));  // a quote is just a character
    EXPECT_EQ(codes(f), QStringList{});
    edit->clear();

    auto* tree = child<QTreeWidget>(&f, "TreeView1");
    tree->setCurrentItem(node(tree, QStringLiteral("个人")));  // a single click does not requery
    EXPECT_EQ(codes(f).size(), 4);
    doubleClick(tree, QStringLiteral("企业"));
    EXPECT_EQ(codes(f), (QStringList{"KH0001", "KH0002"}));  // not the sibling 企业集团
    child<QCheckBox>(&f, "chkUseFlag")->click();
    EXPECT_EQ(codes(f), (QStringList{"KH0001", "KH0002", "KH0004"}));
    doubleClick(tree, QStringLiteral("往来单位类型"));
    EXPECT_EQ(codes(f), (QStringList{"GR0001", "KH0001", "KH0002", "KH0003", "KH0004"}));
    EXPECT_EQ(f.statusText(2), QStringLiteral("记录数：5"));
}

TEST_F(ClientRegister, DisabledRowsInRedOnButtonFace)
{
    TfrmCltMan f;
    child<QCheckBox>(&f, "chkUseFlag")->click();
    QAbstractItemModel* model = f.grid()->view()->model();
    for (int r = 0; r < f.list().rowCount(); ++r) {
        const bool disabled = field(f.list(), r, "F_Code") == QLatin1String("KH0004");
        const QModelIndex i = model->index(r, 0);
        const QColor text = model->data(i, Qt::ForegroundRole).value<QBrush>().color();
        const QColor back = model->data(i, Qt::BackgroundRole).value<QBrush>().color();
        EXPECT_EQ(disabled, text == QColor(Qt::red)) << r;
        EXPECT_EQ(disabled, back == Colors::buttonFace()) << r;
    }
}

TEST_F(ClientRegister, DeleteAsksWhileTypingInTheSearchBox)
{
    TfrmCltMan f;
    auto* edit = child<QLineEdit>(&f, "Edit1");
    f.grid()->setCurrentRow(2);  // KH0002
    messages.expect(QStringLiteral("真的要删除当前客户华东公司吗？"), 2);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(storedCodes().size(), 5);
    EXPECT_EQ(messages.kinds(), QList<int>{MessQuestion});

    // Contracts keep the name text of a deleted client.
    db().exec(QStringLiteral("insert into Contract(F_cltID,F_name,F_client1) values(1,'合同','华东公司')"));
    messages.expect(QStringLiteral("真的要删除当前客户华东公司吗？"), 1);
    f.grid()->setCurrentRow(2);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(storedCodes(), (QStringList{"GR0001", "KH0001", "KH0003", "KH0004"}));
    EXPECT_EQ(codes(f), (QStringList{"GR0001", "KH0001", "KH0003"}));
    EXPECT_EQ(f.grid()->currentRow(), 0);
    EXPECT_EQ(f.statusText(2), QStringLiteral("记录数：3"));
    EXPECT_EQ(column(QStringLiteral("select F_client1 from Contract")), QStringList{QStringLiteral("华东公司")});
}

TEST_F(ClientRegister, EditingAnEmptyListIsRefused)
{
    db().exec(QStringLiteral("delete from Client"));
    TfrmCltMan f;
    messages.expect(QStringLiteral("此表为空，没有记录需要修改！"));
    QTest::keyClick(f.grid()->view(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(messages.kinds(), QList<int>{MessError});
    click(&f, "tbDel");  // nothing to delete, nothing asked
}

TEST_F(ClientRegister, NavigationButtonsAndKeys)
{
    TfrmCltMan f;
    QWidget* view = f.grid()->view();
    click(&f, "tbLast");
    EXPECT_EQ(currentCode(f), QStringLiteral("KH0003"));
    EXPECT_TRUE(enabled(&f, "tbFirst") && enabled(&f, "tbPrior"));
    EXPECT_FALSE(enabled(&f, "tbNext") || enabled(&f, "tbLast"));
    QTest::keyClick(view, Qt::Key_PageDown);  // disabled: nothing
    EXPECT_EQ(currentCode(f), QStringLiteral("KH0003"));
    QTest::keyClick(view, Qt::Key_PageUp);
    EXPECT_EQ(currentCode(f), QStringLiteral("KH0002"));
    EXPECT_TRUE(enabled(&f, "tbNext") && enabled(&f, "tbLast"));
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(currentCode(f), QStringLiteral("GR0001"));
    EXPECT_FALSE(enabled(&f, "tbFirst") || enabled(&f, "tbPrior"));
    EXPECT_TRUE(enabled(&f, "tbNext") && enabled(&f, "tbLast"));
    QTest::keyClick(view, Qt::Key_PageDown);
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(currentCode(f), QStringLiteral("KH0002"));
    EXPECT_TRUE(enabled(&f, "tbFirst") && enabled(&f, "tbPrior"));
    // "前项" on the first row only disables the backward buttons.
    f.grid()->setCurrentRow(0);
    click(&f, "tbPrior");
    EXPECT_EQ(currentCode(f), QStringLiteral("GR0001"));
    EXPECT_FALSE(enabled(&f, "tbFirst") || enabled(&f, "tbPrior"));
}

TEST_F(ClientRegister, ContinuousEntryWithAutomaticCodes)
{
    AppState().AutoClientCode = true;
    db().exec(QStringLiteral("delete from Client"));
    TfrmCltMan f;
    modals.expect("TfrmCltEdit", [this](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("客户档案 - 新增"));
        EXPECT_TRUE(child<QWidget>(d, "CheckBox1")->isVisibleTo(d));
        EXPECT_FALSE(child<QWidget>(d, "DBNavigator1")->isVisibleTo(d));
        auto* code = child<QLineEdit>(d, "edtCode");
        EXPECT_EQ(code->text(), QStringLiteral("0001"));
        EXPECT_TRUE(code->isReadOnly());
        EXPECT_EQ(code->palette().color(QPalette::Base), QColor(163, 149, 242));
        setText(d, "edtName", QStringLiteral("甲公司"));
        child<QPlainTextEdit>(d, "memMem")->setPlainText(QStringLiteral("备注"));
        click(d, "Button1");
        // Still open, empty, with the next code.
        EXPECT_EQ(code->text(), QStringLiteral("0002"));
        EXPECT_EQ(child<QLineEdit>(d, "edtName")->text(), QString());
        EXPECT_EQ(child<QPlainTextEdit>(d, "memMem")->toPlainText(), QString());
        setText(d, "edtName", QStringLiteral("乙公司"));
        click(d, "Button1");
        click(d, "Button2");
        return d->result();
    });
    QTest::keyClick(child<QLineEdit>(&f, "Edit1"), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(storedCodes(), (QStringList{"0001", "0002"}));
    EXPECT_EQ(storedName("0001"), QStringLiteral("甲公司"));
    EXPECT_EQ(codes(f), (QStringList{"0001", "0002"}));
    EXPECT_EQ(currentCode(f), QStringLiteral("0002"));
    EXPECT_EQ(f.statusText(2), QStringLiteral("记录数：2"));
}

TEST_F(ClientRegister, NewClientWithoutContinuousEntryCloses)
{
    TfrmCltMan f;
    modals.expect("TfrmCltEdit", [this](QDialog* d) {
        EXPECT_FALSE(child<QLineEdit>(d, "edtCode")->isReadOnly());
        child<QCheckBox>(d, "CheckBox1")->setChecked(false);
        click(d, "Button1");  // no code yet
        setText(d, "edtCode", QStringLiteral(" KH0001 "));
        click(d, "Button1");  // taken, typed codes
        setText(d, "edtCode", QStringLiteral("KH0009"));
        setText(d, "edtName", QStringLiteral("新公司"));
        click(d, "Button1");
        return d->result();
    });
    messages.expect(QStringLiteral("当前客户编号不能为空！")).expect(QStringLiteral("客户编号重复，请重新输入！"));
    click(&f, "tbNew");
    EXPECT_EQ(messages.kinds(), (QList<int>{MessInfo, MessInfo}));
    EXPECT_EQ(storedName("KH0009"), QStringLiteral("新公司"));
    EXPECT_EQ(currentCode(f), QStringLiteral("KH0009"));
}

TEST_F(ClientRegister, DuplicateWithAutomaticCodesTakesAFreshCode)
{
    AppState().AutoClientCode = true;
    TfrmCltMan f;
    modals.expect("TfrmCltEdit", [this](QDialog* d) {
        EXPECT_EQ(child<QLineEdit>(d, "edtCode")->text(), QStringLiteral("KH0005"));
        addClient("KH0005", "另一个程序新增的");  // another instance saved first
        setText(d, "edtName", QStringLiteral("晚到的"));
        child<QCheckBox>(d, "CheckBox1")->setChecked(false);
        click(d, "Button1");
        return d->result();
    });
    click(&f, "tbNew");
    EXPECT_EQ(storedName("KH0006"), QStringLiteral("晚到的"));
    EXPECT_EQ(currentCode(f), QStringLiteral("KH0006"));
}

TEST_F(ClientRegister, AutomaticCodeFollowsTheLargestStored)
{
    AppState().AutoClientCode = true;
    const struct { const char* largest; const char* next; } cases[] = {
        {nullptr, "0001"}, {"KH0012", "KH0013"}, {"9999", "0000"}};
    for (const auto& c : cases) {
        db().exec(QStringLiteral("delete from Client"));
        if (c.largest) addClient(QString::fromLatin1(c.largest), QStringLiteral("甲"));
        TfrmCltEdit e;
        e.LoadFields(false);
        EXPECT_EQ(child<QLineEdit>(&e, "edtCode")->text(), QString::fromLatin1(c.next)) << c.next;
    }
}

TEST_F(ClientRegister, UnreadableLargestCodeLeavesTheCodeToBeTyped)
{
    AppState().AutoClientCode = true;
    addClient("KH00AB", "末尾是字母");
    TfrmCltMan f;
    messages.expect(QStringLiteral("末尾不是数字"));
    modals.expect("TfrmCltEdit", [this](QDialog* d) {
        auto* code = child<QLineEdit>(d, "edtCode");
        EXPECT_FALSE(code->isReadOnly());
        EXPECT_EQ(code->text(), QString());
        child<QCheckBox>(d, "CheckBox1")->setChecked(false);
        setText(d, "edtCode", QStringLiteral("KH0100"));
        setText(d, "edtName", QStringLiteral("手工编号"));
        click(d, "Button1");
        return d->result();
    });
    click(&f, "tbNew");
    EXPECT_EQ(messages.kinds(), QList<int>{MessWarning});
    EXPECT_EQ(storedName("KH0100"), QStringLiteral("手工编号"));
}

TEST_F(ClientRegister, OverLongTextNamesTheLimitAndStoresNothing)
{
    TfrmCltMan f;
    modals.expect("TfrmCltEdit", [this](QDialog* d) {
        setText(d, "edtCode", QStringLiteral("KH0009"));
        setText(d, "edtPostcode", QString(30, QLatin1Char('1')));
        click(d, "Button1");
        EXPECT_EQ(child<QLineEdit>(d, "edtPostcode")->text().size(), 30);  // inputs kept
        setText(d, "edtPostcode", QStringLiteral("200000"));
        child<QCheckBox>(d, "CheckBox1")->setChecked(false);
        click(d, "Button1");
        return d->result();
    });
    messages.expect(QStringLiteral("最多只能保存 20 个字符"));
    click(&f, "tbNew");
    EXPECT_EQ(messages.kinds(), QList<int>{MessError});
    EXPECT_EQ(column(QStringLiteral("select F_Postcode from Client where F_Code = 'KH0009'")),
              QStringList{QStringLiteral("200000")});
}

TEST_F(ClientRegister, NavigatorEditsTheRowShown)
{
    TfrmCltMan f;
    f.grid()->setCurrentRow(1);  // KH0001
    modals.expect("TfrmCltEdit", [this](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("客户档案 - 修改"));
        EXPECT_FALSE(child<QWidget>(d, "CheckBox1")->isVisibleTo(d));
        EXPECT_TRUE(child<QWidget>(d, "DBNavigator1")->isVisibleTo(d));
        EXPECT_EQ(child<QLineEdit>(d, "edtName")->text(), QStringLiteral("国营工厂"));
        EXPECT_EQ(child<QLineEdit>(d, "edtLinkMan")->text(), QStringLiteral("李四"));
        click(d->findChild<QWidget*>(QStringLiteral("DBNavigator1")), "nbNext");
        EXPECT_EQ(child<QLineEdit>(d, "edtCode")->text(), QStringLiteral("KH0002"));
        EXPECT_EQ(child<QLineEdit>(d, "edtAddress")->text(), QStringLiteral("上海路1号"));
        setText(d, "edtName", QStringLiteral("华东分公司"));
        click(d, "Button1");  // its own code is no duplicate
        return d->result();
    });
    click(&f, "tbEdit");
    EXPECT_EQ(storedName("KH0002"), QStringLiteral("华东分公司"));
    EXPECT_EQ(storedName("KH0001"), QStringLiteral("国营工厂"));
    EXPECT_EQ(currentCode(f), QStringLiteral("KH0002"));
    EXPECT_EQ(field(f.list(), f.grid()->currentRow(), "F_Name"), QStringLiteral("华东分公司"));
}

TEST_F(ClientRegister, ModifyWithAutomaticCodesKeepsTheCodeLocked)
{
    AppState().AutoClientCode = true;
    TfrmCltMan f;
    f.grid()->setCurrentRow(3);  // KH0003
    modals.expect("TfrmCltEdit", [this](QDialog* d) {
        auto* code = child<QLineEdit>(d, "edtCode");
        EXPECT_EQ(code->text(), QStringLiteral("KH0003"));
        EXPECT_TRUE(code->isReadOnly());
        child<QCheckBox>(d, "cbUseFlag")->setChecked(true);
        click(d, "Button1");
        return d->result();
    });
    emit f.grid()->rowActivated(3);  // a double click on the row
    EXPECT_EQ(column(QStringLiteral("select F_useFlag from Client where F_Code = 'KH0003'")), QStringList{"1"});
    EXPECT_EQ(codes(f), (QStringList{"GR0001", "KH0001", "KH0002"}));  // now disabled, so hidden
}

TEST_F(ClientRegister, CategoryButtonPicksAClientCategory)
{
    TfrmCltMan f;
    f.grid()->setCurrentRow(2);  // KH0002 in \\企业
    modals.expect("TfrmCltEdit", [this](QDialog* d) {
        auto* type = child<QLineEdit>(d, "edtType");
        // The picker starts at the client's own category; cancelling keeps the text.
        modals.expect("TFrmTreeCodeMan", [](QDialog* p) {
            auto* tree = p->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
            EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("企业"));
            return int(QDialog::Rejected);
        });
        click(d, "btnType");
        EXPECT_EQ(type->text(), QStringLiteral("\\\\企业"));
        modals.expect("TFrmTreeCodeMan", [](QDialog* p) {
            auto* tree = p->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
            tree->setCurrentItem(node(tree, QStringLiteral("国企")));
            return int(QDialog::Accepted);
        });
        click(d, "btnType");
        EXPECT_EQ(type->text(), QStringLiteral("\\\\企业\\国企"));
        click(d, "Button1");
        return d->result();
    });
    click(&f, "tbEdit");
    EXPECT_EQ(column(QStringLiteral("select F_Type from Client where F_Code = 'KH0002'")),
              QStringList{QStringLiteral("\\\\企业\\国企")});
}

TEST_F(ClientRegister, EditorKeys)
{
    TfrmCltMan f;
    modals.expect("TfrmCltEdit", [this](QDialog* d) {
        d->show();
        QApplication::setActiveWindow(d);  // the shared editor keys act on the focused control
        auto* name = child<QLineEdit>(d, "edtName");
        auto* memo = child<QPlainTextEdit>(d, "memMem");
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Return);
        EXPECT_EQ(d->focusWidget(), child<QWidget>(d, "edtType"));
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_Return);  // a new line, not the next input
        EXPECT_EQ(d->focusWidget(), memo);
        EXPECT_EQ(memo->toPlainText(), QStringLiteral("\n"));
        setText(d, "edtCode", QStringLiteral("KH0010"));
        setText(d, "edtName", QStringLiteral("快捷键公司"));
        QTest::keyClick(memo, Qt::Key_S, Qt::ControlModifier);  // saves, stays open for the next one
        EXPECT_EQ(d->result(), int(QDialog::Rejected));
        EXPECT_TRUE(d->isVisible());
        QTest::keyClick(name, Qt::Key_Escape);
        EXPECT_FALSE(d->isVisible());
        return d->result();
    });
    click(&f, "tbNew");
    EXPECT_EQ(storedName("KH0010"), QStringLiteral("快捷键公司"));
}

TEST_F(ClientRegister, StoredLayoutSaveAndExport)
{
    for (const auto& [order, fieldName, caption] :
         {std::tuple{0, "F_Code", "编码"}, std::tuple{1, "F_Name", "客户名称"}})
        db().exec(QStringLiteral("insert into cfg_Grid(F_name,F_FieldName,F_Caption,F_Width,F_Visible,F_Order) "
                                 "values('cltman',?,?,90,1,?)"),
                  {QString::fromLatin1(fieldName), QString::fromUtf8(caption), order});
    TfrmCltMan f;
    ASSERT_EQ(f.grid()->columnCount(), 2);
    EXPECT_EQ(f.grid()->columns()[1].title, QStringLiteral("客户名称"));

    f.grid()->setColumnTitle(1, QStringLiteral("单位全称"));
    auto* save = f.findChild<QAction*>(QStringLiteral("N2"));
    ASSERT_NE(save, nullptr);
    messages.expect(QStringLiteral("真的要保存当前网格设置吗？"), 2);
    save->trigger();
    EXPECT_EQ(column(QStringLiteral("select F_Caption from cfg_Grid where F_FieldName = 'F_Name'")),
              QStringList{QStringLiteral("客户名称")});
    messages.expect(QStringLiteral("真的要保存当前网格设置吗？"), 1);
    save->trigger();
    EXPECT_EQ(column(QStringLiteral("select F_Caption from cfg_Grid where F_FieldName = 'F_Name'")),
              QStringList{QStringLiteral("单位全称")});

    const QString file = home() + QStringLiteral("/clients.xlsx");
    desktop.answers.push_back(file);
    click(&f, "tbExpert");
    EXPECT_TRUE(QFileInfo(file).size() > 0);
    EXPECT_EQ(desktop.opened, QStringList{file});
}
