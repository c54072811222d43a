#include "support/Fixture.h"

#include "contracts/ContractCommands.h"
#include "contracts/TDLGcontractCX.h"
#include "data/AppState.h"
#include "data/DateEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString kBase = QStringLiteral("select * from Contract where (1=1) ");

ContractQueryInput::Range range(bool fromOn, QDate from, bool toOn, QDate to)
{
    ContractQueryInput::Range r;
    r.on = true;
    r.fromOn = fromOn;
    r.from = from;
    r.toOn = toOn;
    r.to = to;
    return r;
}
}

TEST(AdvancedQuery, StatementForEveryInput)
{
    const QDate d1(2026, 3, 1), d2(2026, 3, 9);
    struct Case {
        const char* what;
        std::function<void(ContractQueryInput&)> fill;
        QString clause;
        QVariantList params;
    };
    const Case cases[] = {
        {"nothing", [](ContractQueryInput&) {}, QString(), {}},
        {"name anywhere, literally", [](auto& in) { in.name = QStringLiteral("O'B 5%_x"); },
         QStringLiteral("and F_name Like ? ESCAPE '\\' "), {QStringLiteral("%O'B 5\\%\\_x%")}},
        {"code prefix", [](auto& in) { in.code = QStringLiteral("HT-2026"); },
         QStringLiteral("and F_code Like ? ESCAPE '\\' "), {QStringLiteral("HT-2026%")}},
        {"category and below", [](auto& in) { in.type = QStringLiteral("\\\\工程"); },
         QStringLiteral("and (F_type = ? or F_type like ? ESCAPE '\\') "),
         {QStringLiteral("\\\\工程"), QStringLiteral("\\\\\\\\工程\\\\%")}},
        {"salesman prefix", [](auto& in) { in.empName = QStringLiteral("张"); },
         QStringLiteral("and F_empName Like ? ESCAPE '\\' "), {QStringLiteral("张%")}},
        {"main content", [](auto& in) { in.memo1 = QStringLiteral("钢材"); },
         QStringLiteral("and F_memo1 Like ? ESCAPE '\\' "), {QStringLiteral("%钢材%")}},
        {"exceptions", [](auto& in) { in.memo2 = QStringLiteral("延期"); },
         QStringLiteral("and F_memo2 Like ? ESCAPE '\\' "), {QStringLiteral("%延期%")}},
        {"party A", [](auto& in) { in.client1 = QStringLiteral("宏达"); },
         QStringLiteral("and F_client1 Like ? ESCAPE '\\' "), {QStringLiteral("%宏达%")}},
        {"party B", [](auto& in) { in.client2 = QStringLiteral("a\\b"); },
         QStringLiteral("and F_client2 Like ? ESCAPE '\\' "), {QStringLiteral("%a\\\\b%")}},
        {"status prefix", [](auto& in) { in.status = QStringLiteral("执行"); },
         QStringLiteral("and F_status Like ? ESCAPE '\\' "), {QStringLiteral("执行%")}},
        {"department prefix", [](auto& in) { in.dept = QStringLiteral("销售"); },
         QStringLiteral("and F_dept Like ? ESCAPE '\\' "), {QStringLiteral("销售%")}},
        {"custom texts", [](auto& in) { in.zf[0] = QStringLiteral("一"); in.zf[4] = QStringLiteral("五"); },
         QStringLiteral("and F_ZF1 Like ? ESCAPE '\\' and F_ZF5 Like ? ESCAPE '\\' "),
         {QStringLiteral("%一%"), QStringLiteral("%五%")}},
        {"archived", [](auto& in) { in.archive = 1; }, QStringLiteral("and F_GDFlag = true "), {}},
        {"not archived", [](auto& in) { in.archive = 2; }, QStringLiteral("and F_GDFlag = false "), {}},
        {"signing dates", [&](auto& in) { in.ranges[0] = range(true, d1, true, d2); },
         QStringLiteral("and F_date >= ? and F_date <= ? "), {QStringLiteral("2026-03-01"), QStringLiteral("2026-03-09")}},
        {"begin date from only", [&](auto& in) { in.ranges[1] = range(true, d1, false, d2); },
         QStringLiteral("and F_begindate >= ? "), {QStringLiteral("2026-03-01")}},
        {"custom date 3 to only", [&](auto& in) { in.ranges[4] = range(false, d1, true, d2); },
         QStringLiteral("and F_RQ3 <= ? "), {QStringLiteral("2026-03-09")}},
        {"range ticked, both ends unticked", [&](auto& in) { in.ranges[2] = range(false, d1, false, d2); }, QString(), {}},
        {"range not ticked", [&](auto& in) { in.ranges[3] = range(true, d1, true, d2); in.ranges[3].on = false; },
         QString(), {}},
        {"order of clauses",
         [&](auto& in) {
             in.ranges[2] = range(true, d1, false, d2);
             in.archive = 2;
             in.dept = QStringLiteral("部");
             in.name = QStringLiteral("名");
         },
         QStringLiteral("and F_name Like ? ESCAPE '\\' and F_dept Like ? ESCAPE '\\' and F_GDFlag = false "
                        "and F_RQ1 >= ? "),
         {QStringLiteral("%名%"), QStringLiteral("部%"), QStringLiteral("2026-03-01")}},
    };
    for (const Case& c : cases) {
        ContractQueryInput in;
        c.fill(in);
        const SqlWithParams q = BuildAdvancedContractQuery(in, 0, QString(), QString());
        EXPECT_EQ(q.sql, kBase + c.clause) << c.what;
        EXPECT_EQ(q.params, c.params) << c.what;
    }
}

