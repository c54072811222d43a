#include "support/Fixture.h"

#include "data/DataGrid.h"
#include "data/DatasetModel.h"
#include "data/PubUnit.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {
struct ContractRow {
    QString code, name, begin;
    double price;
    bool archived;
    QString memo;
};

class DataGridTest : public KorvanTest {
protected:
    void addContracts(const QVector<ContractRow>& rows)
    {
        int id = 1;
        for (const ContractRow& r : rows)
            db().exec(QStringLiteral("insert into Contract(F_cltID,F_code,F_name,F_date,F_beginDate,F_totalPrice,"
                                     "F_GDflag,F_memo1) values(?,?,?,?,?,?,?,?)"),
                      {id++, r.code, r.name, QStringLiteral("1900-08-14"),
                       r.begin.isNull() ? QVariant() : QVariant(r.begin), r.price, r.archived, r.memo});
        ds = db().query(QStringLiteral("select * from Contract order by F_ID"));
    }

    static GridColumn col(const char* field, const char* title, const QString& format = {}, int footerType = 0,
                          const QString& footerValue = {})
    {
        GridColumn c;
        c.fieldName = QString::fromLatin1(field);
        c.title = QString::fromUtf8(title);
        c.displayFormat = format;
        c.footerType = footerType;
        c.footerValue = footerValue;
        return c;
    }

    QStringList columnTexts(int col) const
    {
        QStringList out;
        for (int r = 0; r < ds.rowCount(); ++r) out << grid.displayText(r, col);
        return out;
    }

    void clickTitle(int col)
    {
        QHeaderView* h = grid.view()->horizontalHeader();
        const QPoint at(h->sectionViewportPosition(col) + h->sectionSize(col) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
    }

    Dataset ds;
    DataGrid grid;
};
}

TEST_F(DataGridTest, EmptyDateRuleAppliesToNamedFieldsOnly)
{
    addContracts({{"A", "n1", QString(), 1, false, {}},
                  {"B", "n2", "1900-08-14", 1, false, {}},
                  {"C", "n3", "1901-08-13", 1, false, {}},
                  {"D", "n4", "1901-08-14", 1, false, {}},
                  {"E", "n5", "2026-03-09", 1, false, {}}});
    grid.setColumns({col("F_beginDate", "合同开始日期"), col("F_date", "签订日期")});
    grid.setDataset(&ds);
    grid.setEmptyDateFields({QStringLiteral("f_begindate")});
    EXPECT_EQ(columnTexts(0), (QStringList{"", "", "", "1901-08-14", "2026-03-09"}));
    // The signing date is not named: its stored empty date shows as it is.
    EXPECT_EQ(grid.displayText(0, 1), QStringLiteral("1900-08-14"));
}

