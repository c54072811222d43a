#pragma once
#include "platform/db/Connection.h"

#include <QString>
#include <memory>

namespace BenchData {
// The demo database of n contracts in the cache folder, made on first use.
QString demoFile(int contracts);
std::unique_ptr<Connection> open(int contracts);

// The main contract list: scope "all", archived contracts hidden, optionally a
// search on the contract name.
QString listSql(bool withSearch);
QString searchPattern();  // a one-character search, as typed into the search box
}
