#include "AccessTestSupport.h"

#include "access/OperAccess.h"
#include "access/TfrmModPass.h"
#include "data/AppState.h"
#include "platform/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class ModPass : public AccessTest {
protected:
    // Opens the password window through command 102's entry and types the three inputs.
    void change(const QString& oldPass, const QString& newPass, const QString& again)
    {
        modals.expect("TfrmModPass", [&](QDialog* d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("更改密码"));
            EXPECT_EQ(child<QLabel>(d, "lblOperName")->text(),
                      QStringLiteral("当前操作员：") + AppState().OperName + QLatin1Char(' '));
            child<QLineEdit>(d, "edtOldPass")->setText(oldPass);
            child<QLineEdit>(d, "edtNewPass")->setText(newPass);
            child<QLineEdit>(d, "edtNewPass2")->setText(again);
            leftNew = QStringLiteral("still open");
            QObject::connect(d, &QDialog::finished, [d] {
                // The new-password inputs as the window leaves them.
                leftNew = child<QLineEdit>(d, "edtNewPass")->text() + QLatin1Char('|') +
                          child<QLineEdit>(d, "edtNewPass2")->text();
            });
            child<QPushButton>(d, "btnOk")->click();
            EXPECT_NE(leftNew, QStringLiteral("still open"));  // the window closes whatever happened
            return d->result();
        });
        ShowModPass(nullptr);
    }
    static inline QString leftNew;
};

TEST_F(ModPass, ChecksTheOldPasswordAndComparesTheNewOnesTrimmed)
{
    addOperator({QStringLiteral("张三"), QStringLiteral("old")});
    AppState().OperName = QStringLiteral("张三");
    const QString before = storedHash(QStringLiteral("张三"));

    messages.expect(QStringLiteral("旧口令输入错误，不能更改！"));
    change(QStringLiteral("old "), QStringLiteral("x"), QStringLiteral("x"));
    messages.expect(QStringLiteral("新口令错误，不能更改！"));
    change(QStringLiteral("old"), QStringLiteral("new1"), QStringLiteral("new2"));
    EXPECT_EQ(leftNew, QStringLiteral("|"));
    EXPECT_EQ(messages.kinds(), (QList<int>{MessWarning, MessInfo}));
    EXPECT_EQ(storedHash(QStringLiteral("张三")), before);

    // Confirmed without its trailing blank, the new password is kept with it.
    messages.expect(QStringLiteral("更改口令成功！"));
    change(QStringLiteral("old"), QStringLiteral("new "), QStringLiteral("new"));
    EXPECT_TRUE(CheckPass(storedHash(QStringLiteral("张三")), QStringLiteral("new ")));
    EXPECT_FALSE(CheckPass(storedHash(QStringLiteral("张三")), QStringLiteral("new")));
}

TEST_F(ModPass, AnEmptyPasswordCanBeSetAndTheNameMatchesInAnyCase)
{
    AppState().OperName = QStringLiteral("ADMIN");
    messages.expect(QStringLiteral("更改口令成功！"));
    change(QString(), QStringLiteral("s3cret"), QStringLiteral("s3cret"));
    EXPECT_TRUE(CheckPass(storedHash(QStringLiteral("admin")), QStringLiteral("s3cret")));
    messages.expect(QStringLiteral("更改口令成功！"));
    change(QStringLiteral("s3cret"), QString(), QString());
    EXPECT_TRUE(CheckPass(storedHash(QStringLiteral("admin")), QString()));

    // An operator whose row is gone: nothing happens and the window closes.
    AppState().OperName = QStringLiteral("已删除");
    change(QString(), QStringLiteral("x"), QStringLiteral("x"));
    EXPECT_TRUE(CheckPass(storedHash(QStringLiteral("admin")), QString()));
}
