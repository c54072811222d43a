#pragma once
#include "data/SqlParts.h"

#include <QString>

// A statement over Client with its bound values.
using ClientSql = SqlWithParams;

// The search fields of the client register, in the order of its drop-down list.
enum ClientSearchField { SearchNone = -1, SearchCode = 0, SearchName = 1, SearchLinkMan = 2, SearchAddress = 3 };

struct ClientFilter {
    int searchField = SearchNone;
    QString searchText;         // trimmed here
    QString categoryPath;       // empty (or the root's path): every category
    bool includeDisabled = false;
};

struct PickerFilter {
    QString code;               // each trimmed here; a blank one filters nothing
    QString name;
    QString address;
    QString categoryPath;
};

// Search texts are bound and matched literally: a typed %, _ or quote is an
// ordinary character. A category selects itself and the categories below it,
// not a sibling whose name merely begins the same way.
ClientSql BuildClientQuery(const ClientFilter& f);
ClientSql BuildPickerQuery(const PickerFilter& f);
