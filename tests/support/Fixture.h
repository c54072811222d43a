#pragma once
#include "support/Doubles.h"

#include "data/DataDm.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// Each test gets a fresh program folder holding a new database (copied from one
// template made once per test program), a data module connected to it, the
// clock pinned to 2026-03-09 10:00 and "admin" signed in. Messages, modal
// windows and desktop actions go to the scripted doubles.
class KorvanTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString home() const { return dir_.path(); }
    QString dbFile() const;
    Connection& db() { return dm_->ADOcnn(); }
    // Opens a second connection on the same file, as another program instance would.
    std::unique_ptr<Connection> secondConnection() const;

    ScriptedMessages messages;
    ScriptedModals modals;
    RecordingDesktop desktop;

    static QString templateFile();  // the seeded template database

private:
    QTemporaryDir dir_;
    std::unique_ptr<TdmData> dm_;
};
