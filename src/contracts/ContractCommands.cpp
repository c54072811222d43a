#include "contracts/ContractCommands.h"

#include "clients/ClientPicker.h"
#include "codes/CategoryPicker.h"
#include "contracts/TDLGcontractCX.h"
#include "contracts/TfrmContractEdit.h"
#include "contracts/TfrmZDYset.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "platform/Messages.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
bool listIsEmpty(DataGrid* list)
{
    return !list || !list->dataset() || list->dataset()->isEmpty() || list->currentRow() < 0;
}

void runEditor(DataGrid* list, std::function<void()> refresh, QWidget* parent, int mode,
               const QString& categoryPath = QString())
{
    TfrmContractEdit editor(list, std::move(refresh), parent);
    editor.setDefaultType(categoryPath);
    editor.ShowEditor(mode);
}
}

void NewContract(DataGrid* list, std::function<void()> refresh, QWidget* parent, const QString& categoryPath)
{
    runEditor(list, std::move(refresh), parent, TfrmContractEdit::ModeNew, categoryPath);
}

void ModifyContract(DataGrid* list, std::function<void()> refresh, QWidget* parent)
{
    if (listIsEmpty(list)) {
        ShowMess(QStringLiteral("此表为空，没有客户记录需要修改！"), MessError);
        return;
    }
    runEditor(list, std::move(refresh), parent, TfrmContractEdit::ModeModify);
}

void CopyContract(DataGrid* list, std::function<void()> refresh, QWidget* parent)
{
    if (listIsEmpty(list)) {
        ShowMess(QStringLiteral("合同记录是空，不能复制！"), MessInfo);
        return;
    }
    runEditor(list, std::move(refresh), parent, TfrmContractEdit::ModeCopy);
}

void ShowCustomSettings(QWidget* parent)
{
    TfrmZDYset window(parent);
    window.ShowSettings();
}

SqlWithParams RunContractQuery(QWidget* parent)
{
    TDLGcontractCX dialog(parent);
    return dialog.Query();
}

namespace ContractInputs {
void PickType(QLineEdit* typeBox, QWidget* parent)
{
    QString path = typeBox->text();
    if (PickCategory(2, path, parent)) typeBox->setText(path);
}

bool PickParty(QLineEdit* partyBox, QWidget* parent)
{
    const QString chosen = PickClient(partyBox->text(), parent);
    if (chosen.trimmed().isEmpty()) return false;
    partyBox->setText(chosen);
    return true;
}

QString ClientLinkMan(const QString& clientName)
{
    return dmData->QueryString(QStringLiteral("select top 1 F_linkMan from Client where F_name = ? "), {clientName});
}

void FillCodeList(QComboBox* combo, const QString& type)
{
    const QString text = combo->currentText();
    // Code types are compared without regard to case ("empName" is "empname").
    dmData->FillCombo(QStringLiteral("select distinct F_name from t_code where (F_name <> '') and lower(F_type) = ? "),
                      combo, {type.toLower()});
    combo->setEditText(text);
}

QString CustomLabel(int entry) { return AppState().Captions[entry] + QStringLiteral("："); }
}
