#pragma once
#include "support/Fixture.h"

#include "data/SeedData.h"
#include "platform/Password.h"

#include <QDialog>
#include <QStringList>

// Operators with permissions, and the helpers the access tests share.
class AccessTest : public KorvanTest {
protected:
    struct Oper {
        QString name;
        QString password;
        QStringList codes;  // permission codes held
        int scope = 0;
        QString dept;
        bool approve = false;
        bool disabled = false;
        QString mem;
    };

    qint64 addOperator(const Oper& o)
    {
        db().exec(QStringLiteral("insert into OperList(F_Name,F_PassWord,F_Mem,F_Flag,F_shFlag,F_xtFlag,F_dept) "
                                 "values(?,?,?,?,?,?,?)"),
                  {o.name, SavePass(o.password), o.mem, o.disabled ? 1 : 0, o.approve ? 1 : 0, o.scope, o.dept});
        const qint64 id = db().lastInsertId();
        for (const QString& code : o.codes)
            db().exec(QStringLiteral("insert into OperLimit(F_OperName,F_lmtName) values(?,?)"),
                      {o.name, permissionName(code)});
        return id;
    }

    static QString permissionName(const QString& code)
    {
        for (const SeedData::Permission& p : SeedData::permissions())
            if (QLatin1String(p.code) == code) return QString::fromUtf8(p.name);
        ADD_FAILURE() << "no permission " << code.toStdString();
        return {};
    }

    QStringList column(const QString& sql, const QVariantList& params = {})
    {
        const Dataset ds = db().query(sql, params);
        QStringList out;
        for (int r = 0; r < ds.rowCount(); ++r) out << ds.text(r, 0);
        return out;
    }
    QString storedHash(const QString& name)
    {
        return db().scalar(QStringLiteral("select F_PassWord from OperList where F_Name = ?"), {name}).toString();
    }
    QStringList heldPermissions(const QString& name)
    {
        return column(QStringLiteral("select F_lmtName from OperLimit where F_OperName = ? order by F_ID"), {name});
    }

    template <class T> static T* child(QObject* w, const char* name)
    {
        T* c = w->findChild<T*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
};
