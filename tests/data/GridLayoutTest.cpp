#include "support/Fixture.h"

#include "data/DataGrid.h"
#include "data/GridLayout.h"
#include "data/TFrmDispFieldXZ.h"
#include "data/TfrmRowArrangeGl.h"

#include <QDir>
#include <QListWidget>
#include <QMap>
#include <QProcess>
#include <QTableWidget>
#include <QTest>
#include <QXmlStreamReader>

namespace {
struct LayoutRow {
    QString grid, field, caption;
    int width;
    bool visible;
    QString format;
    int footerType;
    QString footerValue;
    int alignment;
    int order;
};

class GridLayoutTest : public KorvanTest {
protected:
    void SetUp() override
    {
        KorvanTest::SetUp();
        db().exec(QStringLiteral("insert into Contract(F_cltID,F_code,F_name,F_status,F_totalPrice,F_beginDate,F_date,"
                                 "F_GDflag,F_FZR1,F_FZR2) values"
                                 "(1,'HT-1','一号','执行中',1234.5,'1900-08-14','2026-01-05',1,'张三','李四'),"
                                 "(2,'HT-2','二号','未执行',-20,'2026-02-01','1900-08-14',0,'王五','赵六')"));
        ds = db().query(QStringLiteral("select * from Contract order by F_ID"));
        grid.setDataset(&ds);
    }

    void store(const QVector<LayoutRow>& rows)
    {
        for (const LayoutRow& r : rows)
            db().exec(QStringLiteral("insert into cfg_Grid(F_name,F_FieldName,F_Caption,F_Width,F_Visible,F_ReadOnly,"
                                     "F_DisplayFormat,F_FooterType,F_FooterValue,F_Alignment,F_Order) "
                                     "values(?,?,?,?,?,1,?,?,?,?,?)"),
                      {r.grid, r.field, r.caption, r.width, r.visible, r.format, r.footerType, r.footerValue,
                       r.alignment, r.order});
    }

    static GridColumn col(const QString& field, const QString& title)
    {
        GridColumn c;
        c.fieldName = field;
        c.title = title;
        return c;
    }

    QStringList titles() const
    {
        QStringList t;
        for (const GridColumn& c : grid.columns()) t << c.title;
        return t;
    }

    Dataset ds;
    DataGrid grid;
};
}

TEST_F(GridLayoutTest, LoadBuildsColumnsInOrderAndSkipsUnknownFields)
{
    store({{"detail2", "F_totalPrice", "合同金额", 90, true, ",0.00", 2, "", 2, 2},
           {"DETAIL2", "F_code", "合同编号", 91, true, "", 1, "合计", 0, 0},
           {"detail2", "F_gone", "旧字段", 50, true, "", 0, "", 0, 1},
           {"detail2", "", "空字段名", 50, true, "", 0, "", 0, 3},
           {"detail2", "F_status", "合同状态", 79, false, "", 0, "", 7, 4},
           {"detail3", "F_name", "别的网格", 50, true, "", 0, "", 0, 0}});
    grid.setColumns({col("F_name", "设计列")});
    ASSERT_TRUE(LoadGridLayout(&grid, QStringLiteral("Detail2")));

    EXPECT_EQ(titles(), (QStringList{"合同编号", "合同金额", "合同状态"}));
    const GridColumn& price = grid.columns()[1];
    EXPECT_EQ(price.width, 90);
    EXPECT_EQ(grid.columnWidth(1), 90);
    EXPECT_EQ(grid.displayText(0, 1), QStringLiteral("1,234.50"));
    EXPECT_EQ(grid.footerText(1), QStringLiteral("1,214.50"));
    EXPECT_EQ(grid.footerText(0), QStringLiteral("合计"));
    EXPECT_EQ(grid.effectiveAlignment(1), 2);
    EXPECT_EQ(grid.columns()[2].alignment, -1);  // 7 is no alignment: the default stays
    EXPECT_FALSE(grid.columns()[2].visible);

    // A name without stored rows keeps the designed columns.
    grid.setColumns({col("F_name", "设计列")});
    EXPECT_FALSE(LoadGridLayout(&grid, QStringLiteral("clientmain")));
    EXPECT_EQ(titles(), QStringList{"设计列"});
}

