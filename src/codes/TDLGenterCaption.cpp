#include "codes/TDLGenterCaption.h"

#include "ui_TDLGenterCaption.h"

#include "codes/CategoryPicker.h"
#include "data/WindowKeys.h"
#include "platform/Messages.h"

namespace {
constexpr int kContractTypes = 2;
constexpr int kDepartments = 8;
}

TDLGenterCaption::TDLGenterCaption(QWidget* parent) : QDialog(parent), ui(new Ui::TDLGenterCaption)
{
    ui->setupUi(this);
    auto* keys = new WindowKeys(this);
    keys->bind(QKeyCombination(Qt::ControlModifier, Qt::Key_S), ui->btnOK, WindowKeys::WhenOff::PassOn);
    connect(ui->btnOK, &QPushButton::clicked, this, &TDLGenterCaption::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->sbPick, &QToolButton::clicked, this, &TDLGenterCaption::sbPickClick);
    setPickMode(0);
}

TDLGenterCaption::~TDLGenterCaption() { delete ui; }

void TDLGenterCaption::setPrompt(const QString& prompt)
{
    setWindowTitle(prompt);
    ui->lblPrompt->setText(prompt);
    if (pickMode_ < 0) setPickMode(pickMode_);
}

void TDLGenterCaption::setText(const QString& text)
{
    ui->edtCaption->setText(text);
    ui->edtCaption->selectAll();
}

QString TDLGenterCaption::text() const { return ui->edtCaption->text(); }

void TDLGenterCaption::setPickMode(int mode)
{
    pickMode_ = mode;
    ui->sbPick->setVisible(mode != 0);
}

void TDLGenterCaption::btnOKClick()
{
    if (ui->edtCaption->text().trimmed().isEmpty()) {
        ShowMess(QStringLiteral("部门名称不能为空！"), MessInfo);
        ui->edtCaption->setFocus();
        return;
    }
    accept();
}

void TDLGenterCaption::sbPickClick()
{
    int mode = pickMode_;
    if (mode < 0) mode = ui->lblPrompt->text() == QStringLiteral("部门名称") ? kDepartments : kContractTypes;
    QString path = ui->edtCaption->text();
    if (PickCategory(mode, path, this)) ui->edtCaption->setText(path);
}
