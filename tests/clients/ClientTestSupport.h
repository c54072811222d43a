#pragma once
#include "support/Fixture.h"

#include <QDialog>
#include <QLineEdit>
#include <QStringList>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

// A database with a few client categories and the helpers the client tests share.
class ClientTest : public KorvanTest {
protected:
    void SetUp() override
    {
        KorvanTest::SetUp();
        // 企业集团 begins with the name of its sibling 企业.
        addCategory("001", "企业", "\\\\企业");
        addCategory("001001", "国企", "\\\\企业\\国企");
        addCategory("002", "企业集团", "\\\\企业集团");
        addCategory("003", "个人", "\\\\个人");
    }

    void addCategory(const char* code, const char* name, const char* path)
    {
        db().exec(QStringLiteral("insert into t_treecode(F_code,F_name,F_likecode,F_flag) values(?,?,?,'clttype')"),
                  {QString::fromUtf8(code), QString::fromUtf8(name), QString::fromUtf8(path)});
    }

    void addClient(const QString& code, const QString& name, const QString& type = QString(), bool disabled = false,
                   const QString& linkMan = QString(), const QString& address = QString())
    {
        db().exec(QStringLiteral("insert into Client(F_Code,F_Name,F_Type,F_useFlag,F_LinkMan,F_Address) "
                                 "values(?,?,?,?,?,?)"),
                  {code, name, type, disabled ? 1 : 0, linkMan, address});
    }

    QStringList column(const QString& sql, const QVariantList& params = {})
    {
        const Dataset ds = db().query(sql, params);
        QStringList out;
        for (int r = 0; r < ds.rowCount(); ++r) out << ds.text(r, 0);
        return out;
    }
    QStringList storedCodes() { return column(QStringLiteral("select F_Code from Client order by F_Code")); }

    static QString field(const Dataset& ds, int row, const char* name)
    {
        return ds.text(row, ds.fieldIndex(QLatin1String(name)));
    }
    static QStringList names(const Dataset& ds)
    {
        QStringList out;
        for (int r = 0; r < ds.rowCount(); ++r) out << field(ds, r, "F_Name");
        return out;
    }

    template <class T> static T* child(QObject* w, const char* name)
    {
        T* c = w->findChild<T*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void setText(QObject* w, const char* name, const QString& text) { child<QLineEdit>(w, name)->setText(text); }

    static QTreeWidgetItem* node(QTreeWidget* tree, const QString& text)
    {
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->text(0) == text) return *it;
        ADD_FAILURE() << "no tree node " << text.toStdString();
        return nullptr;
    }
    static void doubleClick(QTreeWidget* tree, const QString& text)
    {
        QTreeWidgetItem* n = node(tree, text);
        if (n) emit tree->itemDoubleClicked(n, 0);
    }
};
