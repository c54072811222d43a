#pragma once
#include <QString>
#include <QVector>

class Connection;

// The rows a new database starts with.
namespace SeedData {
struct Permission {
    const char* code;
    const char* caption;  // the command's caption in the main window
    const char* name;     // the distinct name operators hold it by
};
const QVector<Permission>& permissions();  // all 53, in code order

void insertAll(Connection& c);
}
