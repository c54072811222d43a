#include "support/Fixture.h"

#include "codes/CategoryPicker.h"
#include "codes/CategoryStore.h"
#include "codes/TDLGenterCaption.h"
#include "codes/TFrmTreeCodeMan.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {
const QString kBs = QStringLiteral("\\");

// A path written with / for readability: "//A/B" is \\A\B.
QString P(const char* slashes) { return QString::fromUtf8(slashes).replace(QLatin1Char('/'), QLatin1Char('\\')); }

// Fills the entry dialog's box and presses "确定".
ScriptedModals::Driver typeName(const QString& text)
{
    return [text](QDialog* d) {
        d->findChild<QLineEdit*>(QStringLiteral("edtCaption"))->setText(text);
        d->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        return d->result();
    };
}

int cancelDialog(QDialog* d)
{
    d->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
    return d->result();
}

class CategoryTreeTest : public KorvanTest {
protected:
    void addRow(const QString& flag, const QString& code, const QString& name, const QString& path)
    {
        db().exec(QStringLiteral("insert into t_treecode(F_code,F_name,F_likecode,F_flag) values(?,?,?,?)"),
                  {code, name, path, flag});
    }

    // code -> "name|path" of every stored row of the flag
    QMap<QString, QString> rows(const QString& flag)
    {
        QMap<QString, QString> m;
        const Dataset ds = db().query(
            QStringLiteral("select F_code,F_name,F_likecode from t_treecode where F_flag = ? order by F_code"), {flag});
        for (int r = 0; r < ds.rowCount(); ++r) m.insert(ds.text(r, 0), ds.text(r, 1) + QLatin1Char('|') + ds.text(r, 2));
        return m;
    }

    QStringList column(const QString& sql)
    {
        QStringList out;
        const Dataset ds = db().query(sql);
        for (int r = 0; r < ds.rowCount(); ++r) out << ds.text(r, 0);
        return out;
    }

    static QTreeWidgetItem* node(TFrmTreeCodeMan& w, const QString& name)
    {
        for (QTreeWidgetItemIterator it(w.tree()); *it; ++it)
            if ((*it)->text(0) == name) return *it;
        return nullptr;
    }

    static void select(TFrmTreeCodeMan& w, const QString& name)
    {
        QTreeWidgetItem* n = node(w, name);
        ASSERT_NE(n, nullptr) << name.toStdString();
        w.tree()->setCurrentItem(n);
    }

    static void click(TFrmTreeCodeMan& w, const char* button)
    {
        w.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }

    // A type tree: A (001) with B (001001), and AB (002), a sibling whose name begins with A's.
    void seedTypes(const QString& flag = QStringLiteral("type"))
    {
        addRow(flag, QStringLiteral("001"), QStringLiteral("A"), P("//A"));
        addRow(flag, QStringLiteral("001001"), QStringLiteral("B"), P("//A/B"));
        addRow(flag, QStringLiteral("002"), QStringLiteral("AB"), P("//AB"));
    }
};
}

TEST(CategoryPaths, ThreeBackslashesNeverRemain)
{
    const struct { const char* in; const char* out; } cases[] = {
        {"//A", "//A"},
        {"///A", "//A"},
        {"////A", "//A"},
        {"//A/B", "//A/B"},
        {"//A///B", "//A//B"},
    };
    for (const auto& c : cases) EXPECT_EQ(CategoryStore::collapseSlashes(P(c.in)), P(c.out)) << c.in;
    // Below the root (path \\) and below a category.
    EXPECT_EQ(CategoryStore::joinPath(P("//"), QStringLiteral("A")), P("//A"));
    EXPECT_EQ(CategoryStore::joinPath(P("//A"), QStringLiteral("B")), P("//A/B"));
}

