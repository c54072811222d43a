#include "shots/Shots.h"

#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "data/DemoData.h"
#include "data/PubUnit.h"
#include "data/TFrmDispFieldXZ.h"
#include "data/TfrmRowArrangeGl.h"

#include <QApplication>
#include <QScrollBar>

namespace {
// The demo register, filled once into the screenshot database.
Dataset& demoContracts()
{
    static Dataset ds;
    Connection& c = dmData->ADOcnn();
    if (c.scalar(QStringLiteral("select count(*) from Contract")).toInt() == 0) FillDemoData(c, 300);
    ds = c.query(QStringLiteral("select * from Contract order by F_date"));
    return ds;
}

QVector<GridColumn> mainColumns()
{
    struct C { const char* field; const char* title; int width; };
    const C cols[] = {{"F_code", "合同编号", 120},     {"F_name", "合同名称", 200},    {"F_type", "合同类型", 150},
                      {"F_empname", "业务员", 68},      {"F_date", "签订日期", 91},     {"F_totalPrice", "合同金额", 100},
                      {"F_priceunit", "币种", 60},      {"F_dept", "部门", 80},         {"F_beginDate", "合同开始日期", 96},
                      {"F_endDate", "合同截止日期", 96}, {"F_status", "合同状态", 79},   {"F_memo1", "合同主要内容", 132},
                      {"F_client1", "甲方单位", 160},   {"F_FZR1", "负责人", 60},       {"F_client2", "乙方单位", 160},
                      {"F_FZR2", "负责人", 60},         {"F_GDflag", "归档", 36}};
    QVector<GridColumn> out;
    for (const C& c : cols) {
        GridColumn g;
        g.fieldName = QString::fromLatin1(c.field);
        g.title = QString::fromUtf8(c.title);
        g.width = c.width;
        out.append(g);
    }
    out[0].footerType = 1;
    out[0].footerValue = QStringLiteral("合计");
    out[5].displayFormat = QStringLiteral(",0.00");
    out[5].footerType = 2;
    return out;
}

void setUp(DataGrid& grid, Dataset& ds)
{
    grid.setColumns(mainColumns());
    grid.setEmptyDateFields({QStringLiteral("F_beginDate"), QStringLiteral("F_endDate")});
    grid.setMultiSelect(true);
    grid.setDataset(&ds);
    const int sh = ds.fieldIndex(QStringLiteral("F_SHemp")), gd = ds.fieldIndex(QStringLiteral("F_GDflag"));
    grid.setRowColor([&ds, sh, gd](int row, QColor& text, QColor& back) {
        if (!ds.text(row, sh).trimmed().isEmpty()) {
            text = Qt::blue;
            back = Colors::tooltipBackground();
            return true;
        }
        if (ds.integer(row, gd) != 0) {
            text = Qt::red;
            back = Colors::buttonFace();
            return true;
        }
        return false;
    });
}
}

REGISTER_SHOT("grid_list", [] {
    Dataset& ds = demoContracts();
    DataGrid grid;
    setUp(grid, ds);
    grid.setSortSpec(QStringLiteral("F_totalPrice DESC"));
    grid.setCurrentRow(3);
    grid.resize(1100, 480);
    Shots::save(&grid, QStringLiteral("grid_list"));
});

REGISTER_SHOT("grid_chooser", [] {
    TFrmDispFieldXZ dlg;
    QStringList titles;
    QVector<bool> visible;
    for (const GridColumn& c : mainColumns()) {
        titles << c.title;
        visible << (c.fieldName != QLatin1String("F_FZR2") && c.fieldName != QLatin1String("F_memo1"));
    }
    dlg.setColumns(titles, visible);
    Shots::save(&dlg, QStringLiteral("grid_chooser"));
});

REGISTER_SHOT("grid_sort", [] {
    TfrmRowArrangeGl dlg;
    QVector<TfrmRowArrangeGl::Column> cols;
    for (const GridColumn& c : mainColumns()) cols.append({c.fieldName.toLower(), c.title});
    dlg.setColumns(cols);
    dlg.setOrderAt(4, QStringLiteral("降序"));
    dlg.setOrderAt(0, QStringLiteral("升序"));
    dlg.setCurrentRow(4);
    Shots::save(&dlg, QStringLiteral("grid_sort"));
});

REGISTER_SHOT("grid_list_scrolled", [] {
    // The footer follows the columns when the list is scrolled sideways.
    Dataset& ds = demoContracts();
    DataGrid grid;
    setUp(grid, ds);
    grid.resize(700, 300);
    grid.show();
    QApplication::processEvents();
    grid.view()->horizontalScrollBar()->setValue(250);
    Shots::save(&grid, QStringLiteral("grid_list_scrolled"));
});
