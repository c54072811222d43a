#pragma once
#include <QString>
#include <QStringList>

// The settings file: INI text with [section] lines and key=value lines. Section
// and key names compare without regard to case; junk lines are kept as they are
// and ignored. Every write goes to disk at once.
class IniSettings {
public:
    explicit IniSettings(QString path = QString());

    void load(const QString& path);
    QString path() const { return path_; }

    QString readString(const QString& section, const QString& key, const QString& def = QString()) const;
    int readInt(const QString& section, const QString& key, int def = 0) const;
    bool readBool(const QString& section, const QString& key, bool def = false) const;

    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInt(const QString& section, const QString& key, int value);
    bool writeBool(const QString& section, const QString& key, bool value);

private:
    int findSection(const QString& section) const;        // index of its header line, or -1
    int findKey(int sectionLine, const QString& key) const;  // index of the key line, or -1
    bool save() const;

    QString path_;
    QStringList lines_;
};