TEST_F(GridLayoutTest, SaveUpdatesExistingRowsWithBoundValuesAndRoundTrips)
{
    store({{"detail4", "F_code", "合同编号", 91, true, "", 0, "", 0, 0},
           {"detail4", "F_totalPrice", "合同金额", 69, true, "", 0, "", 2, 1},
           {"detail4", "F_name", "合同名称", 130, true, "", 0, "", 0, 2}});
    ASSERT_TRUE(LoadGridLayout(&grid, QStringLiteral("detail4")));
    // Rearrange: a quote in a title, a format and a footer, one column hidden,
    // a new column without a stored row, and a new order.
    QVector<GridColumn> cols = grid.columns();
    cols[0].title = QStringLiteral("O'Brien 的编号");
    cols[1].displayFormat = QStringLiteral("'¥',0.00");
    cols[1].footerType = 2;
    cols[2].visible = false;
    cols[2].width = 150;
    cols.insert(0, col(QStringLiteral("F_status"), QStringLiteral("状态")));
    cols.move(3, 1);  // F_name second
    grid.setColumns(cols);
    ASSERT_TRUE(SaveGridLayout(&grid, QStringLiteral("DETAIL4")));

    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from cfg_Grid where F_name = 'detail4'")).toInt(), 3);
    const Dataset stored = db().query(QStringLiteral(
        "select F_FieldName,F_Caption,F_Width,F_Visible,F_Order,F_Alignment,F_DisplayFormat,F_FooterType "
        "from cfg_Grid where F_name = 'detail4' order by F_Order"));
    ASSERT_EQ(stored.rowCount(), 3);
    EXPECT_EQ(stored.text(0, 0), QStringLiteral("F_name"));
    EXPECT_EQ(stored.integer(0, 4), 1);
    EXPECT_EQ(stored.integer(0, 2), 150);
    EXPECT_EQ(stored.integer(0, 3), 0);
    EXPECT_EQ(stored.integer(0, 5), 0);  // a default-aligned text column is stored left
    EXPECT_EQ(stored.text(1, 1), QStringLiteral("O'Brien 的编号"));
    EXPECT_EQ(stored.text(2, 6), QStringLiteral("'¥',0.00"));
    EXPECT_EQ(stored.integer(2, 7), 2);

    DataGrid again;
    again.setDataset(&ds);
    ASSERT_TRUE(LoadGridLayout(&again, QStringLiteral("detail4")));
    ASSERT_EQ(again.columnCount(), 3);
    EXPECT_EQ(again.columns()[1].title, QStringLiteral("O'Brien 的编号"));
    EXPECT_EQ(again.footerText(2), QStringLiteral("¥1,214.50"));
    EXPECT_FALSE(again.columns()[0].visible);
}

TEST_F(GridLayoutTest, FailuresAreReportedAndOtherColumnsStillSaved)
{
    store({{"detail5", "F_code", "合同编号", 91, true, "", 0, "", 0, 0},
           {"detail5", "F_name", "合同名称", 130, true, "", 0, "", 0, 1}});
    ASSERT_TRUE(LoadGridLayout(&grid, QStringLiteral("detail5")));
    grid.setColumnTitle(0, QString(101, QChar(u'长')));  // over the title's stored width
    grid.setColumnTitle(1, QStringLiteral("名称"));
    messages.expect(QStringLiteral("操作失败，请检查数据连接"));
    EXPECT_FALSE(SaveGridLayout(&grid, QStringLiteral("detail5")));
    EXPECT_EQ(db().scalar(QStringLiteral("select F_Caption from cfg_Grid where F_FieldName = 'F_name'")).toString(),
              QStringLiteral("名称"));
    EXPECT_EQ(db().scalar(QStringLiteral("select F_Caption from cfg_Grid where F_FieldName = 'F_code'")).toString(),
              QStringLiteral("合同编号"));

    db().exec(QStringLiteral("drop table cfg_Grid"));
    messages.expect(QStringLiteral("操作失败，请检查数据连接"));
    EXPECT_FALSE(LoadGridLayout(&grid, QStringLiteral("detail5")));
    EXPECT_EQ(grid.columnCount(), 2);
}

