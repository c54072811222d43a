#pragma once
#include <QString>

class Dataset;
class TdmData;

// One client as the editor reads and writes it.
struct ClientRecord {
    QString code, name, type, linkMan, phone, address, postcode, fax, handPhone, mem;
    bool useFlag = false;  // disabled
    QString bank, account, rateCode, homepage, email, enrol;

    static ClientRecord fromRow(const Dataset& ds, int row);
    // Leading and trailing blanks go, except in the category, the contact person
    // and the remarks, which are written as typed.
    ClientRecord normalised() const;
};

enum class ClientSaveStatus { Saved, EmptyCode, Duplicate };

struct ClientSaveResult {
    ClientSaveStatus status = ClientSaveStatus::Saved;
    QString code;  // the code stored (a fresh one when the typed one was taken)
};

// The next client code after the largest stored one, with a four-digit tail.
// Throws CodeError when that code's tail is not digits.
QString NextClientCode(TdmData& dm);

// Inserts a client (id < 0) or updates the client with key id. The duplicate
// check and the write run in one IMMEDIATE transaction, so two program
// instances cannot store the same generated code. A code already held by
// another client is refused (Duplicate) unless autoCode is on, in which case
// the client takes the next free code. Throws DbError or CodeError after
// rolling back; nothing is then stored.
ClientSaveResult SaveClient(TdmData& dm, const ClientRecord& record, qint64 id, bool autoCode);