TEST(AdvancedQuery, ScopeComesFirst)
{
    ContractQueryInput in;
    in.name = QStringLiteral("x");
    SqlWithParams q = BuildAdvancedContractQuery(in, 1, QStringLiteral("张三"), QString());
    EXPECT_EQ(q.sql, kBase + QStringLiteral("and (F_empName = ?) and F_name Like ? ESCAPE '\\' "));
    EXPECT_EQ(q.params, (QVariantList{QStringLiteral("张三"), QStringLiteral("%x%")}));
    q = BuildAdvancedContractQuery({}, 2, QString(), QStringLiteral("'销售部','O''Neil'"));
    EXPECT_EQ(q.sql, kBase + QStringLiteral("and (F_dept in (?,?)) "));
    EXPECT_EQ(q.params, (QVariantList{QStringLiteral("销售部"), QStringLiteral("O'Neil")}));
}

class AdvancedQueryDialog : public KorvanTest {
protected:
    void add(const QString& name, const QVariantMap& more = {})
    {
        QStringList cols{QStringLiteral("F_name")}, marks{QStringLiteral("?")};
        QVariantList values{name};
        for (auto it = more.begin(); it != more.end(); ++it) {
            cols << it.key();
            marks << QStringLiteral("?");
            values << it.value();
        }
        db().exec(QStringLiteral("insert into Contract(%1) values(%2)").arg(cols.join(','), marks.join(',')), values);
    }
    QStringList names(const SqlWithParams& q)
    {
        const Dataset ds = db().query(q.sql, q.params);
        QStringList out;
        for (int r = 0; r < ds.rowCount(); ++r) out << ds.text(r, ds.fieldIndex(QStringLiteral("F_name")));
        return out;
    }
    SqlWithParams run(std::function<void(QDialog*)> fill, bool query = true)
    {
        modals.expect(QStringLiteral("TDLGcontractCX"), [&](QDialog* d) {
            fill(d);
            d->findChild<QPushButton*>(query ? QStringLiteral("btnQuery") : QStringLiteral("btnClose"))->click();
            return d->result();
        });
        return RunContractQuery(nullptr);
    }
};

