#include "platform/IniSettings.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {
bool isSectionLine(const QString& line, QString* name)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']'))) return false;
    if (name) *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool splitKeyLine(const QString& line, QString* key, QString* value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'))) return false;
    const int eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0) return false;
    if (key) *key = t.left(eq).trimmed();
    if (value) *value = t.mid(eq + 1).trimmed();
    return true;
}
}

IniSettings::IniSettings(QString path)
{
    if (!path.isEmpty()) load(path);
}

void IniSettings::load(const QString& path)
{
    path_ = path;
    lines_.clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return;
    QTextStream in(&f);
    while (!in.atEnd()) lines_ << in.readLine();
}

int IniSettings::findSection(const QString& section) const
{
    QString name;
    for (int i = 0; i < lines_.size(); ++i)
        if (isSectionLine(lines_[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int IniSettings::findKey(int sectionLine, const QString& key) const
{
    QString k;
    for (int i = sectionLine + 1; i < lines_.size(); ++i) {
        if (isSectionLine(lines_[i], nullptr)) break;
        if (splitKeyLine(lines_[i], &k, nullptr) && k.compare(key, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

QString IniSettings::readString(const QString& section, const QString& key, const QString& def) const
{
    const int s = findSection(section);
    if (s < 0) return def;
    const int k = findKey(s, key);
    if (k < 0) return def;
    QString value;
    splitKeyLine(lines_[k], nullptr, &value);
    return value;
}

int IniSettings::readInt(const QString& section, const QString& key, int def) const
{
    bool ok = false;
    const int v = readString(section, key).toInt(&ok);
    return ok ? v : def;
}

bool IniSettings::readBool(const QString& section, const QString& key, bool def) const
{
    const QString v = readString(section, key).trimmed();
    if (v.isEmpty()) return def;
    bool ok = false;
    const int n = v.toInt(&ok);
    if (ok) return n != 0;
    if (v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (v.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    return def;
}

bool IniSettings::writeString(const QString& section, const QString& key, const QString& value)
{
    const QString line = key + QLatin1Char('=') + value;
    int s = findSection(section);
    if (s < 0) {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty()) lines_ << QString();
        lines_ << QLatin1Char('[') + section + QLatin1Char(']') << line;
        return save();
    }
    const int k = findKey(s, key);
    if (k >= 0) {
        lines_[k] = line;
    } else {
        // After the section's last non-blank line, so the file stays tidy.
        int at = s + 1;
        for (int i = s + 1; i < lines_.size() && !isSectionLine(lines_[i], nullptr); ++i)
            if (!lines_[i].trimmed().isEmpty()) at = i + 1;
        lines_.insert(at, line);
    }
    return save();
}

bool IniSettings::writeInt(const QString& section, const QString& key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool IniSettings::writeBool(const QString& section, const QString& key, bool value)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniSettings::save() const
{
    if (path_.isEmpty()) return false;
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
    QTextStream out(&f);
    for (const QString& l : lines_) out << l << '\n';
    out.flush();
    return f.commit();
}
