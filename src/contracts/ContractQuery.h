#pragma once
#include "data/SqlParts.h"

#include <QString>

// The filters of the contract list, and the statement they make.
struct ContractFilter {
    int scope = 0;             // 0 all, 1 own as salesman, 2 listed departments
    QString operName;
    QString deptList;          // stored form 'A','B'
    int searchField = -1;      // 0 code, 1 name, 2 party A, 3 party B, 4 content, 5 irregularities; -1 none
    QString searchText;        // trimmed by the caller
    QString categoryPath;      // like-code of the chosen category; empty or "\\" for all
    int direction = 0;         // 0 all, 1 receivable, 2 payable
    bool includeArchived = false;
    int projectType = 0;       // 0 status, 1 salesman, 2 department
    QString projectValue;      // empty: the row "全部"
};

// Search texts and category paths are bound values. A search text is matched
// literally (a typed % or _ is not a wildcard), and a category selects itself and
// the categories below it, not a sibling whose name merely begins the same way.
SqlWithParams BuildContractQuery(const ContractFilter& f);
