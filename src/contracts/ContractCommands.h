#pragma once
#include "contracts/ContractQuery.h"

#include <QString>
#include <functional>

class DataGrid;
class QComboBox;
class QLineEdit;
class QWidget;

// The main window's contract commands. `list` is the main contract list
// (its dataset is QryMain); `refresh` reopens it with its current statement.

// 201: a new contract. `categoryPath` is the category chosen in the main
// window's tree (empty or the root's "\\" for none); it becomes the new type.
void NewContract(DataGrid* list, std::function<void()> refresh, QWidget* parent,
                 const QString& categoryPath = QString());
// 202 and a double click on the list: the current contract.
void ModifyContract(DataGrid* list, std::function<void()> refresh, QWidget* parent);
// 207: a new contract filled from the current one.
void CopyContract(DataGrid* list, std::function<void()> refresh, QWidget* parent);

// 108: the custom field settings.
void ShowCustomSettings(QWidget* parent);

// The advanced contract query: the statement for the contract list, or an empty
// sql when the dialog was closed without querying.
SqlWithParams RunContractQuery(QWidget* parent);

// Input pieces shared by the contract editor and the query dialog.
namespace ContractInputs {
// The contract-type picker on a type box: the chosen path replaces the text.
void PickType(QLineEdit* typeBox, QWidget* parent);
// The client picker on a party box: a non-blank result replaces the text.
// Returns whether the box was given a result (the caller may look up more).
bool PickParty(QLineEdit* partyBox, QWidget* parent);
// The contact person of the client of that name, or an empty text.
QString ClientLinkMan(const QString& clientName);
// Fills a drop-down list with the code list of one type ("status",
// "priceunit", "empname"…) when it is entered, keeping what is typed in it.
void FillCodeList(QComboBox* combo, const QString& type);
// "<caption>：" for the labels of the custom fields (caption entries 1 … 11).
QString CustomLabel(int entry);
}