TEST_F(CategoryTreeTest, FirstCategoriesOfAnEmptyTreeAndTheirSiblingsAndChildren)
{
    TFrmTreeCodeMan w;
    ASSERT_TRUE(w.SetMode(1));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("合同类型"));
    EXPECT_EQ(w.tree()->topLevelItem(0)->text(0), QStringLiteral("合同类型"));

    modals.expect("TDLGenterCaption", [](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("添加 000 合同类型 子类"));
        return typeName(QStringLiteral("A"))(d);
    });
    click(w, "btnAddChild");
    select(w, QStringLiteral("A"));
    modals.expect("TDLGenterCaption", [](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("添加 001 A 同类"));
        return typeName(QStringLiteral("B"))(d);
    });
    click(w, "btnAddSame");
    modals.expect("TDLGenterCaption", typeName(QStringLiteral("C")));
    click(w, "btnAddChild");
    select(w, QStringLiteral("C"));
    modals.expect("TDLGenterCaption", typeName(QStringLiteral("D")));
    click(w, "btnAddSame");

    const QMap<QString, QString> expected = {{"001", "A|" + P("//A")},
                                             {"002", "B|" + P("//B")},
                                             {"001001", "C|" + P("//A/C")},
                                             {"001002", "D|" + P("//A/D")}};
    EXPECT_EQ(rows(QStringLiteral("type")), expected);
    EXPECT_TRUE(w.changedMark());
    // The view shows what is stored, parent before child.
    EXPECT_EQ(node(w, QStringLiteral("D"))->parent(), node(w, QStringLiteral("A")));
    EXPECT_EQ(TreeNodeData::of(node(w, QStringLiteral("D"))).code, QStringLiteral("001002"));
    EXPECT_EQ(TreeNodeData::of(node(w, QStringLiteral("B"))).likeCode, P("//B"));
}

TEST_F(CategoryTreeTest, NextChildSkipsPastAChildThatHasChildrenOfItsOwn)
{
    addRow("type", "001", "A", P("//A"));
    addRow("type", "001001", "A1", P("//A/A1"));
    addRow("type", "001002", "A2", P("//A/A2"));
    addRow("type", "001002001", "A21", P("//A/A2/A21"));
    TFrmTreeCodeMan w;
    w.SetMode(1);
    select(w, QStringLiteral("A"));
    modals.expect("TDLGenterCaption", typeName(QStringLiteral("A3")));
    click(w, "btnAddChild");
    EXPECT_EQ(rows("type").value("001003"), "A3|" + P("//A/A3"));
}

TEST_F(CategoryTreeTest, RootHasNoSiblingsAndCannotBeDeletedOrRenamed)
{
    TFrmTreeCodeMan w;
    w.SetMode(1);
    messages.expect("不能增加根节点的同类节点，该节点只能增加子节点！");
    click(w, "btnAddSame");
    messages.expect("不能删除根节点");
    click(w, "btnDelete");
    click(w, "btnEdit");  // nothing happens on the root
    EXPECT_FALSE(w.changedMark());
    EXPECT_EQ(messages.kinds(), (QList<int>{0, 0}));
}

TEST_F(CategoryTreeTest, NamesAreCheckedBeforeAnythingIsStored)
{
    const struct { QString name; const char* refusal; QString stored; } cases[] = {
        {QStringLiteral("O'Brien \"特\" 50%_x"), nullptr, QStringLiteral("O'Brien \"特\" 50%_x")},
        {QStringLiteral("  有空格 "), nullptr, QStringLiteral("  有空格 ")},  // stored as typed
        {QStringLiteral("A\\B"), "不能包含", {}},
        {QString(51, QChar(0x540D)), "最多只能有 50 个字符", {}},
    };
    for (const auto& c : cases) {
        db().exec(QStringLiteral("delete from t_treecode"));
        TFrmTreeCodeMan w;
        w.SetMode(3);
        modals.expect("TDLGenterCaption", typeName(c.name));
        if (c.refusal) messages.expect(QString::fromUtf8(c.refusal));
        click(w, "btnAddChild");
        const QMap<QString, QString> stored = rows(QStringLiteral("clttype"));
        if (c.refusal) {
            EXPECT_TRUE(stored.isEmpty()) << c.name.toStdString();
            EXPECT_FALSE(w.changedMark());
        } else {
            EXPECT_EQ(stored.value("001"), c.stored + QLatin1Char('|') + P("//") + c.stored) << c.name.toStdString();
        }
        messages.verifyDone();
        modals.verifyDone();
    }
}

