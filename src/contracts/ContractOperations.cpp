#include "contracts/ContractOperations.h"

#include "data/DataDm.h"

namespace ContractOperations {
bool DeleteWithRecords(qint64 id, qint64 cltId, QString* error)
{
    Connection& c = dmData->ADOcnn();
    try {
        auto tx = c.transaction(true);
        for (const char* table : {"t_SKrec", "t_ZXrec", "t_TXrec", "t_BGrec", "t_TPrec", "t_FJrec"})
            c.exec(QStringLiteral("delete from %1 where F_cltID = ? ").arg(QLatin1String(table)), {cltId});
        if (cltId > 0) c.exec(QStringLiteral("delete from contract where F_cltID = ? "), {cltId});
        else c.exec(QStringLiteral("delete from contract where F_ID = ? "), {id});
        tx.commit();
        return true;
    } catch (const DbError& e) {
        if (error) *error = e.message();
        return false;
    }
}

bool SetApprover(qint64 id, const QString& approver, QString* error)
{
    Connection& c = dmData->ADOcnn();
    try {
        c.exec(QStringLiteral("update Contract set F_SHemp = ? where F_ID = ?"), {approver, id});
        if (c.changes() == 0) {
            if (error) *error = QStringLiteral("当前合同已被其他用户删除，请刷新合同列表。");
            return false;
        }
        return true;
    } catch (const DbError& e) {
        if (error) *error = e.message();
        return false;
    }
}

QList<BatchFailure> SetColumn(const QString& column, const QString& value, const QList<qint64>& ids)
{
    // Only the two columns the batch commands change; never a column name from elsewhere.
    const QString col = column.compare(QLatin1String("F_dept"), Qt::CaseInsensitive) == 0 ? QStringLiteral("F_dept")
                                                                                         : QStringLiteral("F_type");
    QList<BatchFailure> failed;
    Connection& c = dmData->ADOcnn();
    for (qint64 id : ids) {
        try {
            c.exec(QStringLiteral("update Contract set %1 = ? where F_ID = ?").arg(col), {value, id});
            if (c.changes() == 0) failed << BatchFailure{id, QStringLiteral("合同已被其他用户删除")};
        } catch (const DbError& e) {
            failed << BatchFailure{id, e.message()};
        }
    }
    return failed;
}
}
