#include "support/Fixture.h"

#include "app/ProgramFiles.h"
#include "app/Startup.h"

#include <QDir>
#include <QFile>

class ProgramFiles : public KorvanTest {};

TEST_F(ProgramFiles, HelpFilesAndFoldersAppearWithoutOverwriting)
{
    QFile own(QDir(home()).filePath(QStringLiteral("readme.txt")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("mine");
    own.close();
    DeployProgramFiles();
    for (const char* f : {"whatisnew.txt", "help.html", "Qr", "temp", "images"})
        EXPECT_TRUE(QFileInfo::exists(QDir(home()).filePath(QString::fromLatin1(f)))) << f;
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    EXPECT_EQ(own.readAll(), QByteArray("mine"));
}

TEST(StartupArguments, HomeFolder)
{
    EXPECT_EQ(Startup::homeArgument({QStringLiteral("korvan"), QStringLiteral("--home"), QStringLiteral("/x")}), QStringLiteral("/x"));
    EXPECT_EQ(Startup::homeArgument({QStringLiteral("korvan"), QStringLiteral("--home=/y")}), QStringLiteral("/y"));
    EXPECT_EQ(Startup::homeArgument({QStringLiteral("korvan"), QStringLiteral("--home")}), QString());
}
