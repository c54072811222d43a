#include "data/DemoData.h"

#include "data/PubUnit.h"
#include "platform/db/Connection.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVector>
#include <cmath>
#include <cstdint>
#include <random>

namespace {
// Every date is counted from fixed days, never from the clock, so that the same
// number of contracts always gives the same rows.
const QDate kFirstSigning(2019, 1, 2);
const QDate kLastSigning(2026, 2, 27);
const QDate kReference(2026, 3, 1);  // "today" of the demo: what is due before it has been paid
const QString kCompany = QStringLiteral("华科恒信信息技术有限公司");

QStringList split(const char* utf8) { return QString::fromUtf8(utf8).split(QLatin1Char(' '), Qt::SkipEmptyParts); }

class Rng {
public:
    explicit Rng(uint32_t seed) : gen_(seed) {}
    int below(int n) { return n <= 1 ? 0 : static_cast<int>(gen_() % static_cast<uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    const QString& pick(const QStringList& list) { return list[below(list.size())]; }
    QString digits(int n)
    {
        QString s;
        for (int i = 0; i < n; ++i) s += QChar(u'0' + below(10));
        return s;
    }

private:
    std::mt19937 gen_;
};

struct Names {
    QStringList surnames = split("王 李 张 刘 陈 杨 黄 赵 吴 周 徐 孙 马 朱 胡 郭 何 高 林 罗 郑 梁 谢 宋 唐 许 韩 冯 邓 曹 彭 曾 肖 田 董 袁 潘 于 蒋 蔡");
    QStringList given = split("伟 芳 娜 敏 静 丽 强 磊 军 洋 勇 艳 杰 涛 明 超 秀 霞 平 刚 桂 英 华 建 文 辉 玲 红 鹏 飞 宇 浩 婷 雪 琳 晨 凯 斌 峰 玉 兰 海 波 宁 欣 然 思 雨");
    QStringList cities = split("北京 上海 广州 深圳 杭州 南京 苏州 成都 武汉 西安 天津 重庆 长沙 郑州 济南 青岛 沈阳 大连 厦门 合肥 宁波 无锡 昆明 福州");
    QStringList brands = split("华信 恒达 金桥 远航 东方 宏图 新锐 正泰 安信 瑞丰 博远 中科 天成 鼎盛 海川 卓越 联创 嘉禾 明德 永泰 兴业 汇通 智联 启航 华宇 同创 百川 蓝海 星辰 长城");
    QStringList trades = split("科技 电子 建设 贸易 物流 机械 软件 医药 能源 化工 信息 环保 材料 设备 工程 通信");
    QStringList suffixes = split("有限公司 有限公司 有限公司 股份有限公司 集团有限公司 有限责任公司");
    QStringList streets = split("中山路 人民路 解放路 建设路 长江路 和平路 科技路 高新大道 滨江大道 世纪大道");
    QStringList banks = split("中国工商银行 中国建设银行 中国银行 中国农业银行 招商银行 交通银行 浦发银行");
    QStringList regions = split("华北 华东 华南 华中 西南 西北 东北");
    QStringList payTerms = split("一次性付款 分期付款 按进度付款 货到付款 验收后付款");
    QStringList models = split("XA KJ AT HB ZD QL TX GF");
    QStringList progress = split("已启动 进行中 完成一半 基本完成 已完成 暂停");
};

QString personName(Rng& r, const Names& n)
{
    QString s = r.pick(n.surnames) + r.pick(n.given);
    if (r.chance(60)) s += r.pick(n.given);
    return s;
}

QString day(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

QString clip(const QString& s, int n) { return s.left(n); }

struct Category {
    QString code, name, path;
    int direction;  // 1 receivable, -1 payable, 0 either
    QStringList items;
};

QVector<Category> contractTypes()
{
    struct Raw { const char* code; const char* name; const char* parentPath; int direction; const char* items; };
    const Raw raw[] = {
        {"001", "销售合同", "", 1, ""},
        {"001001", "设备销售", "\\\\销售合同", 1, "数控机床 工业机器人 检测设备 包装生产线 空压机组"},
        {"001001001", "大型设备", "\\\\销售合同\\设备销售", 1, "龙门加工中心 自动化立体仓库 冷却塔机组"},
        {"001001002", "小型设备", "\\\\销售合同\\设备销售", 1, "手持终端 扫码设备 温控仪表"},
        {"001002", "软件销售", "\\\\销售合同", 1, "ERP系统 仓储管理系统 OA办公系统 财务软件 客户关系管理系统"},
        {"001003", "备品备件", "\\\\销售合同", 1, "轴承 密封件 电机 控制板 传感器"},
        {"002", "采购合同", "", -1, ""},
        {"002001", "原材料采购", "\\\\采购合同", -1, "钢材 铝型材 电子元器件 包装材料 电缆"},
        {"002002", "设备采购", "\\\\采购合同", -1, "服务器 网络交换机 叉车 空调机组 激光切割机"},
        {"002003", "办公用品", "\\\\采购合同", -1, "办公家具 打印耗材 办公电脑 复印机"},
        {"003", "服务合同", "", 0, ""},
        {"003001", "技术服务", "\\\\服务合同", 1, "系统集成 软件定制开发 数据迁移 技术支持"},
        {"003002", "维护保养", "\\\\服务合同", 0, "设备年度维护 机房运维 电梯保养 空调维保"},
        {"003003", "咨询培训", "\\\\服务合同", 0, "管理咨询 员工培训 信息化规划"},
        {"004", "工程合同", "", 0, ""},
        {"004001", "土建工程", "\\\\工程合同", -1, "厂房扩建 办公楼装修 仓库改造"},
        {"004002", "安装工程", "\\\\工程合同", 1, "生产线安装 弱电工程 消防工程"},
    };
    QVector<Category> out;
    for (const Raw& r : raw) {
        Category c;
        c.code = QString::fromLatin1(r.code);
        c.name = QString::fromUtf8(r.name);
        const QString parent = QString::fromUtf8(r.parentPath);
        c.path = parent.isEmpty() ? QStringLiteral("\\\\") + c.name : parent + QLatin1Char('\\') + c.name;
        c.direction = r.direction;
        c.items = split(r.items);
        out.append(c);
    }
    return out;
}

QVector<Category> clientTypes()
{
    const QStringList names = split("企业客户 国有企业 民营企业 外资企业 政府机关 事业单位 供应商");
    const char* codes[] = {"001", "001001", "001002", "001003", "002", "003", "004"};
    QVector<Category> out;
    for (int i = 0; i < names.size(); ++i) {
        Category c;
        c.code = QString::fromLatin1(codes[i]);
        c.name = names[i];
        c.path = c.code.size() == 3 ? QStringLiteral("\\\\") + c.name : QStringLiteral("\\\\企业客户\\") + c.name;
        out.append(c);
    }
    return out;
}

struct Client {
    QString name, linkman;
};

QStringList codeList(Connection& c, const char* type, const QStringList& fallback)
{
    const Dataset ds = c.query(QStringLiteral("select F_name from t_code where F_type = ? and F_name <> '' order by F_ID"),
                               {QString::fromLatin1(type)});
    QStringList out;
    for (int r = 0; r < ds.rowCount(); ++r) out << ds.text(r, 0);
    return out.isEmpty() ? fallback : out;
}

void ensureCodes(Connection& c, const char* type, const QStringList& names)
{
    for (const QString& n : names)
        if (c.scalar(QStringLiteral("select count(*) from t_code where F_type = ? and F_name = ?"),
                     {QString::fromLatin1(type), n}).toInt() == 0)
            c.exec(QStringLiteral("insert into t_code(F_type,F_name) values(?,?)"), {QString::fromLatin1(type), n});
}

void ensureTree(Connection& c, const char* flag, const QVector<Category>& nodes)
{
    const QString f = QString::fromLatin1(flag);
    if (c.scalar(QStringLiteral("select count(*) from t_treecode where F_flag = ?"), {f}).toInt() > 0) return;
    for (const Category& n : nodes)
        c.exec(QStringLiteral("insert into t_treecode(F_code,F_name,F_likecode,F_flag) values(?,?,?,?)"),
               {n.code, n.name, n.path, f});
}

QVector<Client> insertClients(Connection& c, Rng& r, const Names& n, int count, const QVector<Category>& types)
{
    QSet<QString> used;
    const Dataset existing = c.query(QStringLiteral("select F_Name from Client"));
    for (int i = 0; i < existing.rowCount(); ++i) used.insert(existing.text(i, 0));
    const int firstCode = c.scalar(QStringLiteral("select count(*) from Client")).toInt() + 1;
    auto ins = c.prepared(QStringLiteral(
        "insert into Client(F_Code,F_Name,F_Type,F_LinkMan,F_Phone,F_Address,F_Postcode,F_fax,F_handPhone,F_Mem,"
        "F_useFlag,F_bank,F_account,F_ratecode,F_homepage,F_Email,F_Enrol) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    QVector<Client> out;
    out.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString city = r.pick(n.cities);
        QString name;
        for (int attempt = 0; attempt < 8 && (name.isEmpty() || used.contains(name)); ++attempt)
            name = city + r.pick(n.brands) + r.pick(n.trades) + r.pick(n.suffixes);
        if (used.contains(name)) name = city + r.pick(n.brands) + QString::number(i + 1) + r.pick(n.trades) + QStringLiteral("有限公司");
        used.insert(name);
        const QString linkman = personName(r, n);
        const int code = firstCode + i;
        const QString area = QStringLiteral("0%1").arg(r.between(10, 999));
        ins.run({QStringLiteral("%1").arg(code, 5, 10, QLatin1Char('0')), name, types[r.below(types.size())].path,
                 linkman, area + QLatin1Char('-') + QString::number(r.between(2, 8)) + r.digits(7),
                 city + QStringLiteral("市") + r.pick(n.streets) + QString::number(r.between(1, 999)) + QStringLiteral("号"),
                 QString::number(r.between(1, 8)) + r.digits(5), area + QLatin1Char('-') + QString::number(r.between(2, 8)) + r.digits(7),
                 QStringLiteral("13") + r.digits(9), r.chance(20) ? QStringLiteral("重点客户") : QString(), r.chance(5),
                 r.pick(n.banks) + city + QStringLiteral("分行"), r.digits(19), QStringLiteral("91") + r.digits(16),
                 QStringLiteral("www.c%1.com.cn").arg(code, 5, 10, QLatin1Char('0')),
                 QStringLiteral("contact%1@c%1.com.cn").arg(code, 5, 10, QLatin1Char('0')), personName(r, n)});
        out.append({name, linkman});
    }
    return out;
}

QDate addDays(const QDate& d, int n) { return d.addDays(n); }
}

void FillDemoData(Connection& c, int contracts)
{
    if (contracts < 0) contracts = 0;
    Rng r(20260309u + static_cast<uint32_t>(contracts));
    const Names n;
    auto tx = c.transaction(true);

    // Code lists and trees the contracts draw their values from.
    QStringList salesmen;
    Rng people(7);
    while (salesmen.size() < 12) {
        const QString s = personName(people, n);
        if (!salesmen.contains(s)) salesmen << s;
    }
    const QStringList depts = split("销售一部 销售二部 采购部 工程部 技术服务部 市场部");
    ensureCodes(c, "empname", salesmen);
    ensureCodes(c, "dept", depts);
    const QStringList statuses = codeList(c, "status", split("未执行 执行中 已完成 已终止"));
    const QStringList currencies = codeList(c, "priceunit", split("人民币"));
    const QStringList reminderTimes = codeList(c, "awoketime", split("上午9:00"));
    const QStringList reminderCaptions = codeList(c, "txcaption", split("催收款项"));
    const QStringList changeItems = codeList(c, "bgitem", split("合同金额"));
    const QVector<Category> types = contractTypes();
    const QVector<Category> cltTypes = clientTypes();
    ensureTree(c, "type", types);
    ensureTree(c, "clttype", cltTypes);
    const QStringList captions = split("项目编号 所属区域 付款方式 质保期 合同份数 数量 单价 税率 验收日期 质保到期日 归档日期");
    for (int i = 0; i < captions.size(); ++i)
        c.exec(QStringLiteral("update KeyValue set F_Value = ? where F_ID = ?"), {captions[i], i + 1});

    QVector<Category> leaves;  // contracts are filed under categories without children
    for (const Category& t : types) {
        bool parent = false;
        for (const Category& o : types)
            if (o.code.size() > t.code.size() && o.code.startsWith(t.code)) parent = true;
        if (!parent) leaves.append(t);
    }

    const QVector<Client> clients = insertClients(c, r, n, qMax(20, contracts / 10), cltTypes);
    const qint64 firstLink = c.scalar(QStringLiteral("select max(F_cltID) from Contract")).toLongLong() + 1;
    auto contract = c.prepared(QStringLiteral(
        "insert into Contract(F_cltID,F_code,F_name,F_type,F_empname,F_date,F_totalPrice,F_beginDate,F_endDate,"
        "F_status,F_memo1,F_filePath,F_memo2,F_GDflag,F_GDpath,F_editDate,F_OperName,F_client1,F_client2,F_FZR1,"
        "F_FZR2,F_SFflag,F_priceunit,F_dept,F_ZF1,F_ZF2,F_ZF3,F_ZF4,F_ZF5,F_RQ1,F_RQ2,F_RQ3,F_RQ4,F_RQ5,F_SZ1,"
        "F_SZ2,F_SZ3,F_SZ4,F_SZ5,F_SHemp) "
        "values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    auto receipt = c.prepared(QStringLiteral(
        "insert into t_SKrec(F_cltID,F_date,F_OldCode,F_YSprice,F_YSdate,F_SKprice,F_SKdate,F_KPprice,F_memo1,"
        "F_operName) values(?,?,?,?,?,?,?,?,?,?)"));
    auto execution = c.prepared(QStringLiteral(
        "insert into t_ZXrec(F_cltID,F_ZXdate,F_ZXmem,F_GZL,F_JD,F_empName,F_editDate,F_Memo1) values(?,?,?,?,?,?,?,?)"));
    auto reminder = c.prepared(QStringLiteral(
        "insert into t_TXrec(F_cltID,F_awokeDate,F_awokeTime,F_caption,F_memo1,F_editDate,F_operName) "
        "values(?,?,?,?,?,?,?)"));
    auto change = c.prepared(QStringLiteral(
        "insert into t_BGrec(F_cltID,F_HTcode,F_HTname,F_BGitem,F_BGreason,F_BGbegin,F_BGend,F_STemp,F_STdate,"
        "F_PZemp,F_PZdate,F_operName,F_editDate,F_memo1,F_BGdate) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));

    const int span = static_cast<int>(kFirstSigning.daysTo(kLastSigning));
    QHash<QDate, int> serialOfDay;  // contract codes go on from those already stored
    const Dataset codes = c.query(QStringLiteral("select F_code from Contract where F_code like 'HT-%'"));
    for (int k = 0; k < codes.rowCount(); ++k) {
        const QString stored = codes.text(k, 0);
        const QDate d = QDate::fromString(stored.mid(3, 8), QStringLiteral("yyyyMMdd"));
        if (d.isValid()) serialOfDay[d] = qMax(serialOfDay.value(d), stored.mid(12).toInt());
    }
    for (int i = 0; i < contracts; ++i) {
        const qint64 link = firstLink + i;
        // Signing dates rise with the row number, as contracts are entered over the years.
        const QDate signed_ = kFirstSigning.addDays(qMin(span, static_cast<int>(qint64(span) * i / qMax(1, contracts)) + r.below(5)));
        const int serial = ++serialOfDay[signed_];
        const QString code = QStringLiteral("HT-%1-%2").arg(signed_.toString(QStringLiteral("yyyyMMdd"))).arg(serial, 3, 10, QLatin1Char('0'));
        const Category& type = [&]() -> const Category& {
            for (;;) {
                const Category& t = leaves[r.below(leaves.size())];
                if (t.direction != 0 || r.chance(50)) return t;
            }
        }();
        const int direction = type.direction != 0 ? type.direction : (r.chance(60) ? 1 : -1);
        const QString item = r.pick(type.items);
        QString name;
        switch (r.below(4)) {
        case 0: name = QStringLiteral("%1-%2型%3%4合同").arg(r.pick(n.models)).arg(r.between(100, 990)).arg(item, type.name.right(2)); break;
        case 1: name = QStringLiteral("%1年度%2合同").arg(signed_.year()).arg(item); break;
        case 2: name = QStringLiteral("%1%2项目合同").arg(r.pick(n.cities), item); break;
        default: name = item + type.name; break;
        }
        const Client& client = clients[r.below(clients.size())];
        const int salesman = r.below(salesmen.size());
        const QString emp = salesmen[salesman];
        const QString dept = depts[salesman % depts.size()];
        const double total = std::round(std::exp(8.5 + r.below(6000) / 1000.0) / 100.0) * 100.0;
        const bool noBegin = r.chance(8);
        const QDate begin = signed_.addDays(r.between(0, 30));
        const bool noEnd = r.chance(10);
        const QDate end = begin.addDays(r.between(90, 1095));
        QString status;
        if (r.chance(3)) status = statuses.value(3, statuses.last());
        else if (begin > kReference) status = statuses.value(0);
        else if (!noEnd && end < kReference) status = statuses.value(2, statuses.last());
        else status = statuses.value(1, statuses.first());
        const bool archived = !noEnd && end < kReference.addYears(-1) && r.chance(60);
        const bool approved = r.chance(45) || (archived && r.chance(50));
        const QString partyA = direction == 1 ? client.name : kCompany;
        const QString partyB = direction == 1 ? kCompany : client.name;
        const QString personA = direction == 1 ? client.linkman : emp;
        const QString personB = direction == 1 ? emp : client.linkman;
        const QString memo = QStringLiteral("%1%2%3，合同金额%4元，%5。").arg(direction == 1 ? QStringLiteral("向") : QStringLiteral("从"), client.name,
                                 direction == 1 ? QStringLiteral("提供") + item : QStringLiteral("采购") + item,
                                 FormatFloat(QStringLiteral(",0.00"), total), r.pick(n.payTerms));
        const QString irregular = r.chance(5) ? QStringLiteral("对方延迟付款，已发函催告。") : QString();
        contract.run({link, code, name, type.path, emp, day(signed_), total,
                      noBegin ? kEmptyDate : day(begin), noEnd ? kEmptyDate : day(end), status, memo,
                      QStringLiteral("D:\\合同档案\\%1\\%2.pdf").arg(signed_.year()).arg(code),
                      irregular.isEmpty() ? QVariant() : QVariant(irregular), archived,
                      archived ? QStringLiteral("档案室%1号柜").arg(r.between(1, 40)) : QString(), day(signed_), emp,
                      partyA, partyB, personA, personB, direction, currencies[r.chance(90) ? 0 : r.below(currencies.size())],
                      dept, QStringLiteral("XM-%1-%2").arg(signed_.year()).arg(r.between(1, 9999), 4, 10, QLatin1Char('0')),
                      r.pick(n.regions), r.pick(n.payTerms), QStringLiteral("%1个月").arg(r.between(1, 4) * 6),
                      QString::number(r.between(2, 6)),
                      r.chance(70) ? day(end.addDays(r.between(-30, 30))) : kEmptyDate,
                      r.chance(50) ? day(end.addYears(1)) : kEmptyDate, archived ? day(end.addDays(r.between(1, 90))) : kEmptyDate,
                      kEmptyDate, kEmptyDate, double(r.between(1, 500)), std::round(total / r.between(1, 50) * 100) / 100,
                      r.chance(50) ? 0.13 : 0.06, 0.0, 0.0,
                      approved ? (r.chance(70) ? QStringLiteral("admin") : salesmen[(salesman + 1) % salesmen.size()]) : QString()});

        // Money due in instalments; what fell due before the demo's today has mostly been received.
        const int instalments = r.between(6, 14);
        const QDate from = noBegin ? signed_ : begin;
        const int step = qMax(7, static_cast<int>(from.daysTo(noEnd ? from.addYears(1) : end)) / instalments);
        const double part = std::round(total / instalments * 100) / 100;
        for (int k = 0; k < instalments; ++k) {
            const QDate due = from.addDays(step * (k + 1));
            const bool paid = due < kReference && r.chance(92);
            const QDate paidOn = due.addDays(r.between(-5, 25));
            receipt.run({link, day(paid ? paidOn : due), QStringLiteral("FP%1").arg(r.digits(8)), part, day(due),
                         paid ? part : 0.0, paid ? day(paidOn) : kEmptyDate, paid || r.chance(20) ? part : 0.0,
                         r.chance(10) ? QStringLiteral("第%1期").arg(k + 1) : QString(), emp});
        }
        for (int k = r.below(3); k > 0; --k) {
            const QDate on = from.addDays(r.between(10, 400));
            execution.run({link, day(on), QStringLiteral("%1：%2").arg(item, r.pick(n.progress)),
                           QStringLiteral("%1人天").arg(r.between(1, 60)), QStringLiteral("%1%").arg(r.between(1, 10) * 10),
                           emp, day(on), QString()});
        }
        for (int k = r.below(3); k > 0; --k) {
            const QDate on = (noEnd ? from.addYears(1) : end).addDays(-r.between(0, 60));
            reminder.run({link, day(on), r.pick(reminderTimes), r.pick(reminderCaptions),
                          QStringLiteral("%1（%2）").arg(name, code),
                          day(on.addDays(-r.between(1, 30))) + QStringLiteral(" %1:%2:00").arg(r.between(8, 17), 2, 10, QLatin1Char('0')).arg(r.between(0, 59), 2, 10, QLatin1Char('0')),
                          emp});
        }
        for (int k = r.below(3); k > 0; --k) {
            const QDate asked = from.addDays(r.between(5, 300));
            const bool granted = r.chance(70);
            const QString before = FormatFloat(QStringLiteral("0.00"), total);
            const QString after = FormatFloat(QStringLiteral("0.00"), total * (0.9 + r.below(30) / 100.0));
            change.run({link, code, clip(name, 50), r.pick(changeItems), QStringLiteral("双方协商一致，调整合同条款。"),
                        before, after, emp, day(asked), granted ? QStringLiteral("admin") : QString(),
                        granted ? day(asked.addDays(r.between(1, 10))) : kEmptyDate, emp, day(asked), QString(),
                        granted ? day(asked.addDays(r.between(10, 30))) : kEmptyDate});
        }
    }
    tx.commit();
}
