#include "shots/Shots.h"

#include "codes/TDLGenterCaption.h"
#include "codes/TFrmCodeMan.h"
#include "codes/TFrmTreeCodeMan.h"
#include "data/DataDm.h"

#include <QTreeWidget>

namespace {
// A few contract types, so the trees have something to show.
void seedTypes()
{
    Connection& c = dmData->ADOcnn();
    if (c.scalar(QStringLiteral("select count(*) from t_treecode where F_flag = 'type'")).toInt() > 0) return;
    const struct { const char* code; const char* name; const char* path; } rows[] = {
        {"001", "销售合同", "\\\\销售合同"},
        {"001001", "设备销售", "\\\\销售合同\\设备销售"},
        {"001002", "软件销售", "\\\\销售合同\\软件销售"},
        {"001002001", "定制开发", "\\\\销售合同\\软件销售\\定制开发"},
        {"002", "采购合同", "\\\\采购合同"},
        {"002001", "原材料采购", "\\\\采购合同\\原材料采购"},
        {"003", "服务合同", "\\\\服务合同"},
    };
    for (const auto& r : rows)
        c.exec(QStringLiteral("insert into t_treecode(F_code,F_name,F_likecode,F_flag) values(?,?,?,'type')"),
               {QString::fromUtf8(r.code), QString::fromUtf8(r.name), QString::fromUtf8(r.path)});
    if (c.scalar(QStringLiteral("select count(*) from t_code where F_type = 'empname'")).toInt() == 0)
        for (const char* n : {"张三", "李四", "王五", "赵六"})
            c.exec(QStringLiteral("insert into t_code(F_type,F_name) values('empname',?)"), {QString::fromUtf8(n)});
}
}

REGISTER_SHOT("codes_tree_maintain", [] {
    seedTypes();
    TFrmTreeCodeMan w;
    w.SetMode(1);
    w.tree()->expandAll();
    Shots::save(&w, QStringLiteral("codes_tree_maintain"));
});

REGISTER_SHOT("codes_tree_pick", [] {
    seedTypes();
    TFrmTreeCodeMan w;
    w.SetMode(2, QStringLiteral("\\\\销售合同\\软件销售"));
    Shots::save(&w, QStringLiteral("codes_tree_pick"));
});

REGISTER_SHOT("codes_entry", [] {
    TDLGenterCaption d;
    d.setPickMode(-1);
    d.setPrompt(QStringLiteral("部门名称"));
    d.setText(QStringLiteral("销售部"));
    Shots::save(&d, QStringLiteral("codes_entry"));
});

REGISTER_SHOT("codes_list", [] {
    seedTypes();
    TFrmCodeMan w;
    Shots::save(&w, QStringLiteral("codes_list"));
});
