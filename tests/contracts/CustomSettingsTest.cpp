#include "support/Fixture.h"

#include "contracts/ContractCommands.h"
#include "contracts/TfrmContractEdit.h"
#include "data/AppState.h"
#include "data/DataGrid.h"
#include "data/MoneyEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

class CustomSettings : public KorvanTest {
protected:
    // Opens the window; `fill` changes its inputs, then "确定" (or "关闭").
    void runSettings(std::function<void(QDialog*)> fill, bool ok = true)
    {
        modals.expect(QStringLiteral("TfrmZDYset"), [&](QDialog* d) {
            fill(d);
            d->findChild<QPushButton*>(ok ? QStringLiteral("btnOK") : QStringLiteral("btnClose"))->click();
            return d->result();
        });
        ShowCustomSettings(nullptr);
    }
    QStringList keyValues()
    {
        const Dataset ds = db().query(QStringLiteral("select F_Value from KeyValue order by F_ID"));
        QStringList out;
        for (int r = 0; r < ds.rowCount(); ++r) out << ds.text(r, 0);
        return out;
    }
    static QLineEdit* box(QDialog* d, const char* name) { return d->findChild<QLineEdit*>(QLatin1String(name)); }
};

TEST_F(CustomSettings, ShowsTheCurrentSettings)
{
    AppState().Captions[7] = QStringLiteral("重量");
    AppState().Captions[14] = QStringLiteral("3");
    AppState().ImeName = QStringLiteral("fcitx");
    dmData->settings().writeBool(QStringLiteral("sys"), QStringLiteral("bZDHTcode"), true);
    runSettings([](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("自定义设置"));
        EXPECT_EQ(box(d, "edtSZ2")->text(), QStringLiteral("重量"));
        EXPECT_EQ(d->findChild<QSpinBox*>(QStringLiteral("seJE"))->value(), 3);
        EXPECT_FALSE(d->findChild<QSpinBox*>(QStringLiteral("seSL"))->isVisibleTo(d));
        EXPECT_FALSE(d->findChild<QSpinBox*>(QStringLiteral("seDJ"))->isVisibleTo(d));
        EXPECT_EQ(d->findChild<QComboBox*>(QStringLiteral("cbbIme"))->currentText(), QStringLiteral("fcitx"));
        EXPECT_TRUE(d->findChild<QCheckBox*>(QStringLiteral("cbZDHTcode"))->isChecked());
        EXPECT_FALSE(d->findChild<QCheckBox*>(QStringLiteral("cbZDcode"))->isChecked());
    }, false);
    EXPECT_EQ(keyValues().value(6), QStringLiteral("自定义数值2"));  // closing saved nothing
}

TEST_F(CustomSettings, MoneyDecimalsGiveTheMoneyFormat)
{
    const struct { int decimals; const char* format; } cases[] = {{0, ",0."}, {1, ",0.0"}, {2, ",0.00"}, {4, ",0.00##"}};
    for (const auto& c : cases) {
        messages.expect(QStringLiteral("当前软件设置更改成功！"));
        runSettings([&](QDialog* d) { d->findChild<QSpinBox*>(QStringLiteral("seJE"))->setValue(c.decimals); });
        EXPECT_EQ(AppState().MoneyFormat, QString::fromLatin1(c.format)) << c.decimals;
        EXPECT_EQ(keyValues().value(13), QString::number(c.decimals));
    }
}

TEST_F(CustomSettings, SavesRowsStateAndSettingsFileAndTheEditorFollowsAtOnce)
{
    messages.expect(QStringLiteral("当前软件设置更改成功！"));
    runSettings([](QDialog* d) {
        box(d, "edtZF1")->setText(QStringLiteral("客户级别 "));
        box(d, "edtRQ3")->clear();
        d->findChild<QComboBox*>(QStringLiteral("cbbIme"))->setEditText(QStringLiteral("ibus"));
        d->findChild<QCheckBox*>(QStringLiteral("cbZDHTcode"))->setChecked(true);
        d->findChild<QCheckBox*>(QStringLiteral("cbZDcode"))->setChecked(true);
    });
    const QStringList rows = keyValues();
    ASSERT_EQ(rows.size(), 14);
    EXPECT_EQ(rows[0], QStringLiteral("客户级别 "));  // as typed
    EXPECT_EQ(rows[1], QStringLiteral("字段2"));      // what the window showed
    EXPECT_EQ(rows[10], QString());
    EXPECT_EQ(AppState().Captions[1], QStringLiteral("客户级别 "));
    EXPECT_TRUE(AppState().AutoContractCode);
    EXPECT_TRUE(AppState().AutoClientCode);
    EXPECT_EQ(AppState().ImeName, QStringLiteral("ibus"));
    IniSettings& ini = dmData->settings();
    EXPECT_TRUE(ini.readBool(QStringLiteral("sys"), QStringLiteral("bZDHTcode")));
    EXPECT_TRUE(ini.readBool(QStringLiteral("sys"), QStringLiteral("bZDcode")));
    EXPECT_EQ(ini.readString(QStringLiteral("Config"), QStringLiteral("CurImeName")), QStringLiteral("ibus"));

    // The next editor shows the captions and a generated code without a restart.
    Dataset list;
    DataGrid grid;
    grid.setDataset(&list);
    modals.expect(QStringLiteral("TfrmContractEdit"), [](QDialog* d) {
        EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("lblZF1"))->text(), QStringLiteral("客户级别 ："));
        EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("lblRQ3"))->text(), QStringLiteral("："));
        EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("lblSZ1"))->text(), QStringLiteral("字段6："));
        auto* code = d->findChild<QLineEdit*>(QStringLiteral("edtcode"));
        EXPECT_EQ(code->text(), QStringLiteral("HT-20260309-001"));
        EXPECT_TRUE(code->isReadOnly());
        return int(QDialog::Rejected);
    });
    NewContract(&grid, [] {}, nullptr);
}

TEST_F(CustomSettings, ACaptionTooLongForItsRowChangesNothing)
{
    const QStringList before = keyValues();
    const QString format = AppState().MoneyFormat;
    messages.expect(QStringLiteral("保存失败"));
    runSettings([](QDialog* d) {
        box(d, "edtZF2")->setText(QString(51, QChar(0x5b57)));
        d->findChild<QSpinBox*>(QStringLiteral("seJE"))->setValue(0);
        d->findChild<QCheckBox*>(QStringLiteral("cbZDHTcode"))->setChecked(true);
        EXPECT_EQ(box(d, "edtZF2")->text().size(), 51);  // no silent cut
    });
    EXPECT_EQ(keyValues(), before);
    EXPECT_EQ(AppState().Captions[2], QStringLiteral("字段2"));
    EXPECT_EQ(AppState().MoneyFormat, format);
    EXPECT_FALSE(AppState().AutoContractCode);
    EXPECT_FALSE(dmData->settings().readBool(QStringLiteral("sys"), QStringLiteral("bZDHTcode")));
}
