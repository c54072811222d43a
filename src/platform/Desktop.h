#pragma once
#include <QString>
#include <QStringList>

class QWidget;

// File and folder dialogs and the desktop's own programs. One object serves the
// whole process; tests put a recording double in its place.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Each returns the chosen path, or an empty text when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& dir,
                                 const QString& filter);
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& path,
                                 const QString& filter);
    virtual QString existingDirectory(QWidget* parent, const QString& title, const QString& dir);

    // Opens a file, web address or mailto: address with the program the desktop
    // associates with it. False when nothing could be started.
    virtual bool openDocument(const QString& pathOrUrl);
    // Starts the first of the given programs that is installed; false when none is.
    virtual bool startProgram(const QStringList& candidates, const QStringList& arguments = {});

    static Desktop& instance();
    // Installs a replacement (not owned); nullptr restores the real desktop.
    static void install(Desktop* replacement);
};
