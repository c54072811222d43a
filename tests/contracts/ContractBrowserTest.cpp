#include "support/Fixture.h"

#include "contracts/ContractBrowser.h"
#include "data/AppState.h"
#include "data/DataGrid.h"
#include "data/PubUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>

class Browser : public KorvanTest {
protected:
    void add(const QString& name, const QString& type, const QString& status = QStringLiteral("未执行"),
             bool archived = false, const QString& approver = QString(), const QString& begin = QStringLiteral("2026-01-01"),
             int dir = 1)
    {
        ++n_;
        db().exec(QStringLiteral("insert into Contract(F_cltID,F_code,F_name,F_type,F_status,F_GDflag,F_SHemp,F_beginDate,"
                                 "F_date,F_SFflag) values(?,?,?,?,?,?,?,?,?,?)"),
                  {n_, QStringLiteral("HT-%1").arg(n_), name, type, status, archived ? 1 : 0, approver, begin,
                   QStringLiteral("2026-01-%1").arg(10 + n_), dir});
        db().exec(QStringLiteral("insert into t_SKrec(F_cltID,F_YSprice) values(?,?)"), {n_, 100.0 * n_});
    }
    void category(const QString& code, const QString& name, const QString& path)
    {
        db().exec(QStringLiteral("insert into t_treecode(F_code,F_name,F_likecode,F_flag) values(?,?,?,'type')"),
                  {code, name, path});
    }
    template <class T>
    T* child(ContractBrowser& b, const char* name)
    {
        T* w = b.findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    int n_ = 0;
};

TEST_F(Browser, FirstShowListsCountsAndFollowsTheCurrentContract)
{
    add(QStringLiteral("甲合同"), QStringLiteral("\\\\A"));
    add(QStringLiteral("乙合同"), QStringLiteral("\\\\A\\B"));
    add(QStringLiteral("归档合同"), QStringLiteral("\\\\A"), QStringLiteral("已完成"), true);
    ContractBrowser b;
    b.firstShow();
    EXPECT_EQ(b.QryMain().rowCount(), 2);
    EXPECT_EQ(child<QLabel>(b, "lblHTnum")->text(), QStringLiteral("合同总数： 2 个"));
    EXPECT_EQ(b.CurDetailTab(), 1);
    EXPECT_EQ(b.QryDetail(1).rowCount(), 1);
    EXPECT_EQ(b.QryDetail(1).integer(0, b.QryDetail(1).fieldIndex(QStringLiteral("F_cltID"))), b.currentCltId());
    b.mainGrid()->setCurrentRow(1);
    EXPECT_EQ(b.currentCltId(), 2);
    EXPECT_EQ(b.QryDetail(1).number(0, b.QryDetail(1).fieldIndex(QStringLiteral("F_YSprice"))), 200.0);

    child<QCheckBox>(b, "CheckBox1")->click();
    EXPECT_EQ(b.countText(), QStringLiteral("合同总数： 3 个"));
}

TEST_F(Browser, TreeProjectListSearchAndDirection)
{
    category(QStringLiteral("001"), QStringLiteral("A"), QStringLiteral("\\\\A"));
    category(QStringLiteral("001001"), QStringLiteral("B"), QStringLiteral("\\\\A\\B"));
    category(QStringLiteral("002"), QStringLiteral("AB"), QStringLiteral("\\\\AB"));
    add(QStringLiteral("甲"), QStringLiteral("\\\\A"));
    add(QStringLiteral("乙"), QStringLiteral("\\\\A\\B"), QStringLiteral("执行中"));
    add(QStringLiteral("丙 O'Neil"), QStringLiteral("\\\\AB"), QStringLiteral("执行中"), false, {}, {}, -1);
    ContractBrowser b;
    b.firstShow();
    auto* tree = child<QTreeWidget>(b, "tvTree");
    QTreeWidgetItem* root = tree->topLevelItem(0);
    ASSERT_EQ(root->childCount(), 2);
    tree->setCurrentItem(root->child(0));  // A: selecting alone does not refresh
    EXPECT_EQ(b.QryMain().rowCount(), 3);
    b.RefreshContracts();
    EXPECT_EQ(b.QryMain().rowCount(), 2);  // A and B below it, not the sibling AB
    tree->setCurrentItem(root);
    b.RefreshContracts();
    EXPECT_EQ(b.QryMain().rowCount(), 3);

    auto* list = child<QTableWidget>(b, "vleList");
    ASSERT_EQ(list->rowCount(), 5);  // 全部 + the four seeded statuses
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("全部"));
    list->setCurrentCell(2, 1);  // 执行中
    b.RefreshContracts();
    EXPECT_EQ(b.QryMain().rowCount(), 2);
    list->setCurrentCell(0, 1);

