#pragma once
#include "platform/Desktop.h"

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

// Answers the expected message boxes in order; any other message fails the test.
class ScriptedMessages {
public:
    ScriptedMessages();
    ~ScriptedMessages();
    // The next message must contain `fragment`; it is answered with `answer`.
    ScriptedMessages& expect(const QString& fragment, int answer = 1);
    void verifyDone();  // fails the test when expected messages were never shown
    const QStringList& shown() const { return shown_; }
    QList<int> kinds() const { return kinds_; }
    void clear();

private:
    struct Expected { QString fragment; int answer; };
    std::deque<Expected> queue_;
    QStringList shown_;
    QList<int> kinds_;
};

// Drives modal windows: each expected window is handed to a callback that fills
// its inputs and returns the result (QDialog::Accepted or Rejected).
class ScriptedModals {
public:
    using Driver = std::function<int(QDialog*)>;
    ScriptedModals();
    ~ScriptedModals();
    ScriptedModals& expect(const QString& className, Driver driver);
    void verifyDone();

private:
    struct Expected { QString className; Driver driver; };
    std::deque<Expected> queue_;
};

// A desktop that answers file dialogs from a script and records what it was asked to open.
class RecordingDesktop : public Desktop {
public:
    RecordingDesktop();
    ~RecordingDesktop() override;
    QString openFileName(QWidget*, const QString& title, const QString&, const QString&) override;
    QString saveFileName(QWidget*, const QString& title, const QString&, const QString&) override;
    QString existingDirectory(QWidget*, const QString& title, const QString&) override;
    bool openDocument(const QString& pathOrUrl) override;
    bool startProgram(const QStringList& candidates, const QStringList& arguments) override;

    std::deque<QString> answers;   // paths handed out by the dialogs in order; "" is cancel
    QStringList dialogTitles;      // titles of the dialogs shown
    QStringList opened;            // documents opened
    QStringList started;           // first candidate of each program started
    bool programsInstalled = true;
};