TEST_F(CategoryTreeTest, APathTooLongForItsColumnIsRefused)
{
    // Departments are stored in Contract.F_dept, 50 characters wide.
    const QString a(30, QLatin1Char('a'));
    addRow("dept", "001", a, P("//") + a);
    TFrmTreeCodeMan w;
    w.SetMode(8);
    select(w, a);
    modals.expect("TDLGenterCaption", typeName(QString(20, QLatin1Char('b'))));
    messages.expect("最多只能有 50 个字符");
    click(w, "btnAddChild");
    EXPECT_EQ(rows("dept").size(), 1);
}

TEST_F(CategoryTreeTest, TheThousandthChildIsRefusedBeforeTheNameIsAsked)
{
    auto tx = db().transaction(true);
    for (int i = 1; i <= 999; ++i)
        addRow("gctype", QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("P%1").arg(i),
               P("//") + QStringLiteral("P%1").arg(i));
    tx.commit();
    TFrmTreeCodeMan w;
    w.SetMode(5);
    messages.expect("最多只能有 999 个类别");
    click(w, "btnAddChild");
    select(w, QStringLiteral("P5"));
    messages.expect("最多只能有 999 个类别");
    click(w, "btnAddSame");
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from t_treecode where F_flag='gctype'")).toInt(), 999);
    EXPECT_FALSE(w.changedMark());
}

TEST_F(CategoryTreeTest, RenameRewritesTheCategoryAndWhatLiesBelowItOnly)
{
    const struct { int mode; const char* flag; const char* table; const char* column; } trees[] = {
        {1, "type", "Contract", "F_type"},
        {3, "clttype", "Client", "F_Type"},
        {8, "dept", "Contract", "F_dept"},
    };
    for (const auto& t : trees) {
        SCOPED_TRACE(t.flag);
        db().exec(QStringLiteral("delete from t_treecode"));
        db().exec(QStringLiteral("delete from Contract"));
        db().exec(QStringLiteral("delete from Client"));
        seedTypes(QString::fromLatin1(t.flag));
        // Another tree with the same codes and paths stays as it is.
        seedTypes(QStringLiteral("gctype"));
        const QStringList stored = {P("//A"), P("//A/B"), P("//AB"), P("//AB/B"), P("//a/B")};
        for (const QString& s : stored)
            db().exec(QStringLiteral("insert into %1(%2) values(?)").arg(t.table, t.column), {s});

        TFrmTreeCodeMan w;
        w.SetMode(t.mode);
        select(w, QStringLiteral("A"));
        modals.expect("TDLGenterCaption", [](QDialog* d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("修改类别 001 A 子类"));
            EXPECT_EQ(d->findChild<QLineEdit*>(QStringLiteral("edtCaption"))->text(), QStringLiteral("A"));
            return typeName(QStringLiteral("X'Y"))(d);
        });
        click(w, "btnEdit");

        EXPECT_EQ(column(QStringLiteral("select %1 from %2 order by F_ID").arg(t.column, t.table)),
                  (QStringList{P("//X'Y"), P("//X'Y/B"), P("//AB"), P("//AB/B"), P("//X'Y/B")}));
        const QMap<QString, QString> renamed = {{"001", "X'Y|" + P("//X'Y")},
                                                {"001001", "B|" + P("//X'Y/B")},
                                                {"002", "AB|" + P("//AB")}};
        EXPECT_EQ(rows(QString::fromLatin1(t.flag)), renamed);
        EXPECT_EQ(rows(QStringLiteral("gctype")).value("001"), "A|" + P("//A"));
        EXPECT_TRUE(w.changedMark());
        // The view follows, down to the children, so adding below them builds on the new path.
        EXPECT_EQ(node(w, QStringLiteral("X'Y"))->text(0), QStringLiteral("X'Y"));
        EXPECT_EQ(TreeNodeData::of(node(w, QStringLiteral("B"))).likeCode, P("//X'Y/B"));
        select(w, QStringLiteral("B"));
        modals.expect("TDLGenterCaption", typeName(QStringLiteral("C")));
        click(w, "btnAddChild");
        EXPECT_EQ(rows(QString::fromLatin1(t.flag)).value("001001001"), "C|" + P("//X'Y/B/C"));
        messages.verifyDone();
        modals.verifyDone();
    }
}

