#include "shots/Shots.h"

#include "access/OperAccess.h"
#include "access/TDLGselectDeptSTR.h"
#include "access/TFrmLimitGl.h"
#include "access/TfrmModPass.h"
#include "access/TfrmOperGl.h"
#include "access/TfrmOperLogin.h"
#include "contracts/TFrmMain.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "data/SeedData.h"
#include "platform/Password.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

namespace {
// A few operators and departments, made once per program folder.
void prepare()
{
    Connection& c = dmData->ADOcnn();
    if (c.scalar(QStringLiteral("select count(*) from OperList")).toInt() > 1) return;
    setPasswordCost(PasswordCost::Fast);
    const struct {
        const char* name;
        int scope;
        const char* dept;
        int approve;
        int disabled;
        const char* mem;
    } opers[] = {{"张三", 2, "'销售一部','O''Neil工作室'", 1, 0, "华东区销售经理"},
                 {"李四", 1, "", 0, 0, "业务员"},
                 {"王五", 0, "", 0, 1, "已离职"}};
    for (const auto& o : opers)
        c.exec(QStringLiteral("insert into OperList(F_Name,F_PassWord,F_Mem,F_Flag,F_shFlag,F_xtFlag,F_dept) "
                              "values(?,?,?,?,?,?,?)"),
               {QString::fromUtf8(o.name), SavePass(QStringLiteral("1")), QString::fromUtf8(o.mem), o.disabled,
                o.approve, o.scope, QString::fromUtf8(o.dept)});
    int n = 0;
    for (const SeedData::Permission& p : SeedData::permissions())
        if (n++ % 3 == 0)
            c.exec(QStringLiteral("insert into OperLimit(F_OperName,F_lmtName) values(?,?)"),
                   {QStringLiteral("张三"), QString::fromUtf8(p.name)});
    if (c.scalar(QStringLiteral("select count(*) from t_code where F_type = 'dept'")).toInt() == 0)
        for (const char* d : {"销售一部", "销售二部", "财务部", "O'Neil工作室", "技术部", "行政部"})
            c.exec(QStringLiteral("insert into t_code(F_type,F_name) values('dept',?)"), {QString::fromUtf8(d)});
}

OperRecord firstOperator()
{
    TfrmOperGl list;
    const Dataset& ds = list.list();
    return OperRecord::fromRow(ds, ds.find(ds.fieldIndex(QStringLiteral("F_Name")), QStringLiteral("张三")));
}
}

REGISTER_SHOT("access_login", [] {
    TfrmOperLogin f(0);
    f.findChild<QComboBox*>(QStringLiteral("cbbOperName"))->setEditText(QStringLiteral("admin"));
    f.findChild<QLineEdit*>(QStringLiteral("edtPassWord"))->setText(QStringLiteral("secret"));
    Shots::save(&f, QStringLiteral("access_login"));
});

REGISTER_SHOT("access_operlist", [] {
    prepare();
    TfrmOperGl f;
    const Dataset& ds = f.list();
    f.grid()->setCurrentRow(ds.find(ds.fieldIndex(QStringLiteral("F_Name")), QStringLiteral("张三")));
    Shots::save(&f, QStringLiteral("access_operlist"));
});

REGISTER_SHOT("access_opereditor", [] {
    prepare();
    TFrmLimitGl f;
    f.SetEditMode(TFrmLimitGl::EditMode, firstOperator());
    Shots::save(&f, QStringLiteral("access_opereditor"));
});

REGISTER_SHOT("access_deptdialog", [] {
    prepare();
    TDLGselectDeptSTR d;
    d.load(QStringLiteral("'销售一部','O''Neil工作室'"));
    Shots::save(&d, QStringLiteral("access_deptdialog"));
});

REGISTER_SHOT("access_modpass", [] {
    TfrmModPass f;
    Shots::save(&f, QStringLiteral("access_modpass"));
});

// The main window with its 文件 menu open.
REGISTER_SHOT("access_mainmenu", [] {
    prepare();
    TFrmMain m;
    m.resize(1000, 600);
    SetLimits(m);
    m.SignedIn(AppState().OperName);
    m.show();
    QApplication::processEvents();
    QMenu* menu = m.menuHeading(100);
    const QRect heading = m.menuBar()->actionGeometry(menu->menuAction());
    menu->popup(m.menuBar()->mapToGlobal(heading.bottomLeft()));
    QApplication::processEvents();
    // The menu is a window of its own: paint it over the main window's picture.
    QPixmap shot = m.grab();
    {
        QPainter p(&shot);
        p.drawPixmap(m.mapFromGlobal(menu->pos()), menu->grab());
    }
    menu->hide();
    QLabel picture;
    picture.setPixmap(shot);
    picture.resize(shot.size());
    Shots::save(&picture, QStringLiteral("access_mainmenu"));
    m.hide();
});