TEST_F(AdvancedQueryDialog, OpensWithThisMonthAndTheCaptionsAndBuildsFromItsInputs)
{
    AppState().Captions[1] = QStringLiteral("客户级别");
    AppState().Captions[10] = QStringLiteral("验收日期");
    const SqlWithParams q = run([](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("合同查询对话框"));
        EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("lblZF1"))->text(), QStringLiteral("客户级别："));
        EXPECT_EQ(d->findChild<QCheckBox*>(QStringLiteral("cbDate3"))->text(), QStringLiteral("验收日期：自"));
        auto* from = d->findChild<DateEdit*>(QStringLiteral("dtpfromDate3"));
        auto* to = d->findChild<DateEdit*>(QStringLiteral("dtptoDate3"));
        EXPECT_EQ(from->date(), QDate(2026, 3, 1));
        EXPECT_EQ(to->date(), QDate(2026, 3, 9));
        EXPECT_TRUE(from->isChecked());
        EXPECT_FALSE(from->isEnabled());
        d->findChild<QCheckBox*>(QStringLiteral("cbDate3"))->setChecked(true);
        EXPECT_TRUE(from->isEnabled());
        to->setChecked(false);
        d->findChild<QLineEdit*>(QStringLiteral("edtName"))->setText(QStringLiteral("  合同 "));
        d->findChild<QPlainTextEdit*>(QStringLiteral("Memo2"))->setPlainText(QStringLiteral("延期\n"));
        d->findChild<QRadioButton*>(QStringLiteral("rbGD"))->setChecked(true);
    });
    EXPECT_EQ(q.sql, kBase + QStringLiteral("and F_name Like ? ESCAPE '\\' and F_memo2 Like ? ESCAPE '\\' "
                                            "and F_GDFlag = true and F_RQ2 >= ? "));
    EXPECT_EQ(q.params, (QVariantList{QStringLiteral("%合同%"), QStringLiteral("%延期%"), QStringLiteral("2026-03-01")}));
}

TEST_F(AdvancedQueryDialog, CloseReturnsNothing)
{
    const SqlWithParams q = run([](QDialog* d) {
        d->findChild<QLineEdit*>(QStringLiteral("edtName"))->setText(QStringLiteral("x"));
    }, false);
    EXPECT_TRUE(q.sql.isEmpty());
}

TEST_F(AdvancedQueryDialog, StatementsSelectTheRightContracts)
{
    add(QStringLiteral("土建A"), {{QStringLiteral("F_type"), QStringLiteral("\\\\工程\\土建")},
                                  {QStringLiteral("F_RQ1"), QStringLiteral("2026-03-05")},
                                  {QStringLiteral("F_GDflag"), 1}});
    add(QStringLiteral("工程B"), {{QStringLiteral("F_type"), QStringLiteral("\\\\工程")},
                                  {QStringLiteral("F_RQ1"), QStringLiteral("1900-08-14")}});
    add(QStringLiteral("近似C"), {{QStringLiteral("F_type"), QStringLiteral("\\\\工程二")}});
    add(QStringLiteral("折扣 50%"), {{QStringLiteral("F_type"), QStringLiteral("\\\\采购")}});
    add(QStringLiteral("折扣 500"));

    ContractQueryInput in;
    in.type = QStringLiteral("\\\\工程");
    EXPECT_EQ(names(BuildAdvancedContractQuery(in, 0, {}, {})), (QStringList{"土建A", "工程B"}));

    in = {};
    in.name = QStringLiteral("50%");
    EXPECT_EQ(names(BuildAdvancedContractQuery(in, 0, {}, {})), QStringList{"折扣 50%"});

    // The empty custom date is left out as soon as a from date is given.
    in = {};
    in.ranges[2] = range(true, QDate(2026, 3, 1), false, QDate());
    EXPECT_EQ(names(BuildAdvancedContractQuery(in, 0, {}, {})), QStringList{"土建A"});

    // Nothing chosen: every contract of the scope, archived ones too, in table order.
    EXPECT_EQ(names(BuildAdvancedContractQuery({}, 0, {}, {})).size(), 5);
    in = {};
    in.archive = 2;
    EXPECT_EQ(names(BuildAdvancedContractQuery(in, 0, {}, {})).size(), 4);
}