TEST_F(DataGridTest, FormatsAlignmentAndFooter)
{
    addContracts({{"A", "甲", "2026-01-01", 1234.5, true, "第一行\n第二行"},
                  {"B", "乙", "2026-01-02", -0.004, false, {}},
                  {"C", "丙", "2026-01-03", 1000000, false, {}}});
    QVector<GridColumn> cols = {col("F_totalPrice", "合同金额", QStringLiteral(",0.00"), 2),
                                col("F_totalPrice", "金额", {}, 2),
                                col("F_name", "合同名称", {}, 1, QStringLiteral("合计")),
                                col("F_GDflag", "归档"),
                                col("F_memo1", "合同主要内容"),
                                col("F_code", "合同编号")};
    cols[5].alignment = 1;
    grid.setColumns(cols);
    grid.setDataset(&ds);

    EXPECT_EQ(columnTexts(0), (QStringList{"1,234.50", "0.00", "1,000,000.00"}));
    EXPECT_EQ(columnTexts(1), (QStringList{"1234.5", "-0.004", "1000000"}));
    EXPECT_EQ(columnTexts(3), (QStringList{"√", "", ""}));
    EXPECT_EQ(grid.displayText(0, 4), QStringLiteral("第一行 第二行"));

    EXPECT_EQ(grid.footerText(0), QStringLiteral("1,001,234.50"));
    EXPECT_EQ(grid.footerText(1), QStringLiteral("1001234.496"));
    EXPECT_EQ(grid.footerText(2), QStringLiteral("合计"));
    EXPECT_EQ(grid.footerText(3), QString());
    EXPECT_TRUE(grid.findChild<QWidget*>(QStringLiteral("gridFooter"))->isVisibleTo(&grid));

    const QAbstractItemModel* m = grid.view()->model();
    auto align = [&](int c) { return m->data(m->index(0, c), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask; };
    EXPECT_EQ(align(0), Qt::AlignRight);
    EXPECT_EQ(align(2), Qt::AlignLeft);
    EXPECT_EQ(align(5), Qt::AlignHCenter);
    EXPECT_EQ(m->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);

    // An edit of the dataset shows in the footer sum once the row is refreshed.
    ds.setValue(2, ds.fieldIndex(QStringLiteral("F_totalPrice")), 0.5);
    grid.refreshRow(2);
    EXPECT_EQ(grid.footerText(0), QStringLiteral("1,235.00"));
}

TEST_F(DataGridTest, RowColourCallbackColoursWholeRows)
{
    addContracts({{"A", "甲", {}, 1, true, {}}, {"B", "乙", {}, 1, false, {}}});
    grid.setColumns({col("F_code", "合同编号"), col("F_name", "合同名称")});
    grid.setDataset(&ds);
    const int gd = ds.fieldIndex(QStringLiteral("F_GDflag"));
    grid.setRowColor([&](int row, QColor& text, QColor& back) {
        if (ds.integer(row, gd) == 0) return false;
        text = Qt::red;
        back = Colors::buttonFace();
        return true;
    });
    const QAbstractItemModel* m = grid.view()->model();
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(m->data(m->index(0, c), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
        EXPECT_EQ(m->data(m->index(0, c), Qt::BackgroundRole).value<QBrush>().color(), Colors::buttonFace());
        EXPECT_FALSE(m->data(m->index(1, c), Qt::ForegroundRole).isValid());
    }
}

TEST_F(DataGridTest, TitleClicksCycleSortAndMemoColumnsOnlyMark)
{
    addContracts({{"B", "乙", {}, 1, false, "z"}, {"C", "丙", {}, 1, false, "a"}, {"A", "甲", {}, 1, false, "m"}});
    grid.setColumns({col("F_code", "合同编号"), col("F_memo1", "合同主要内容")});
    grid.setDataset(&ds);
    grid.resize(400, 200);
    grid.show();
    QSignalSpy clicked(&grid, &DataGrid::titleClicked);

    struct Step { int col; int mark; QStringList codes; QString spec; };
    const Step steps[] = {
        {0, 1, {"A", "B", "C"}, "F_code ASC"},
        {0, 2, {"C", "B", "A"}, "F_code DESC"},
        {0, 1, {"A", "B", "C"}, "F_code ASC"},
        {0, 2, {"C", "B", "A"}, "F_code DESC"},
        {1, 1, {"C", "B", "A"}, "F_code DESC"},  // a memo column is marked, never sorted
        {1, 2, {"C", "B", "A"}, "F_code DESC"},
    };
    for (const Step& s : steps) {
        clickTitle(s.col);
        EXPECT_EQ(grid.sortMark(s.col), s.mark);
        EXPECT_EQ(grid.sortMark(1 - s.col), 0);
        EXPECT_EQ(columnTexts(0), s.codes);
        EXPECT_EQ(grid.sortSpec(), s.spec);
    }
    EXPECT_EQ(clicked.count(), 6);

    grid.setSortSpec(QStringLiteral("f_memo1 DESC,f_code ASC,"));
    EXPECT_EQ(columnTexts(0), (QStringList{"B", "A", "C"}));
    EXPECT_EQ(grid.sortMark(0), 1);
    EXPECT_EQ(grid.sortMark(1), 2);
    // Reopening drops the sort and its marks.
    ds = db().query(QStringLiteral("select * from Contract order by F_ID"));
    grid.refresh();
    EXPECT_EQ(grid.sortMark(1), 0);
    EXPECT_EQ(columnTexts(0), (QStringList{"B", "C", "A"}));
}

TEST_F(DataGridTest, KeysMoveTheCurrentRowAndEnterActivates)
{
    QVector<ContractRow> rows;
    for (int i = 0; i < 200; ++i) rows.append({QStringLiteral("C%1").arg(i, 3, 10, QLatin1Char('0')), "n", {}, 1, false, {}});
    addContracts(rows);
    grid.setColumns({col("F_code", "合同编号")});
    QSignalSpy moved(&grid, &DataGrid::currentRowChanged);
    QSignalSpy activated(&grid, &DataGrid::rowActivated);
    grid.setDataset(&ds);
    grid.resize(300, 200);
    grid.show();
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.takeFirst().at(0).toInt(), 0);

    QTableView* v = grid.view();
    v->setFocus();
    QTest::keyClick(v, Qt::Key_End);
    EXPECT_EQ(grid.currentRow(), 199);
    EXPECT_EQ(ds.recNo(), 199);
    QTest::keyClick(v, Qt::Key_PageUp);
    const int afterPageUp = grid.currentRow();
    EXPECT_LT(afterPageUp, 199);
    EXPECT_GT(afterPageUp, 150);
    QTest::keyClick(v, Qt::Key_Home);
    EXPECT_EQ(grid.currentRow(), 0);
    QTest::keyClick(v, Qt::Key_PageDown);
    EXPECT_GT(grid.currentRow(), 0);
    QList<int> seen;
    for (const auto& args : moved) seen << args.at(0).toInt();
    EXPECT_EQ(seen, (QList<int>{199, afterPageUp, 0, grid.currentRow()}));

    QTest::keyClick(v, Qt::Key_Return);
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), grid.currentRow());

    grid.setCurrentRow(42);
    EXPECT_EQ(moved.last().at(0).toInt(), 42);
    EXPECT_EQ(ds.text(QStringLiteral("F_code")), QStringLiteral("C042"));
}

