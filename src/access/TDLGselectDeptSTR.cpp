#include "access/TDLGselectDeptSTR.h"

#include "ui_TDLGselectDeptSTR.h"

#include "access/CheckList.h"
#include "access/OperAccess.h"
#include "data/DataDm.h"
#include "data/WindowKeys.h"
#include "platform/Messages.h"

#include <QSet>

QString DeptListText(const QStringList& names)
{
    QStringList quoted;
    for (QString n : names) quoted << QLatin1Char('\'') + n.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
    return quoted.join(QLatin1Char(','));
}

TDLGselectDeptSTR::TDLGselectDeptSTR(QWidget* parent) : QDialog(parent), ui(new Ui::TDLGselectDeptSTR)
{
    ui->setupUi(this);
    CheckList::makeTwoColumns(ui->clbDept);
    connect(ui->btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    WindowKeys::forEditor(this, ui->btnOk, ui->btnCancel);
}

TDLGselectDeptSTR::~TDLGselectDeptSTR() { delete ui; }

bool TDLGselectDeptSTR::Select(QString& deptText, QWidget* parent)
{
    TDLGselectDeptSTR dlg(parent);
    dlg.setWindowTitle(QStringLiteral("部门选择 "));
    if (!dlg.load(deptText)) {
        ShowMess(QStringLiteral("没有部门选择！"), MessInfo);
        return false;
    }
    DispFormPos(&dlg, 1);
    if (execModal(&dlg) != QDialog::Accepted) return false;
    deptText = dlg.resultText();
    return true;
}

QStringList TDLGselectDeptSTR::namesIn(const QString& deptText)
{
    QString text = deptText;
    text.replace(QStringLiteral("，"), QStringLiteral(","));
    if (text.contains(QLatin1Char('\''))) return TdmData::deptNames(text);
    QStringList names;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!part.trimmed().isEmpty()) names << part.trimmed();
    return names;
}

bool TDLGselectDeptSTR::load(const QString& deptText)
{
    Dataset depts;
    dmData->OpenQuery(
        QStringLiteral("select F_name from t_code where F_name <> '' and F_type = 'dept' order by F_ID"), depts);
    if (depts.isEmpty()) return false;
    QStringList names;
    for (int r = 0; r < depts.rowCount(); ++r) names << depts.text(r, 0);
    CheckList::fill(ui->clbDept, names);
    // A department is ticked when the text names it exactly: a name that is
    // only part of a longer stored name does not widen the operator's scope.
    const QStringList current = namesIn(deptText);
    const QSet<QString> held(current.begin(), current.end());
    for (int r = 0; r < names.size(); ++r) CheckList::setChecked(ui->clbDept, r, held.contains(names[r]));
    return true;
}

QString TDLGselectDeptSTR::resultText() const
{
    QStringList chosen;
    for (const QString& n : CheckList::checkedTexts(ui->clbDept))
        if (!chosen.contains(n)) chosen << n;
    return DeptListText(chosen);
}
