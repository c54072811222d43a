#include "ClientTestSupport.h"

#include "clients/ClientPicker.h"
#include "clients/TDlgCltXz.h"
#include "data/AppState.h"
#include "data/DataGrid.h"

#include <QPushButton>
#include <QWidget>

class ClientPicker : public ClientTest {
protected:
    void SetUp() override
    {
        ClientTest::SetUp();
        addClient("1203", "东方公司", "\\\\企业", false, QString(), "人民路");
        addClient("1201", "西方公司", "\\\\个人");
        addClient("3001", "南方公司", "\\\\企业");
        addClient("1202", "停用公司", "\\\\企业", true);
    }
    static QStringList codes(const TDlgCltXz& d)
    {
        QStringList out;
        for (int r = 0; r < d.list().rowCount(); ++r) out << field(d.list(), r, "F_Code");
        return out;
    }
};

TEST_F(ClientPicker, ReturnsTheChosenNameOrTheGivenText)
{
    const struct {
        const char* what;
        const char* codeText;
        int row;
        int result;
        const char* returned;
    } cases[] = {
        {"cancel", "", 1, QDialog::Rejected, "原来的单位"},
        {"confirm a row", "", 1, QDialog::Accepted, "东方公司"},
        {"confirm a searched row", "12", 0, QDialog::Accepted, "西方公司"},
        {"confirm an empty list", "99", -1, QDialog::Accepted, "原来的单位"},
    };
    for (const auto& c : cases) {
        modals.expect("TDlgCltXz", [&](QDialog* d) {
            setText(d, "edtCode", QString::fromLatin1(c.codeText));
            if (c.row >= 0) qobject_cast<TDlgCltXz*>(d)->grid()->setCurrentRow(c.row);
            return c.result;
        });
        EXPECT_EQ(PickClient(QStringLiteral("原来的单位")), QString::fromUtf8(c.returned)) << c.what;
    }
}

TEST_F(ClientPicker, SearchesAndCategoriesNeverShowDisabled)
{
    TDlgCltXz d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("往来单位选择"));
    EXPECT_EQ(codes(d), (QStringList{"1201", "1203", "3001"}));
    EXPECT_EQ(d.grid()->footerText(0), QStringLiteral("合  计"));
    setText(&d, "edtCode", QStringLiteral("12"));
    EXPECT_EQ(codes(d), (QStringList{"1201", "1203"}));
    setText(&d, "edtAddress", QStringLiteral("人民"));
    EXPECT_EQ(codes(d), QStringList{"1203"});
    setText(&d, "edtCode", QString());
    setText(&d, "edtAddress", QString());
    setText(&d, "edtName", QStringLiteral("停用"));
    EXPECT_EQ(codes(d), QStringList{});
    setText(&d, "edtName", QString());
    auto* tree = child<QTreeWidget>(&d, "TreeView1");
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("客户类型"));
    doubleClick(tree, QStringLiteral("企业"));
    EXPECT_EQ(codes(d), (QStringList{"1203", "3001"}));
}

TEST_F(ClientPicker, NewClientIsListedInItsPlace)
{
    AppState().AutoClientCode = true;
    modals.expect("TDlgCltXz", [this](QDialog* d) {
        auto* picker = qobject_cast<TDlgCltXz*>(d);
        picker->grid()->setCurrentRow(2);  // 3001
        modals.expect("TfrmCltEdit", [this](QDialog* e) {
            EXPECT_EQ(e->windowTitle(), QStringLiteral("客户档案 - 新增"));
            EXPECT_FALSE(child<QWidget>(e, "CheckBox1")->isVisibleTo(e));
            EXPECT_FALSE(child<QWidget>(e, "DBNavigator1")->isVisibleTo(e));
            EXPECT_EQ(child<QLineEdit>(e, "edtCode")->text(), QStringLiteral("3002"));
            setText(e, "edtName", QStringLiteral("北方公司"));
            child<QAbstractButton>(e, "Button1")->click();
            EXPECT_EQ(e->result(), int(QDialog::Accepted));  // closes after one save
            return e->result();
        });
        child<QPushButton>(d, "btnNew")->click();
        EXPECT_EQ(codes(*picker), (QStringList{"1201", "1203", "3001", "3002"}));
        picker->grid()->setCurrentRow(3);
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(PickClient(QString()), QStringLiteral("北方公司"));
}