    auto* field = child<QComboBox>(b, "ComboBox1");
    auto* text = child<QLineEdit>(b, "Edit1");
    field->setCurrentIndex(1);
    text->setText(QStringLiteral("O'Neil"));  // the list follows the typing
    EXPECT_EQ(b.QryMain().rowCount(), 1);
    field->setCurrentIndex(0);  // another field empties the text
    EXPECT_TRUE(text->text().isEmpty());
    EXPECT_EQ(b.QryMain().rowCount(), 3);

    child<QRadioButton>(b, "rbPay")->click();
    EXPECT_EQ(b.QryMain().rowCount(), 1);
    child<QRadioButton>(b, "rbAll")->click();
    EXPECT_EQ(b.QryMain().rowCount(), 3);
}

TEST_F(Browser, ColoursAndEmptyDates)
{
    add(QStringLiteral("批准且归档"), QString(), QStringLiteral("未执行"), true, QStringLiteral("admin"), QStringLiteral("1901-08-14"));
    add(QStringLiteral("归档"), QString(), QStringLiteral("未执行"), true, QString(), QStringLiteral("1901-08-13"));
    add(QStringLiteral("普通"), QString(), QStringLiteral("未执行"), false, QString(), QStringLiteral("1900-08-14"));
    ContractBrowser b;
    b.firstShow();
    child<QCheckBox>(b, "CheckBox1")->click();
    ASSERT_EQ(b.QryMain().rowCount(), 3);
    DataGrid* g = b.mainGrid();
    QAbstractItemModel* m = g->view()->model();
    const int begin = g->columnOfField(QStringLiteral("F_beginDate"));
    const int name = g->columnOfField(QStringLiteral("F_name"));
    EXPECT_EQ(g->displayText(0, begin), QStringLiteral("1901-08-14"));
    EXPECT_EQ(g->displayText(1, begin), QString());
    EXPECT_EQ(g->displayText(2, begin), QString());
    EXPECT_EQ(m->data(m->index(0, name), Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));  // approval wins
    EXPECT_EQ(m->data(m->index(0, name), Qt::BackgroundRole).value<QColor>(), Colors::tooltipBackground());
    EXPECT_EQ(m->data(m->index(1, name), Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(m->data(m->index(1, name), Qt::BackgroundRole).value<QColor>(), Colors::buttonFace());
    EXPECT_FALSE(m->data(m->index(2, name), Qt::ForegroundRole).isValid());
}

TEST_F(Browser, ScopesLimitTheList)
{
    db().exec(QStringLiteral("insert into Contract(F_cltID,F_name,F_empname,F_dept) values(1,'a','张三','销售部')"));
    db().exec(QStringLiteral("insert into Contract(F_cltID,F_name,F_empname,F_dept) values(2,'b','李四','O''Neil')"));
    db().exec(QStringLiteral("insert into Contract(F_cltID,F_name,F_empname,F_dept) values(3,'c','李四','工程部')"));
    AppState().OperName = QStringLiteral("李四");
    AppState().ScopeFlag = 1;
    ContractBrowser b;
    b.firstShow();
    EXPECT_EQ(b.QryMain().rowCount(), 2);
    AppState().ScopeFlag = 2;
    AppState().DeptList = QStringLiteral("'销售部','O''Neil'");
    b.RefreshContracts();
    EXPECT_EQ(b.QryMain().rowCount(), 2);
    AppState().DeptList.clear();
    b.RefreshContracts();
    EXPECT_EQ(b.QryMain().rowCount(), 0);
}
