#include "shots/Shots.h"

#include "clients/TDlgCltXz.h"
#include "clients/TfrmCltEdit.h"
#include "clients/TfrmCltMan.h"
#include "data/DataDm.h"
#include "data/DataGrid.h"

#include <QCheckBox>

namespace {
// A few categories and clients, once per run of the tool.
void seedClients()
{
    Connection& c = dmData->ADOcnn();
    if (c.scalar(QStringLiteral("select count(*) from Client where F_Code like 'KH%'")).toInt() > 0) return;
    const char* categories[][3] = {{"901", "企业客户", "\\\\企业客户"},
                                   {"901001", "国有企业", "\\\\企业客户\\国有企业"},
                                   {"901002", "民营企业", "\\\\企业客户\\民营企业"},
                                   {"902", "个人客户", "\\\\个人客户"},
                                   {"903", "供应商", "\\\\供应商"}};
    for (const auto& t : categories)
        c.exec(QStringLiteral("insert into t_treecode(F_code,F_name,F_likecode,F_flag) values(?,?,?,'clttype')"),
               {QString::fromUtf8(t[0]), QString::fromUtf8(t[1]), QString::fromUtf8(t[2])});
    const char* clients[][8] = {
        {"KH0001", "上海东方建设集团有限公司", "\\\\企业客户\\国有企业", "王建国", "13800138001", "上海市浦东新区世纪大道100号", "021-58881234", "0"},
        {"KH0002", "杭州西湖软件有限公司", "\\\\企业客户\\民营企业", "李明", "13900139002", "杭州市西湖区文三路88号", "0571-88776655", "0"},
        {"KH0003", "张晓华", "\\\\个人客户", "张晓华", "13700137003", "南京市鼓楼区中山路12号", "", "0"},
        {"KH0004", "北方钢材贸易公司", "\\\\供应商", "赵强", "13600136004", "天津市河西区友谊路5号", "022-23456789", "1"},
        {"KH0005", "广州南方电气设备厂", "\\\\供应商", "陈刚", "13500135005", "广州市天河区天河路385号", "020-87654321", "0"},
        {"KH0006", "深圳前海科技有限公司", "\\\\企业客户\\民营企业", "刘芳", "13400134006", "深圳市南山区前海路1号", "0755-26668888", "0"},
    };
    for (const auto& r : clients)
        c.exec(QStringLiteral("insert into Client(F_Code,F_Name,F_Type,F_LinkMan,F_handPhone,F_Address,F_Phone,"
                              "F_useFlag,F_bank,F_Email) values(?,?,?,?,?,?,?,?,?,?)"),
               {QString::fromUtf8(r[0]), QString::fromUtf8(r[1]), QString::fromUtf8(r[2]), QString::fromUtf8(r[3]),
                QString::fromUtf8(r[4]), QString::fromUtf8(r[5]), QString::fromUtf8(r[6]), QString::fromUtf8(r[7]).toInt(),
                QStringLiteral("中国工商银行"), QStringLiteral("info@example.com")});
}
}

REGISTER_SHOT("clients_register", [] {
    seedClients();
    TfrmCltMan f;
    f.resize(1100, 620);
    f.findChild<QCheckBox*>(QStringLiteral("chkUseFlag"))->click();  // show the disabled client too
    f.grid()->setCurrentRow(1);
    Shots::save(&f, QStringLiteral("clients_register"));
});

REGISTER_SHOT("clients_editor", [] {
    seedClients();
    TfrmCltMan f;
    f.grid()->setCurrentRow(1);
    TfrmCltEdit e;
    e.setCallerList(f.grid(), nullptr);
    e.SetEditMode(1);
    e.LoadFields(true);
    Shots::save(&e, QStringLiteral("clients_editor"));
    e.SetEditMode(0);
    e.LoadFields(false);
    Shots::save(&e, QStringLiteral("clients_editor_new"));
});

REGISTER_SHOT("clients_picker", [] {
    seedClients();
    TDlgCltXz d;
    Shots::save(&d, QStringLiteral("clients_picker"));
});