TEST_F(GridLayoutTest, ColumnChooserTicksVisibleColumnsAndAppliesOnOkOnly)
{
    QVector<GridColumn> cols = {col("F_code", "合同编号"), col("F_name", "合同名称"), col("F_status", "合同状态")};
    cols[2].visible = false;
    grid.setColumns(cols);

    for (const bool accept : {false, true}) {
        modals.expect(QStringLiteral("TFrmDispFieldXZ"), [&](QDialog* d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("字段列表"));
            auto* list = d->findChild<QListWidget*>(QStringLiteral("CheckListBox1"));
            EXPECT_EQ(list->count(), 3);
            EXPECT_EQ(list->item(1)->text(), QStringLiteral("合同名称"));
            EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
            EXPECT_EQ(list->item(2)->checkState(), Qt::Unchecked);
            list->item(0)->setCheckState(Qt::Unchecked);
            list->item(2)->setCheckState(Qt::Checked);
            if (!accept) return int(QDialog::Rejected);
            QTest::mouseClick(d->findChild<QWidget*>(QStringLiteral("btnOK")), Qt::LeftButton);
            return d->result();
        });
        EXPECT_EQ(ChooseGridColumns(&grid), accept);
        EXPECT_EQ(grid.columns()[0].visible, !accept);
        EXPECT_EQ(grid.columns()[2].visible, accept);
        EXPECT_EQ(grid.view()->isColumnHidden(0), accept);
    }
}

TEST_F(GridLayoutTest, SortDialogResultText)
{
    grid.setColumns({col("F_date", "签订日期"), col("F_FZR1", "负责人"), col("F_code", "合同编号"),
                     col("F_FZR2", "负责人")});
    struct Case {
        const char* what;
        std::function<void(TfrmRowArrangeGl*)> drive;
        bool accept;
        QString expected;
    };
    const Case cases[] = {
        {"nothing ordered", [](TfrmRowArrangeGl*) {}, true, ""},
        {"orders in row order",
         [](TfrmRowArrangeGl* d) {
             d->setOrderAt(0, QStringLiteral("升序"));
             d->setOrderAt(2, QStringLiteral("降序"));
         },
         true, "f_date ASC,f_code DESC,"},
        {"a duplicate title names its first column",
         [](TfrmRowArrangeGl* d) { d->setOrderAt(3, QStringLiteral("降序")); }, true, "f_fzr1 DESC,"},
        {"down moves the row and its order",
         [](TfrmRowArrangeGl* d) {
             d->setOrderAt(0, QStringLiteral("升序"));
             d->setOrderAt(2, QStringLiteral("升序"));
             d->setCurrentRow(0);
             d->btnDownClick();
             d->btnDownClick();
             EXPECT_EQ(d->currentRow(), 2);
             EXPECT_EQ(d->titleAt(2), QStringLiteral("签订日期"));
             EXPECT_EQ(d->orderAt(1), QStringLiteral("升序"));
         },
         true, "f_code ASC,f_date ASC,"},
        {"up at the first row and down at the last do nothing",
         [](TfrmRowArrangeGl* d) {
             d->setOrderAt(0, QStringLiteral("降序"));
             d->setCurrentRow(0);
             d->btnUpClick();
             d->setCurrentRow(3);
             d->btnDownClick();
             d->setCurrentRow(2);
             d->setOrderAt(2, QStringLiteral("升序"));
             d->btnUpClick();
             EXPECT_EQ(d->currentRow(), 1);
             EXPECT_EQ(d->titleAt(3), QStringLiteral("负责人"));
         },
         true, "f_date DESC,f_code ASC,"},
        {"cancel returns nothing", [](TfrmRowArrangeGl* d) { d->setOrderAt(0, QStringLiteral("升序")); }, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        modals.expect(QStringLiteral("TfrmRowArrangeGl"), [&](QDialog* dlg) {
            auto* d = static_cast<TfrmRowArrangeGl*>(dlg);
            EXPECT_EQ(d->windowTitle(), QStringLiteral("排序对话框"));
            EXPECT_EQ(d->rowCount(), 4);
            c.drive(d);
            return int(c.accept ? QDialog::Accepted : QDialog::Rejected);
        });
        EXPECT_EQ(ChooseGridSort(&grid), c.expected);
    }
}

TEST_F(GridLayoutTest, SortDialogDoubleClickCyclesTheOrder)
{
    grid.setColumns({col("F_date", "签订日期"), col("F_code", "合同编号")});
    modals.expect(QStringLiteral("TfrmRowArrangeGl"), [&](QDialog* dlg) {
        auto* d = static_cast<TfrmRowArrangeGl*>(dlg);
        d->show();
        auto* table = d->findChild<QTableWidget*>(QStringLiteral("sgOrder"));
        const QPoint at = table->visualItemRect(table->item(1, 0)).center();
        QStringList seen;
        for (int i = 0; i < 4; ++i) {
            // A real double click starts with a press on the same cell.
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
            seen << d->orderAt(1);
        }
        EXPECT_EQ(seen, (QStringList{"升序", "降序", "", "升序"}));
        QTest::mouseClick(d->findChild<QWidget*>(QStringLiteral("btnOK")), Qt::LeftButton);
        return d->result();
    });
    EXPECT_EQ(ChooseGridSort(&grid), QStringLiteral("f_code ASC,"));
}

namespace {
struct Cell {
    QString type, value;
    int style = 0;
};

QByteArray unzipEntry(const QString& file, const QString& entry)
{
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, entry});
    p.waitForFinished();
    return p.readAllStandardOutput();
}

