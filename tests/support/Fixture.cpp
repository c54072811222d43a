#include "support/Fixture.h"

#include "data/AppState.h"
#include "data/Schema.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>

QString KorvanTest::templateFile()
{
    static QTemporaryDir dir;
    static QString file;
    if (file.isEmpty()) {
        file = dir.filePath(QStringLiteral("template.mdb"));
        auto c = Connection::open(file, Schema::databasePassword(), Connection::OpenMode::Create);
        Schema::create(*c);
    }
    return file;
}

void KorvanTest::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    ProgramFolder::set(dir_.path());
    QDir(dir_.path()).mkpath(QStringLiteral("data"));
    ASSERT_TRUE(QFile::copy(templateFile(), dbFile()));
    Clock::setFixed(QDateTime(QDate(2026, 3, 9), QTime(10, 0, 0)));
    dm_ = std::make_unique<TdmData>();
    dmData = dm_.get();
    dm_->reloadSettings();
    dm_->attach(Connection::open(dbFile(), Schema::databasePassword()));
    AppState() = AppStateRecord{};
    AppState().OperName = QStringLiteral("admin");
    AppState().CanApprove = true;
    for (int i = 1; i <= 11; ++i) AppState().Captions[i] = QStringLiteral("字段%1").arg(i);
    AppState().Captions[12] = AppState().Captions[13] = AppState().Captions[14] = QStringLiteral("2");
}

void KorvanTest::TearDown()
{
    messages.verifyDone();
    modals.verifyDone();
    dm_.reset();
    dmData = nullptr;
    Clock::reset();
}

QString KorvanTest::dbFile() const { return QDir(dir_.path()).filePath(QStringLiteral("data/Contract.mdb")); }

std::unique_ptr<Connection> KorvanTest::secondConnection() const
{
    return Connection::open(dbFile(), Schema::databasePassword());
}