TEST_F(CategoryTreeTest, ProjectTypesRenameOnlyTheirOwnRows)
{
    seedTypes(QStringLiteral("gctype"));
    db().exec(QStringLiteral("insert into Contract(F_type) values(?)"), {P("//A/B")});
    TFrmTreeCodeMan w;
    w.SetMode(5);
    select(w, QStringLiteral("A"));
    modals.expect("TDLGenterCaption", typeName(QStringLiteral("Z")));
    click(w, "btnEdit");
    EXPECT_EQ(rows("gctype").value("001001"), "B|" + P("//Z/B"));
    EXPECT_EQ(column(QStringLiteral("select F_type from Contract")), QStringList{P("//A/B")});
}

TEST_F(CategoryTreeTest, ACaseOnlyRenameOrABlankAnswerSavesNothing)
{
    seedTypes();
    db().exec(QStringLiteral("insert into Contract(F_type) values(?)"), {P("//A/B")});
    TFrmTreeCodeMan w;
    w.SetMode(1);
    select(w, QStringLiteral("A"));
    modals.expect("TDLGenterCaption", typeName(QStringLiteral("a")));
    click(w, "btnEdit");
    modals.expect("TDLGenterCaption", cancelDialog);
    click(w, "btnEdit");
    EXPECT_EQ(rows("type").value("001"), "A|" + P("//A"));
    EXPECT_EQ(node(w, QStringLiteral("A"))->text(0), QStringLiteral("A"));
    EXPECT_FALSE(w.changedMark());
}

TEST_F(CategoryTreeTest, ARenameThatWouldOverflowAStoredPathChangesNothing)
{
    // A department path of 40 characters below which a contract stores 48.
    const QString name(38, QLatin1Char('d'));
    addRow("dept", "001", name, P("//") + name);
    const QString deep = P("//") + name + P("/sub12");
    ASSERT_EQ(deep.size(), 46);
    db().exec(QStringLiteral("insert into Contract(F_dept) values(?)"), {deep});
    TFrmTreeCodeMan w;
    w.SetMode(8);
    select(w, name);
    modals.expect("TDLGenterCaption", typeName(QString(44, QLatin1Char('e'))));
    messages.expect("合同的部门中的类别路径将达到 52 个字符");
    click(w, "btnEdit");
    EXPECT_EQ(column(QStringLiteral("select F_dept from Contract")), QStringList{deep});
    EXPECT_EQ(rows("dept").value("001"), name + QLatin1Char('|') + P("//") + name);
    EXPECT_FALSE(w.changedMark());
}

TEST_F(CategoryTreeTest, AFailedRenameLeavesEveryPathAsItWas)
{
    seedTypes();
    db().exec(QStringLiteral("insert into Contract(F_type) values(?)"), {P("//A/B")});
    // The contracts are rewritten first; the tree's own rows then fail.
    db().exec(QStringLiteral("create trigger no_rename before update on t_treecode "
                             "begin select raise(abort, 'locked by test'); end"));
    TFrmTreeCodeMan w;
    w.SetMode(1);
    select(w, QStringLiteral("A"));
    modals.expect("TDLGenterCaption", typeName(QStringLiteral("X")));
    messages.expect("操作失败，请检查数据连接... ");
    click(w, "btnEdit");
    EXPECT_EQ(messages.kinds().last(), 3);
    EXPECT_EQ(column(QStringLiteral("select F_type from Contract")), QStringList{P("//A/B")});
    EXPECT_EQ(rows("type").value("001"), "A|" + P("//A"));
    EXPECT_EQ(node(w, QStringLiteral("A"))->text(0), QStringLiteral("A"));
    EXPECT_FALSE(w.changedMark());
}

