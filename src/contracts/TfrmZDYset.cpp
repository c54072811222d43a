#include "contracts/TfrmZDYset.h"
#include "ui_TfrmZDYset.h"

#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/PubUnit.h"
#include "data/WindowKeys.h"
#include "platform/Messages.h"

#include <QEvent>
#include <QStandardPaths>
#include <array>

namespace {
const QString kSys = QStringLiteral("sys");
const QString kConfig = QStringLiteral("Config");
}

TfrmZDYset::TfrmZDYset(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmZDYset)
{
    ui->setupUi(this);
    // Quantities and unit prices keep their rows but are not offered here.
    for (QWidget* w : {static_cast<QWidget*>(ui->lblSL), static_cast<QWidget*>(ui->seSL),
                       static_cast<QWidget*>(ui->lblDJ), static_cast<QWidget*>(ui->seDJ)})
        w->hide();
    ui->lblHint->setBackgroundRole(QPalette::ToolTipBase);
    connect(ui->btnOK, &QPushButton::clicked, this, &TfrmZDYset::btnOKClick);
    connect(ui->btnClose, &QPushButton::clicked, this, &QDialog::reject);
    ui->cbbIme->installEventFilter(this);
    WindowKeys::forEditor(this, ui->btnOK, ui->btnClose);
    FormShow();
}

TfrmZDYset::~TfrmZDYset() { delete ui; }

void TfrmZDYset::ShowSettings()
{
    ApplyImeToControls(this);
    execModal(this);
}

void TfrmZDYset::FormShow()
{
    const AppStateRecord& s = AppState();
    ui->cbbIme->setEditText(s.ImeName);
    QLineEdit* boxes[] = {ui->edtZF1, ui->edtZF2, ui->edtZF3, ui->edtZF4, ui->edtZF5, ui->edtSZ1,
                          ui->edtSZ2, ui->edtSZ3, ui->edtRQ1, ui->edtRQ2, ui->edtRQ3};
    for (int i = 0; i < 11; ++i) boxes[i]->setText(s.Captions[i + 1]);
    ui->seSL->setValue(s.decimals(12));
    ui->seDJ->setValue(s.decimals(13));
    ui->seJE->setValue(s.decimals(14));
    ui->cbZDcode->setChecked(dmData->settings().readBool(kSys, QStringLiteral("bZDcode"), false));
    ui->cbZDHTcode->setChecked(dmData->settings().readBool(kSys, QStringLiteral("bZDHTcode"), false));
}

QStringList TfrmZDYset::InstalledInputMethods()
{
    // The desktop's input-method frameworks: the one in use first, then any
    // other that is installed.
    QStringList names;
    auto add = [&names](const QString& n) {
        if (!n.isEmpty() && !names.contains(n, Qt::CaseInsensitive)) names << n;
    };
    add(qEnvironmentVariable("QT_IM_MODULE").trimmed());
    const QString xmod = qEnvironmentVariable("XMODIFIERS");
    if (const int at = xmod.indexOf(QStringLiteral("@im=")); at >= 0) add(xmod.mid(at + 4).trimmed());
    for (const char* program : {"fcitx5", "fcitx", "ibus", "scim", "uim"})
        if (!QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty()) add(QString::fromLatin1(program));
    return names;
}

void TfrmZDYset::btnOKClick()
{
    QLineEdit* boxes[] = {ui->edtZF1, ui->edtZF2, ui->edtZF3, ui->edtZF4, ui->edtZF5, ui->edtSZ1,
                          ui->edtSZ2, ui->edtSZ3, ui->edtRQ1, ui->edtRQ2, ui->edtRQ3};
    std::array<QString, 15> captions;
    for (int i = 0; i < 11; ++i) captions[i + 1] = boxes[i]->text();
    captions[12] = QString::number(ui->seSL->value());
    captions[13] = QString::number(ui->seDJ->value());
    captions[14] = QString::number(ui->seJE->value());

    // The rows first: when they cannot be written, nothing changes anywhere.
    try {
        Connection& c = dmData->ADOcnn();
        auto tx = c.transaction(true);
        const Dataset rows = c.query(QStringLiteral("select F_ID from KeyValue order by F_ID"));
        for (int n = 1; n <= 14; ++n) {
            if (n <= rows.rowCount())
                c.exec(QStringLiteral("update KeyValue set F_Value = ? where F_ID = ?"),
                       {captions[n], rows.value(n - 1, 0)});
            else  // a table short of rows gets the missing ones back
                c.exec(QStringLiteral("insert into KeyValue(F_Value) values(?)"), {captions[n]});
        }
        tx.commit();
    } catch (const DbError& e) {
        ShowMess(QStringLiteral("保存失败，请检测数据库连接！") + QLatin1Char('\n') + e.message(), MessError);
        return;
    }

    AppStateRecord& s = AppState();
    for (int n = 1; n <= 14; ++n) s.Captions[n] = captions[n];
    s.MoneyFormat = TdmData::NumberFormat(ui->seJE->value(), 3);
    s.ImeName = ui->cbbIme->currentText();
    s.AutoClientCode = ui->cbZDcode->isChecked();
    s.AutoContractCode = ui->cbZDHTcode->isChecked();
    IniSettings& ini = dmData->settings();
    ini.writeString(kConfig, QStringLiteral("CurImeName"), s.ImeName);
    ini.writeBool(kSys, QStringLiteral("bZDcode"), s.AutoClientCode);
    ini.writeBool(kSys, QStringLiteral("bZDHTcode"), s.AutoContractCode);
    ShowMess(QStringLiteral("当前软件设置更改成功！"), MessInfo);
    accept();
}

bool TfrmZDYset::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->cbbIme && event->type() == QEvent::FocusIn) {
        const QString text = ui->cbbIme->currentText();
        ui->cbbIme->clear();
        ui->cbbIme->addItems(InstalledInputMethods());
        ui->cbbIme->setEditText(text);
    }
    return QDialog::eventFilter(watched, event);
}
