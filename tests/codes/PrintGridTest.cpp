#include "support/Fixture.h"

#include "data/DataGrid.h"
#include "data/PrintGrid.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace {
class PrintGridTest : public KorvanTest {
protected:
    void SetUp() override
    {
        KorvanTest::SetUp();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }

    // Contracts C0001… with a price each, in a grid of three shown columns and a hidden one.
    void fill(int rows)
    {
        auto tx = db().transaction(true);
        for (int i = 1; i <= rows; ++i)
            db().exec(QStringLiteral("insert into Contract(F_code,F_name,F_totalPrice,F_memo1) values(?,?,?,?)"),
                      {QStringLiteral("C%1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("合同名称%1").arg(i),
                       i * 10.5, QStringLiteral("隐藏备注")});
        tx.commit();
        ds = db().query(QStringLiteral("select F_code,F_name,F_totalPrice,F_memo1 from Contract order by F_ID"));
        GridColumn code{QStringLiteral("F_code"), QStringLiteral("合同编号"), 90};
        code.footerType = 1;
        code.footerValue = QStringLiteral("合  计");
        GridColumn name{QStringLiteral("F_name"), QStringLiteral("合同名称"), 200};
        GridColumn price{QStringLiteral("F_totalPrice"), QStringLiteral("合同金额"), 100};
        price.displayFormat = QStringLiteral(",0.00");
        price.footerType = 2;
        GridColumn memo{QStringLiteral("F_memo1"), QStringLiteral("备注"), 100};
        memo.visible = false;
        grid.setColumns({code, name, price, memo});
        grid.setDataset(&ds);
    }

    QString text(const QString& pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    int pages(const QString& pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdfinfo"), {pdf});
        p.waitForFinished(30000);
        for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String("Pages:"))) return line.mid(6).trimmed().toInt();
        return 0;
    }

    QString pdfFile() const { return QDir(home()).filePath(QStringLiteral("grid.pdf")); }

    Dataset ds;
    DataGrid grid;
};
}

TEST_F(PrintGridTest, PrintsTitleColumnsRowsFooterAndPageTexts)
{
    fill(3);
    ASSERT_TRUE(PrintGridToPdf(&grid, QStringLiteral("合同列表设置"), 1, QStringLiteral("date"),
                               QStringLiteral("Korvan 公司"), pdfFile()));
    const QString t = text(pdfFile());
    for (const QString& s : {QStringLiteral("合同列表设置"), QStringLiteral("Korvan 公司"), QStringLiteral("合同编号"),
                             QStringLiteral("合同名称"), QStringLiteral("C0001"), QStringLiteral("合同名称3"),
                             QStringLiteral("31.50"), QStringLiteral("63.00"),
                             QStringLiteral("打印日期：2026年03月09日"), QStringLiteral("第 1 页，共 1 页")})
        EXPECT_TRUE(t.contains(s)) << s.toStdString() << "\n" << t.toStdString();
    // Hidden columns are not printed.
    EXPECT_FALSE(t.contains(QStringLiteral("隐藏备注")));
    EXPECT_FALSE(t.contains(QStringLiteral("备注")));
    // The title lies above the column titles, the footer sum below the last row.
    EXPECT_LT(t.indexOf(QStringLiteral("合同列表设置")), t.indexOf(QStringLiteral("合同编号")));
    EXPECT_LT(t.indexOf(QStringLiteral("C0003")), t.indexOf(QStringLiteral("63.00")));
}

TEST_F(PrintGridTest, LongListsRunOverPagesInBothFitModes)
{
    fill(150);
    for (int fit : {0, 1}) {
        SCOPED_TRACE(fit);
        ASSERT_TRUE(PrintGridToPdf(&grid, QStringLiteral("长列表"), fit, QStringLiteral("页脚文字"), QString(), pdfFile()));
        const int n = pages(pdfFile());
        EXPECT_GT(n, 1);
        const QString t = text(pdfFile());
        EXPECT_EQ(t.count(QStringLiteral("长列表")), 1);  // the title once, on the first page
        EXPECT_EQ(t.count(QStringLiteral("合同编号")), n);  // column titles on every page
        EXPECT_EQ(t.count(QStringLiteral("页脚文字")), n);
        EXPECT_TRUE(t.contains(QStringLiteral("C0150")));
        EXPECT_TRUE(t.contains(QStringLiteral("第 %1 页，共 %1 页").arg(n)));
    }
}

TEST_F(PrintGridTest, AnEmptyGridStillPrintsItsTitles)
{
    fill(0);
    ASSERT_TRUE(PrintGridToPdf(&grid, QStringLiteral("空表"), 1, QString(), QString(), pdfFile()));
    const QString t = text(pdfFile());
    EXPECT_TRUE(t.contains(QStringLiteral("空表")));
    EXPECT_TRUE(t.contains(QStringLiteral("合同名称")));
    EXPECT_FALSE(t.contains(QStringLiteral("打印日期")));
}

TEST_F(PrintGridTest, UnwritableFileIsReported)
{
    fill(1);
    EXPECT_FALSE(PrintGridToPdf(&grid, QStringLiteral("x"), 1, QString(), QString(),
                                QDir(home()).filePath(QStringLiteral("no/such/dir/x.pdf"))));
}
