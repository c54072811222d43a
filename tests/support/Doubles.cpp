#include "support/Doubles.h"

#include "platform/Messages.h"

#include <gtest/gtest.h>

ScriptedMessages::ScriptedMessages()
{
    Gateways::setMessageHandler([this](const QString& text, int kind) {
        shown_ << text;
        kinds_ << kind;
        if (queue_.empty()) {
            ADD_FAILURE() << "unexpected message: " << text.toStdString();
            return 2;
        }
        const Expected e = queue_.front();
        queue_.pop_front();
        EXPECT_TRUE(text.contains(e.fragment))
            << "message \"" << text.toStdString() << "\" where \"" << e.fragment.toStdString() << "\" was expected";
        return e.answer;
    });
}

ScriptedMessages::~ScriptedMessages() { Gateways::setMessageHandler(nullptr); }

ScriptedMessages& ScriptedMessages::expect(const QString& fragment, int answer)
{
    queue_.push_back({fragment, answer});
    return *this;
}

void ScriptedMessages::verifyDone()
{
    for (const Expected& e : queue_) ADD_FAILURE() << "message never shown: " << e.fragment.toStdString();
    queue_.clear();
}

void ScriptedMessages::clear()
{
    shown_.clear();
    kinds_.clear();
}

ScriptedModals::ScriptedModals()
{
    Gateways::setModalHandler([this](QDialog* dialog) {
        const QString cls = QString::fromLatin1(dialog->metaObject()->className());
        if (queue_.empty()) {
            ADD_FAILURE() << "unexpected modal window: " << cls.toStdString();
            return int(QDialog::Rejected);
        }
        Expected e = std::move(queue_.front());
        queue_.pop_front();
        EXPECT_EQ(cls.toStdString(), e.className.toStdString());
        return e.driver(dialog);
    });
}

ScriptedModals::~ScriptedModals() { Gateways::setModalHandler(nullptr); }

ScriptedModals& ScriptedModals::expect(const QString& className, Driver driver)
{
    queue_.push_back({className, std::move(driver)});
    return *this;
}

void ScriptedModals::verifyDone()
{
    for (const Expected& e : queue_) ADD_FAILURE() << "modal window never shown: " << e.className.toStdString();
    queue_.clear();
}

RecordingDesktop::RecordingDesktop() { Desktop::install(this); }
RecordingDesktop::~RecordingDesktop() { Desktop::install(nullptr); }

namespace {
QString next(std::deque<QString>& answers)
{
    if (answers.empty()) return {};
    QString a = answers.front();
    answers.pop_front();
    return a;
}
}

QString RecordingDesktop::openFileName(QWidget*, const QString& title, const QString&, const QString&)
{
    dialogTitles << title;
    return next(answers);
}

QString RecordingDesktop::saveFileName(QWidget*, const QString& title, const QString&, const QString&)
{
    dialogTitles << title;
    return next(answers);
}

QString RecordingDesktop::existingDirectory(QWidget*, const QString& title, const QString&)
{
    dialogTitles << title;
    return next(answers);
}

bool RecordingDesktop::openDocument(const QString& pathOrUrl)
{
    opened << pathOrUrl;
    return true;
}

bool RecordingDesktop::startProgram(const QStringList& candidates, const QStringList&)
{
    if (!programsInstalled) return false;
    started << candidates.value(0);
    return true;
}
