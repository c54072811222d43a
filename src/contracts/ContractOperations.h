#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Changes the main window's commands make to stored contracts.
namespace ContractOperations {
// Deletes a contract with every record under it in one transaction: the six
// detail tables by link key, then the contract(s) with that key, or the row
// itself when its key is 0. False (and nothing deleted) on any failure.
bool DeleteWithRecords(qint64 id, qint64 cltId, QString* error = nullptr);

// Sets or clears the approver of one contract. False when the contract no
// longer exists (another instance deleted it) or the write failed.
bool SetApprover(qint64 id, const QString& approver, QString* error = nullptr);

// Writes one column ("F_type" or "F_dept") of the given contracts, each in its
// own statement; returns the ids whose write failed, with the reasons.
struct BatchFailure {
    qint64 id;
    QString reason;
};
QList<BatchFailure> SetColumn(const QString& column, const QString& value, const QList<qint64>& ids);
}
