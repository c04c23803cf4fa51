#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <ostream>
#include <string>

#include "QStringPrint.h"


// Points every folder the program uses (APPDATA, HOME, the XDG folders,
// TMPDIR) and the working directory into a fresh temporary folder, so a test
// never touches the real user's files. Restores everything when it goes away.
class TempHome {
  public:
    // The folder is made where no "tmp" or "temp" stands in its path, since the
    // temporary-file cleaning looks for those words: the working directory (the
    // build tree when run by ctest) unless the checkout itself lies in such a
    // folder, else the user's home.
    TempHome() : dir_(Location() + QStringLiteral("/testhome-XXXXXX")) {
        Set("APPDATA", Path("appdata"));
        Set("HOME", Path("home"));
        Set("XDG_DATA_HOME", Path("home/.local/share"));
        Set("XDG_CONFIG_HOME", Path("home/.config"));
        Set("TMPDIR", Path("systmp"));
        QDir().mkpath(Path("home"));
        QDir().mkpath(Path("systmp"));
        QDir().mkpath(Path("work"));
        oldCwd_ = QDir::currentPath();
        QDir::setCurrent(Path("work"));
    }
    ~TempHome() {
        QDir::setCurrent(oldCwd_);
        for (const auto& [name, value] : saved_) {
            if (value.first)
                qputenv(name.c_str(), value.second);
            else
                qunsetenv(name.c_str());
        }
    }
    static QString Location() {
        auto clean = [](const QString& path) {
            const QString upper = path.toUpper();
            return !upper.contains(QLatin1String("TMP")) && !upper.contains(QLatin1String("TEMP"));
        };
        const QString cwd = QDir::currentPath();
        if (clean(cwd)) return cwd;
        const QString home = QDir::homePath() + QStringLiteral("/.cache/varlokken-tests");
        QDir().mkpath(home);
        return clean(home) ? home : cwd;
    }

    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    QString Path(const QString& relative = QString()) const {
        return relative.isEmpty() ? dir_.path() : dir_.path() + QLatin1Char('/') + relative;
    }
    QString Base() const { return Path("appdata/Sevrante/"); }
    QString WorkDir() const { return Path("work"); }

    void Set(const char* name, const QString& value) {
        Remember(name);
        qputenv(name, value.toLocal8Bit());
    }
    void Unset(const char* name) {
        Remember(name);
        qunsetenv(name);
    }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    }

  private:
    void Remember(const char* name) {
        if (saved_.count(name)) return;
        saved_[name] = {qEnvironmentVariableIsSet(name), qgetenv(name)};
    }

    QTemporaryDir dir_;
    QString oldCwd_;
    std::map<std::string, std::pair<bool, QByteArray>> saved_;
};
