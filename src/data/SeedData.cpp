#include "data/SeedData.h"

#include "platform/Password.h"
#include "platform/db/Connection.h"

#include <QStringList>

namespace SeedData {
const QVector<Permission>& permissions()
{
    static const QVector<Permission> all = {
        {"101", "公司信息", "文件-公司信息"},
        {"102", "更改密码", "文件-更改密码"},
        {"103", "用户权限", "文件-用户权限"},
        {"104", "选项...", "文件-选项设置"},
        {"105", "合同类型", "文件-合同类型"},
        {"106", "单位类型", "文件-单位类型"},
        {"108", "自定义设置", "文件-自定义设置"},
        {"201", "新增", "合同-新增"},
        {"202", "修改", "合同-修改"},
        {"203", "删除", "合同-删除"},
        {"204", "排序...", "合同-排序"},
        {"205", "显示字段选择", "合同-显示字段选择"},
        {"206", "保存当前网格", "合同-保存当前网格"},
        {"207", "复制", "合同-复制"},
        {"208", "客户档案", "编辑-客户档案"},
        {"209", "收付款项", "编辑-收付款项管理"},
        {"210", "合同执行", "编辑-合同执行管理"},
        {"211", "合同变更", "编辑-合同变更管理"},
        {"212", "合同附件", "编辑-合同附件管理"},
        {"213", "批量修改合同类型", "合同-批量修改合同类型"},
        {"214", "批量修改合同部门", "合同-批量修改合同部门"},
        {"301", "导出", "输出-导出"},
        {"302", "报表设计", "输出-报表设计"},
        {"303", "当前合同详单", "输出-当前合同详单"},
        {"304", "当前合同及往来款项", "输出-当前合同及往来款项"},
        {"305", "当前合同及执行情况", "输出-当前合同及执行情况"},
        {"306", "当前合同及变更情况", "输出-当前合同及变更情况"},
        {"307", "当前合同列表", "输出-当前合同列表"},
        {"308", "合同样式一", "输出-合同样式一"},
        {"309", "合同样式二", "输出-合同样式二"},
        {"310", "合同样式三", "输出-合同样式三"},
        {"311", "合同样式四", "输出-合同样式四"},
        {"401", "统计", "统计-合同分析图表"},
        {"402", "业务提醒", "统计-业务提醒"},
        {"403", "合同收付款明细统计", "统计-合同收付款明细统计"},
        {"404", "合同收付款汇总统计", "统计-合同收付款汇总统计"},
        {"405", "客户收付款汇总统计", "统计-客户收付款汇总统计"},
        {"406", "合同执行统计列表", "统计-合同执行统计列表"},
        {"407", "合同提醒统计列表", "统计-合同提醒统计列表"},
        {"408", "合同变更查询统计", "统计-合同变更查询统计"},
        {"501", "导入合同资料", "数据-导入合同资料"},
        {"502", "系统数据清理", "数据-系统数据清理"},
        {"503", "数据备份恢复", "数据-数据备份恢复"},
        {"504", "压缩修复数据库", "数据-压缩修复数据库"},
        {"505", "连接网络数据库", "数据-连接网络数据库"},
        {"506", "导入客户资料", "数据-导入客户资料"},
        {"901", "新增", "明细-新增"},
        {"902", "修改", "明细-修改"},
        {"903", "删除", "明细-删除"},
        {"904", "排序...", "明细-排序"},
        {"905", "显示字段选择", "明细-显示字段选择"},
        {"906", "保存当前网格", "明细-保存当前网格"},
        {"907", "更名", "明细-图片更名"},
    };
    return all;
}

namespace {
void insertCodes(Connection& c, const char* type, const QStringList& names)
{
    for (const QString& n : names)
        c.exec(QStringLiteral("insert into t_code(F_type,F_name) values(?,?)"), {QString::fromLatin1(type), n});
}

struct Mapping {
    const char* field;
    const char* caption;
    const char* heading;
};

void insertMappings(Connection& c, const char* table, const QVector<Mapping>& rows)
{
    for (const Mapping& m : rows)
        c.exec(QStringLiteral("insert into cfg_import(F_tablename,F_iFlag,S_Field,F_FieldName,F_Field) "
                              "values(?,1,?,?,?)"),
               {QString::fromLatin1(table), QString::fromLatin1(m.field), QString::fromUtf8(m.caption),
                QString::fromUtf8(m.heading)});
}
}

void insertAll(Connection& c)
{
    c.exec(QStringLiteral("insert into OperList(F_Name,F_PassWord,F_Mem,F_Flag,F_shFlag,F_xtFlag,F_dept) "
                          "values('admin',?,'系统管理员',0,1,0,'')"),
           {SavePass(QString())});

    for (const Permission& p : permissions())
        c.exec(QStringLiteral("insert into Limits(F_code,F_name,F_flag) values(?,?,1)"),
               {QString::fromLatin1(p.code), QString::fromUtf8(p.name)});

    c.exec(QStringLiteral("insert into SysInfo(F_Code,F_Name,F_BakPath,F_Manager,F_Phone,F_HandPhone,F_Email,"
                          "F_Homepage,F_Enroler,F_Mem) values('','','','','','','','','','')"));

    const QStringList keyValues = {
        QStringLiteral("自定义文本1"), QStringLiteral("自定义文本2"), QStringLiteral("自定义文本3"),
        QStringLiteral("自定义文本4"), QStringLiteral("自定义文本5"), QStringLiteral("自定义数值1"),
        QStringLiteral("自定义数值2"), QStringLiteral("自定义数值3"), QStringLiteral("自定义日期1"),
        QStringLiteral("自定义日期2"), QStringLiteral("自定义日期3"), QStringLiteral("2"),
        QStringLiteral("2"), QStringLiteral("2")};
    for (const QString& v : keyValues)
        c.exec(QStringLiteral("insert into KeyValue(F_Value) values(?)"), {v});

    insertCodes(c, "status", {QStringLiteral("未执行"), QStringLiteral("执行中"), QStringLiteral("已完成"),
                              QStringLiteral("已终止")});
    insertCodes(c, "priceunit", {QStringLiteral("人民币"), QStringLiteral("美元"), QStringLiteral("欧元"),
                                 QStringLiteral("港币")});
    insertCodes(c, "awoketime", {QStringLiteral("上午9:00"), QStringLiteral("中午12:00"),
                                 QStringLiteral("下午2:00"), QStringLiteral("下午5:00")});
    insertCodes(c, "txcaption", {QStringLiteral("催收款项"), QStringLiteral("合同续签"), QStringLiteral("开具发票")});
    insertCodes(c, "bgitem",
                {QStringLiteral("合同名称"), QStringLiteral("合同类型"), QStringLiteral("业务员"),
                 QStringLiteral("签订日期"), QStringLiteral("所属部门"), QStringLiteral("合同金额"),
                 QStringLiteral("币种"), QStringLiteral("合同开始日期"), QStringLiteral("合同截止日期"),
                 QStringLiteral("甲方单位"), QStringLiteral("乙方单位"), QStringLiteral("合同主要内容")});

    insertMappings(c, "contract",
                   {{"F_code", "合同编号", "合同编号"},
                    {"F_name", "合同名称", "合同名称"},
                    {"F_type", "合同类型", "合同类型"},
                    {"F_empname", "业务员", "业务员"},
                    {"F_date", "签订日期", "签订日期"},
                    {"F_totalPrice", "合同金额", "合同金额"},
                    {"F_beginDate", "开始日期", "开始日期"},
                    {"F_endDate", "截止日期", "截止日期"},
                    {"F_status", "合同状态", "合同状态"},
                    {"F_client1", "甲方单位", "甲方单位"},
                    {"F_FZR1", "甲方负责人", "甲方负责人"},
                    {"F_client2", "乙方单位", "乙方单位"},
                    {"F_FZR2", "乙方负责人", "乙方负责人"},
                    {"F_priceunit", "币种", "币种"},
                    {"F_dept", "所属部门", "所属部门"},
                    {"F_SFflag", "收付标志(1收/-1付)", "收付标志"},
                    {"F_memo1", "主要内容", "主要内容"},
                    {"F_memo2", "异常描述", "异常描述"}});
    insertMappings(c, "client",
                   {{"F_Code", "单位编码", "单位编码"},
                    {"F_Name", "单位名称", "单位名称"},
                    {"F_Type", "单位类型", "单位类型"},
                    {"F_LinkMan", "联系人", "联系人"},
                    {"F_Phone", "固定电话", "电话"},
                    {"F_handPhone", "手机", "手机"},
                    {"F_fax", "传真", "传真"},
                    {"F_Address", "地址", "地址"},
                    {"F_Postcode", "邮编", "邮编"},
                    {"F_bank", "开户银行", "开户银行"},
                    {"F_account", "银行帐号", "银行帐号"},
                    {"F_ratecode", "纳税号", "纳税号"},
                    {"F_Email", "电子邮箱", "电子邮箱"},
                    {"F_homepage", "公司主页", "公司主页"},
                    {"F_Enrol", "公司法人", "公司法人"},
                    {"F_Mem", "备注", "备注"}});
}
}