TEST_F(DataGridTest, MultiSelectionAndEditing)
{
    addContracts({{"A", "甲", {}, 1, false, {}}, {"B", "乙", {}, 2, false, {}}, {"C", "丙", {}, 3, false, {}}});
    QVector<GridColumn> cols = {col("F_code", "合同编号"), col("F_totalPrice", "合同金额", {}, 2)};
    cols[1].readOnly = false;
    grid.setColumns(cols);
    grid.setDataset(&ds);
    grid.setMultiSelect(true);
    QItemSelectionModel* sel = grid.view()->selectionModel();
    sel->select(grid.view()->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(grid.selectedRows(), (QList<int>{0, 2}));

    QAbstractItemModel* m = grid.view()->model();
    EXPECT_FALSE(m->flags(m->index(0, 1)) & Qt::ItemIsEditable);  // not editable until asked
    grid.setEditable(true);
    EXPECT_FALSE(m->flags(m->index(0, 0)) & Qt::ItemIsEditable);  // read-only column
    ASSERT_TRUE(m->setData(m->index(1, 1), QStringLiteral("12.5")));
    EXPECT_DOUBLE_EQ(ds.number(1, ds.fieldIndex(QStringLiteral("F_totalPrice"))), 12.5);
    EXPECT_EQ(grid.footerText(1), QStringLiteral("16.5"));
}

TEST_F(DataGridTest, WithoutColumnsEveryFieldShowsAndUnknownFieldsStayBlank)
{
    ds = db().query(QStringLiteral("select F_type, F_name from t_code where F_type = 'status' order by F_ID"));
    grid.setDataset(&ds);
    ASSERT_EQ(grid.columnCount(), 2);
    EXPECT_EQ(grid.columns()[1].title, QStringLiteral("F_name"));
    EXPECT_EQ(grid.displayText(0, 1), QStringLiteral("未执行"));

    grid.setColumns({col("F_name", "名称"), col("F_nothing", "无")});
    EXPECT_EQ(grid.displayText(0, 0), QStringLiteral("未执行"));
    EXPECT_EQ(grid.displayText(0, 1), QString());
    grid.setColumnVisible(1, false);
    EXPECT_TRUE(grid.view()->isColumnHidden(1));
    grid.setTitleText(0, QStringLiteral("状态"));
    EXPECT_EQ(grid.view()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("状态"));
}

TEST_F(DataGridTest, DraggedColumnsAndWidthsAreKeptInTheColumnList)
{
    addContracts({{"A", "甲", "2026-01-01", 5, false, {}}});
    QVector<GridColumn> cols = {col("F_code", "合同编号"), col("F_name", "合同名称"), col("F_totalPrice", "合同金额", {}, 2)};
    grid.setColumns(cols);
    grid.setDataset(&ds);
    QHeaderView* h = grid.view()->horizontalHeader();
    h->moveSection(0, 2);  // as a drag of the first title to the end does
    QStringList titles;
    for (const GridColumn& c : grid.columns()) titles << c.title;
    EXPECT_EQ(titles, (QStringList{"合同名称", "合同金额", "合同编号"}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(h->visualIndex(i), i);
    EXPECT_EQ(grid.displayText(0, 2), QStringLiteral("A"));
    EXPECT_EQ(grid.footerText(1), QStringLiteral("5"));
    h->resizeSection(0, 177);
    EXPECT_EQ(grid.columns()[0].width, 177);
    EXPECT_EQ(grid.columnWidth(0), 177);
}
