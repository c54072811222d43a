#pragma once
#include "contracts/ContractQuery.h"

#include <QDate>
#include <QDialog>
#include <QString>
#include <array>

namespace Ui { class TDLGcontractCX; }
class DateEdit;
class QCheckBox;

// What the advanced query dialog holds, trimmed texts; empty means "any".
struct ContractQueryInput {
    QString name, code, type, empName, memo1, memo2, client1, client2, status, dept;
    std::array<QString, 5> zf;
    int archive = 0;  // 0 all, 1 archived only, 2 not archived only
    struct Range {
        bool on = false;  // the row's check box
        bool fromOn = true;
        QDate from;
        bool toOn = true;
        QDate to;
    };
    // signing date, begin date, custom dates 1 … 3
    std::array<Range, 5> ranges;
};

// The statement for the contract list from the dialog's inputs and the
// operator's scope. Every value is bound. Texts match literally: a typed % or _
// is not a wildcard. Name, contents, parties and custom texts match anywhere in
// the column; code, salesman, status and department match at its start; a
// category selects itself and the categories below it.
SqlWithParams BuildAdvancedContractQuery(const ContractQueryInput& in, int scope, const QString& operName,
                                         const QString& deptList);

// The advanced contract query dialog "合同查询对话框".
class TDLGcontractCX : public QDialog {
    Q_OBJECT
public:
    explicit TDLGcontractCX(QWidget* parent = nullptr);
    ~TDLGcontractCX() override;

    // Shows the dialog; the statement when it was closed with "查询", else an empty one.
    SqlWithParams Query();
    ContractQueryInput input() const;

private:
    void FormShow();
    void rangeToggled(int row);
    bool eventFilter(QObject* watched, QEvent* event) override;

    Ui::TDLGcontractCX* ui;
    std::array<QCheckBox*, 5> rangeBoxes_{};
    std::array<DateEdit*, 5> fromEdits_{};
    std::array<DateEdit*, 5> toEdits_{};
};