TEST_F(CategoryTreeTest, DeletingABranchAsksOnceAndRemovesEverythingBelow)
{
    seedTypes();
    addRow("type", "001001001", "C", P("//A/B/C"));
    addRow("clttype", "001", "A", P("//A"));
    TFrmTreeCodeMan w;
    w.SetMode(1);

    select(w, QStringLiteral("A"));
    messages.expect("此节点包含有子节点，真的要删除所有的子节点吗？", 2);
    click(w, "btnDelete");
    EXPECT_EQ(rows("type").size(), 4);
    EXPECT_FALSE(w.changedMark());

    select(w, QStringLiteral("AB"));
    messages.expect("真的要删除当前节点 “002AB” 吗？", 1);
    QTest::keyClick(w.tree(), Qt::Key_Delete);
    select(w, QStringLiteral("A"));
    messages.expect("此节点包含有子节点", 1);
    click(w, "btnDelete");

    EXPECT_TRUE(rows("type").isEmpty());
    EXPECT_EQ(rows("clttype").size(), 1);
    EXPECT_EQ(w.tree()->topLevelItem(0)->childCount(), 0);
    EXPECT_TRUE(w.changedMark());
}

TEST_F(CategoryTreeTest, PickingHandsBackTheChosenPathNeverTheRoot)
{
    seedTypes();
    // OK on the root is refused; then the node is chosen.
    modals.expect("TFrmTreeCodeMan", [this](QDialog* d) {
        auto& w = static_cast<TFrmTreeCodeMan&>(*d);
        EXPECT_EQ(w.selectedPath(), P("//A/B"));  // the initial path is selected
        EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("btnOK"))->isVisibleTo(&w));
        w.tree()->setCurrentItem(w.tree()->topLevelItem(0));
        messages.expect("不能选择根节点！");
        click(w, "btnOK");
        EXPECT_EQ(w.result(), QDialog::Rejected);
        select(w, QStringLiteral("AB"));
        click(w, "btnOK");
        return w.result();
    });
    QString path = P("//A/B");
    EXPECT_TRUE(PickCategory(2, path));
    EXPECT_EQ(path, P("//AB"));

    // Cancel leaves the path alone.
    modals.expect("TFrmTreeCodeMan", cancelDialog);
    EXPECT_FALSE(PickCategory(2, path));
    EXPECT_EQ(path, P("//AB"));

    // Enter on a node and a double click choose it too; a double click on the root does not.
    modals.expect("TFrmTreeCodeMan", [](QDialog* d) {
        auto& w = static_cast<TFrmTreeCodeMan&>(*d);
        select(w, QStringLiteral("B"));
        QTest::keyClick(w.tree(), Qt::Key_Return);
        return w.result();
    });
    EXPECT_TRUE(PickCategory(2, path));
    EXPECT_EQ(path, P("//A/B"));
    modals.expect("TFrmTreeCodeMan", [this](QDialog* d) {
        auto& w = static_cast<TFrmTreeCodeMan&>(*d);
        messages.expect("不能选择根节点！");
        emit w.tree()->itemDoubleClicked(w.tree()->topLevelItem(0), 0);
        EXPECT_EQ(w.result(), QDialog::Rejected);
        emit w.tree()->itemDoubleClicked(node(w, QStringLiteral("AB")), 0);
        return w.result();
    });
    EXPECT_TRUE(PickCategory(2, path));
    EXPECT_EQ(path, P("//AB"));

    // Modes that do not pick are refused.
    EXPECT_FALSE(PickCategory(1, path));
    EXPECT_FALSE(PickCategory(6, path));
}

