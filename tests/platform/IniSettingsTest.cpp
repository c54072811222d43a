#include "platform/IniSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString writeFile(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}
}

TEST(IniSettings, CaseInsensitiveNamesAndDefaults)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "junk line without equals\n[CONFIG]\nDS=/data/x/\nibak=abc\n"
                                        "[set]\nawokeflag=1\n=orphan\n[sys]\nbZDcode=0\n");
    IniSettings ini(path);
    EXPECT_EQ(ini.readString(QStringLiteral("config"), QStringLiteral("ds")), QStringLiteral("/data/x/"));
    EXPECT_EQ(ini.readInt(QStringLiteral("config"), QStringLiteral("ibak"), 0), 0);  // not a number
    EXPECT_TRUE(ini.readBool(QStringLiteral("Set"), QStringLiteral("AwokeFlag")));
    EXPECT_FALSE(ini.readBool(QStringLiteral("sys"), QStringLiteral("bzdcode"), true));
    EXPECT_EQ(ini.readInt(QStringLiteral("set"), QStringLiteral("awokeday"), 7), 7);  // missing key
    EXPECT_EQ(ini.readString(QStringLiteral("nosuch"), QStringLiteral("ds"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST(IniSettings, WritesKeepOtherLinesAndCreateFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    {
        IniSettings ini(path);  // no file yet
        EXPECT_TRUE(ini.writeString(QStringLiteral("Config"), QStringLiteral("CurOperName"), QStringLiteral("张三")));
        EXPECT_TRUE(ini.writeBool(QStringLiteral("set"), QStringLiteral("awokeflag"), true));
        EXPECT_TRUE(ini.writeString(QStringLiteral("config"), QStringLiteral("ds"), QStringLiteral("/a/")));
        EXPECT_TRUE(ini.writeInt(QStringLiteral("CONFIG"), QStringLiteral("ibak"), 2));
        EXPECT_TRUE(ini.writeString(QStringLiteral("config"), QStringLiteral("DS"), QStringLiteral("/b/")));
    }
    IniSettings again(path);
    EXPECT_EQ(again.readString(QStringLiteral("config"), QStringLiteral("curopername")), QStringLiteral("张三"));
    EXPECT_EQ(again.readString(QStringLiteral("config"), QStringLiteral("ds")), QStringLiteral("/b/"));
    EXPECT_EQ(again.readInt(QStringLiteral("config"), QStringLiteral("ibak")), 2);
    EXPECT_EQ(again.readString(QStringLiteral("set"), QStringLiteral("awokeflag")), QStringLiteral("1"));
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(QString::fromUtf8(f.readAll()).count(QStringLiteral("[")), 2);  // one section for config/Config
}
