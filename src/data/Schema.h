#pragma once
#include <QString>
#include <QVector>

class Connection;

// The tables and columns of the database, defined once. Used to create a new
// database, and by korvan-admin to verify an existing one.
namespace Schema {
enum class ColType { AutoId, Integer, Real, Text, Memo, Date, DateTime, Bool, Blob };

struct Column {
    const char* name;
    ColType type;
    int width = 0;  // text: the most characters it holds
};

struct Table {
    const char* name;
    QVector<Column> columns;
};

const QVector<Table>& tables();
QString createSql();  // every CREATE TABLE statement

// Creates all tables and the seed rows in an empty database, in one transaction.
void create(Connection& c);
void seed(Connection& c);

// The names of tables or columns missing from an existing database; empty when complete.
QStringList missingParts(Connection& c);

// Database password of the data file.
QString databasePassword();
}