TEST_F(CategoryTreeTest, AfterAChangeThePickerEndsWithOkEvenThroughCancel)
{
    seedTypes(QStringLiteral("clttype"));
    modals.expect("TFrmTreeCodeMan", [this](QDialog* d) {
        auto& w = static_cast<TFrmTreeCodeMan&>(*d);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("单位类型"));
        select(w, QStringLiteral("AB"));
        modals.expect("TDLGenterCaption", typeName(QStringLiteral("新类")));
        click(w, "btnAddChild");
        click(w, "btnCancel");
        return w.result();
    });
    QString path = P("//A");
    EXPECT_TRUE(PickCategory(4, path));
    EXPECT_EQ(path, P("//AB"));  // the node selected at that moment
    EXPECT_EQ(rows("clttype").value("002001"), QStringLiteral("新类|") + P("//AB/新类"));

    // With the root selected nothing is handed back, though the tree changed.
    modals.expect("TFrmTreeCodeMan", [this](QDialog* d) {
        auto& w = static_cast<TFrmTreeCodeMan&>(*d);
        select(w, QStringLiteral("新类"));
        messages.expect("真的要删除当前节点", 1);
        click(w, "btnDelete");
        w.tree()->setCurrentItem(w.tree()->topLevelItem(0));
        QTest::keyClick(w.tree(), Qt::Key_Escape);
        EXPECT_EQ(w.result(), QDialog::Accepted);
        return w.result();
    });
    EXPECT_FALSE(PickCategory(4, path));
    EXPECT_EQ(path, P("//AB"));
}

TEST_F(CategoryTreeTest, MaintainingReportsWhetherAnythingChanged)
{
    modals.expect("TFrmTreeCodeMan", [](QDialog* d) {
        auto& w = static_cast<TFrmTreeCodeMan&>(*d);
        EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("btnOK"))->isVisibleTo(&w));
        click(w, "btnClose");
        return w.result();
    });
    EXPECT_FALSE(MaintainCategories(1));

    modals.expect("TFrmTreeCodeMan", [this](QDialog* d) {
        auto& w = static_cast<TFrmTreeCodeMan&>(*d);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("项目类型"));
        modals.expect("TDLGenterCaption", typeName(QStringLiteral("工程")));
        click(w, "btnAddChild");
        select(w, QStringLiteral("工程"));
        // Ctrl+S renames.
        modals.expect("TDLGenterCaption", typeName(QStringLiteral("工程2")));
        QTest::keyClick(w.tree(), Qt::Key_S, Qt::ControlModifier);
        click(w, "btnClose");
        return w.result();
    });
    EXPECT_TRUE(MaintainCategories(5));
    EXPECT_EQ(rows("gctype").value("001"), QStringLiteral("工程2|") + P("//工程2"));
    EXPECT_FALSE(MaintainCategories(2));  // a pick mode
}

TEST_F(CategoryTreeTest, EntryDialogRefusesBlankAndItsPickerFillsTheBox)
{
    addRow("dept", "001", "销售部", P("//销售部"));
    modals.expect("TDLGenterCaption", [this](QDialog* d) {
        auto* box = d->findChild<QLineEdit*>(QStringLiteral("edtCaption"));
        EXPECT_EQ(d->windowTitle(), QStringLiteral("部门名称"));
        EXPECT_EQ(box->text(), QStringLiteral("旧"));
        box->setText(QStringLiteral("   "));
        messages.expect("部门名称不能为空！");
        d->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        EXPECT_EQ(d->result(), QDialog::Rejected);  // still open
        // The picker opens the department tree for this prompt.
        modals.expect("TFrmTreeCodeMan", [](QDialog* t) {
            auto& w = static_cast<TFrmTreeCodeMan&>(*t);
            EXPECT_EQ(w.mode(), 8);
            select(w, QStringLiteral("销售部"));
            click(w, "btnOK");
            return w.result();
        });
        d->findChild<QToolButton*>(QStringLiteral("sbPick"))->click();
        EXPECT_EQ(box->text(), P("//销售部"));
        d->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        return d->result();
    });
    EXPECT_EQ(AskCaption(QStringLiteral("部门名称"), QStringLiteral("旧"), -1), P("//销售部"));

    modals.expect("TDLGenterCaption", [](QDialog* d) {
        EXPECT_EQ(static_cast<TDLGenterCaption*>(d)->pickMode(), 2);
        d->findChild<QLineEdit*>(QStringLiteral("edtCaption"))->setText(QStringLiteral("x"));
        return cancelDialog(d);
    });
    EXPECT_EQ(AskCaption(QStringLiteral("类型名称"), QString(), 2), QString());
}
