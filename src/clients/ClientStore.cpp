#include "clients/ClientStore.h"

#include "data/DataDm.h"

#include <QVariantMap>

ClientRecord ClientRecord::fromRow(const Dataset& ds, int row)
{
    auto text = [&](const char* field) {
        const int col = ds.fieldIndex(QLatin1String(field));
        return col < 0 ? QString() : ds.text(row, col);
    };
    ClientRecord r;
    r.code = text("F_Code");
    r.name = text("F_Name");
    r.type = text("F_Type");
    r.linkMan = text("F_LinkMan");
    r.phone = text("F_Phone");
    r.address = text("F_Address");
    r.postcode = text("F_Postcode");
    r.fax = text("F_fax");
    r.handPhone = text("F_handPhone");
    r.mem = text("F_Mem");
    const int flag = ds.fieldIndex(QStringLiteral("F_useFlag"));
    r.useFlag = flag >= 0 && ds.integer(row, flag) != 0;
    r.bank = text("F_bank");
    r.account = text("F_account");
    r.rateCode = text("F_ratecode");
    r.homepage = text("F_homepage");
    r.email = text("F_Email");
    r.enrol = text("F_Enrol");
    return r;
}

ClientRecord ClientRecord::normalised() const
{
    ClientRecord r = *this;
    for (QString* s : {&r.code, &r.name, &r.phone, &r.address, &r.postcode, &r.fax, &r.handPhone, &r.bank,
                       &r.account, &r.rateCode, &r.homepage, &r.email, &r.enrol})
        *s = s->trimmed();
    return r;
}

QString NextClientCode(TdmData& dm)
{
    return dm.NextSerialCode(QStringLiteral("select max(F_code) from client "), 4);
}

ClientSaveResult SaveClient(TdmData& dm, const ClientRecord& record, qint64 id, bool autoCode)
{
    const ClientRecord r = record.normalised();
    ClientSaveResult result{ClientSaveStatus::Saved, r.code};
    if (r.code.isEmpty()) return {ClientSaveStatus::EmptyCode, {}};

    Connection& c = dm.ADOcnn();
    auto tx = c.transaction(true);
    const qint64 holder =
        c.scalar(QStringLiteral("Select F_ID From Client Where F_Code = ? "), {r.code}).toLongLong();
    if (holder > 0 && (id < 0 || holder != id)) {
        if (!autoCode) return {ClientSaveStatus::Duplicate, r.code};
        // Read under the write lock: no other instance can take this code before we insert.
        result.code = NextClientCode(dm);
    }

    QVariantMap v{{QStringLiteral("Code"), result.code},   {QStringLiteral("Name"), r.name},
                  {QStringLiteral("Type"), r.type},         {QStringLiteral("LinkMan"), r.linkMan},
                  {QStringLiteral("Phone"), r.phone},       {QStringLiteral("Address"), r.address},
                  {QStringLiteral("Postcode"), r.postcode}, {QStringLiteral("fax"), r.fax},
                  {QStringLiteral("handPhone"), r.handPhone}, {QStringLiteral("Mem"), r.mem},
                  {QStringLiteral("UseFlag"), r.useFlag ? 1 : 0}, {QStringLiteral("bank"), r.bank},
                  {QStringLiteral("account"), r.account},   {QStringLiteral("ratecode"), r.rateCode},
                  {QStringLiteral("homepage"), r.homepage}, {QStringLiteral("Email"), r.email},
                  {QStringLiteral("Enrol"), r.enrol}};
    if (id < 0) {
        c.exec(QStringLiteral("Insert into Client(F_Code,F_Name,F_Type,F_LinkMan,F_Phone, F_Address,F_Postcode,F_fax,"
                              "F_handPhone,F_Mem,F_useFlag, F_bank,F_account,F_ratecode,F_homepage,F_Email,F_Enrol) "
                              "Values(:Code,:Name,:Type,:LinkMan,:Phone,:Address,:Postcode,:fax,:handPhone, :Mem,"
                              ":UseFlag,:bank,:account,:ratecode,:homepage,:Email, :Enrol) "),
               v);
    } else {
        v.insert(QStringLiteral("ID"), id);
        c.exec(QStringLiteral("Update Client Set F_code = :Code,F_Name = :Name,F_Type = :Type,F_LinkMan = :LinkMan, "
                              "F_Phone = :Phone,F_Address = :Address,F_Postcode = :Postcode, F_fax = :fax,"
                              "F_handPhone = :handPhone, F_Mem = :Mem,F_useFlag = :UseFlag,F_bank = :bank,"
                              "F_account = :account, F_ratecode = :ratecode,F_homepage = :homepage,F_Email = :Email, "
                              "F_enrol = :Enrol Where F_ID = :ID"),
               v);
    }
    tx.commit();
    return result;
}