// Cells of the first sheet by reference ("B2"), and the number format of each style.
void readWorkbook(const QString& file, QMap<QString, Cell>& cells, QStringList& styleFormats)
{
    QXmlStreamReader sheet(unzipEntry(file, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString ref;
    while (!sheet.atEnd()) {
        sheet.readNext();
        if (!sheet.isStartElement()) continue;
        if (sheet.name() == QLatin1String("c")) {
            ref = sheet.attributes().value(QLatin1String("r")).toString();
            cells[ref].type = sheet.attributes().value(QLatin1String("t")).toString();
            cells[ref].style = sheet.attributes().value(QLatin1String("s")).toInt();
        } else if (sheet.name() == QLatin1String("v") || sheet.name() == QLatin1String("t")) {
            cells[ref].value = sheet.readElementText();
        }
    }
    QMap<int, QString> numFmts = {{0, QStringLiteral("General")}, {49, QStringLiteral("@")}};
    QXmlStreamReader styles(unzipEntry(file, QStringLiteral("xl/styles.xml")));
    bool inXfs = false;
    while (!styles.atEnd()) {
        styles.readNext();
        if (styles.isStartElement() && styles.name() == QLatin1String("numFmt"))
            numFmts[styles.attributes().value(QLatin1String("numFmtId")).toInt()] =
                styles.attributes().value(QLatin1String("formatCode")).toString();
        if (styles.name() == QLatin1String("cellXfs")) inXfs = styles.isStartElement();
        if (inXfs && styles.isStartElement() && styles.name() == QLatin1String("xf"))
            styleFormats << numFmts.value(styles.attributes().value(QLatin1String("numFmtId")).toInt());
    }
}
}

TEST_F(GridLayoutTest, ExportWritesFormatsTextAndEmptyDates)
{
    QVector<GridColumn> cols = {col("F_code", "合同编号"), col("F_totalPrice", "合同金额"),
                                col("F_totalPrice", "金额"), col("F_beginDate", "合同开始日期"),
                                col("F_date", "签订日期"), col("F_name", "合同名称"), col("F_GDflag", "归档")};
    cols[1].displayFormat = QStringLiteral(",0.00");
    cols[5].visible = false;
    grid.setColumns(cols);
    grid.setEmptyDateFields({QStringLiteral("F_beginDate")});
    const QString file = QDir(home()).filePath(QStringLiteral("合同列表.xlsx"));
    desktop.answers.push_back(file);
    ASSERT_TRUE(ExportGridToExcel(&grid, QStringLiteral("合同列表"), true));
    EXPECT_EQ(desktop.opened, QStringList{file});
    EXPECT_EQ(QDir(home()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("合同列表.xlsx")});

    QMap<QString, Cell> cells;
    QStringList formats;
    readWorkbook(file, cells, formats);
    EXPECT_EQ(cells[QStringLiteral("A1")].value, QStringLiteral("合同编号"));
    EXPECT_EQ(cells[QStringLiteral("D1")].value, QStringLiteral("合同开始日期"));
    // A formatted number column holds numbers under the converted format.
    EXPECT_EQ(cells[QStringLiteral("B2")].type, QString());
    EXPECT_DOUBLE_EQ(cells[QStringLiteral("B2")].value.toDouble(), 1234.5);
    EXPECT_EQ(formats.value(cells[QStringLiteral("B2")].style), QStringLiteral("#,##0.00"));
    EXPECT_DOUBLE_EQ(cells[QStringLiteral("B3")].value.toDouble(), -20);
    // Without a format the value is text in a text cell.
    EXPECT_EQ(cells[QStringLiteral("C2")].value, QStringLiteral("1234.5"));
    EXPECT_EQ(formats.value(cells[QStringLiteral("C2")].style), QStringLiteral("@"));
    EXPECT_EQ(cells[QStringLiteral("A3")].value, QStringLiteral("HT-2"));
    // Empty dates are empty cells; a real date is text.
    EXPECT_FALSE(cells.contains(QStringLiteral("D2")));
    EXPECT_EQ(cells[QStringLiteral("D3")].value, QStringLiteral("2026-02-01"));
    EXPECT_EQ(cells[QStringLiteral("E2")].value, QStringLiteral("2026-01-05"));
    EXPECT_FALSE(cells.contains(QStringLiteral("E3")));
    // The hidden column leaves its spreadsheet column empty.
    for (const QString& ref : {QStringLiteral("F1"), QStringLiteral("F2"), QStringLiteral("F3")})
        EXPECT_FALSE(cells.contains(ref)) << ref.toStdString();
    EXPECT_EQ(cells[QStringLiteral("G2")].value, QStringLiteral("是"));
}

TEST_F(GridLayoutTest, LongExportWritesEveryRow)
{
    {
        auto tx = db().transaction();
        auto insert = db().prepared(QStringLiteral("insert into Contract(F_cltID,F_code,F_totalPrice) values(?,?,?)"));
        for (int i = 3; i <= 6002; ++i) insert.run({i, QStringLiteral("HT-%1").arg(i), i * 1.5});
        tx.commit();
    }
    ds = db().query(QStringLiteral("select * from Contract order by F_ID"));
    grid.refresh();
    QVector<GridColumn> cols = {col("F_code", "合同编号"), col("F_totalPrice", "合同金额")};
    cols[1].displayFormat = QStringLiteral("0.0");
    grid.setColumns(cols);
    const QString file = QDir(home()).filePath(QStringLiteral("long.xlsx"));
    desktop.answers.push_back(file);
    ASSERT_TRUE(ExportGridToExcel(&grid, QStringLiteral("合同列表"), false));
    EXPECT_TRUE(desktop.opened.isEmpty());  // not to be shown
    QMap<QString, Cell> cells;
    QStringList formats;
    readWorkbook(file, cells, formats);
    EXPECT_EQ(cells[QStringLiteral("A6003")].value, QStringLiteral("HT-6002"));
    EXPECT_DOUBLE_EQ(cells[QStringLiteral("B6003")].value.toDouble(), 9003);
    EXPECT_FALSE(cells.contains(QStringLiteral("A6004")));
}

TEST_F(GridLayoutTest, ExportCancelledOrUnwritableLeavesNothing)
{
    grid.setColumns({col("F_code", "合同编号")});
    desktop.answers.push_back(QString());
    EXPECT_FALSE(ExportGridToExcel(&grid, QStringLiteral("合同列表"), true));
    EXPECT_EQ(desktop.dialogTitles.size(), 1);

    // A folder that does not exist cannot take the file.
    const QString folder = QDir(home()).filePath(QStringLiteral("gone"));
    desktop.answers.push_back(QDir(folder).filePath(QStringLiteral("out")));
    messages.expect(QStringLiteral("导出失败"));
    EXPECT_FALSE(ExportGridToExcel(&grid, QStringLiteral("合同列表"), true));
    EXPECT_TRUE(desktop.opened.isEmpty());
    EXPECT_EQ(QDir(home()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST(SpreadsheetNumberFormatTest, ConvertsDisplayFormats)
{
    const QPair<QString, QString> cases[] = {
        {",0.00", "#,##0.00"},   {",0.00##", "#,##0.00##"}, {"0.##", "0.##"},     {"0", "0"},
        {"#", "#"},              {"0.00%", "0.00\"%\""}, {",0.00'元'", "#,##0.00\"元\""},    {"'¥',0.00", "\"¥\"#,##0.00"},
        {",0.00;-,0.00;'零'", "#,##0.00;\"-\"#,##0.00;\"零\""}, {"000", "000"},
    };
    for (const auto& [delphi, excel] : cases) EXPECT_EQ(SpreadsheetNumberFormat(delphi), excel) << delphi.toStdString();
}
