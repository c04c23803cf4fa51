#include "app/frame/Log.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/frame/TextHelpers.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"

namespace {
bool IsTextLine(const QString& line) {
    for (QChar ch : line) {
        if (ch.unicode() < 0x20 && ch != QLatin1Char('\t')) return false;
    }
    return true;
}

QByteArray Joined(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toUtf8() + '\n';
    return bytes;
}

void MakeParent(const QString& path) { platform::MakePath(QFileInfo(path).path()); }
}  // namespace

void Log::Start(const QString& filePath) { path_ = filePath; }

bool Log::LoadFile() {
    QFile file(path_);
    if (path_.isEmpty() || !file.open(QIODevice::ReadOnly)) return false;
    const qint64 size = file.size();
    const bool cut = size > MaxLoadBytes;
    if (cut) file.seek(size - MaxLoadBytes);
    QByteArray bytes = file.read(MaxLoadBytes);
    if (cut) {
        // Start at the first whole line of the tail.
        const qsizetype eol = bytes.indexOf('\n');
        bytes = eol < 0 ? QByteArray() : bytes.mid(eol + 1);
    }
    QStringList loaded;
    for (QString line : platform::DecodeText(bytes).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.isEmpty()) continue;
        if (IsTextLine(line))
            loaded << line;
        else
            changed_ = true;  // a skipped line: the file is no longer what we hold
    }
    if (cut) changed_ = true;
    lines_ = loaded + lines_;
    return true;
}

void Log::Append(const QString& line) {
    lines_ << line;
    lastLine_ = line;
    changed_ = true;
    if (direct_ && !path_.isEmpty()) {
        MakeParent(path_);
        platform::AppendToFile(path_, line.toUtf8() + '\n');
    }
}

int Log::WriteLog(const QString& message) {
    if (!loggingOn_) return -1;
    Append(DateTimeText(QDateTime::currentDateTime()) + QLatin1Char(' ') + message);
    if (message.startsWith(QLatin1String("ERROR:")) || message.startsWith(QLatin1String("FEIL:"))) {
        ++errors_;
    } else if (message.startsWith(QLatin1String("WARNING:")) ||
               message.startsWith(QLatin1String("ADVARSEL:"))) {
        ++warnings_;
    } else if (message.startsWith(QLatin1String("HINT:"))) {
        ++hints_;
    }
    return 0;
}

int Log::WriteDetail(const QString& message) { return verbose_ ? WriteLog(message) : -1; }

void Log::ClearLog() {
    lines_.clear();
    lastLine_ = DateTimeText(QDateTime::currentDateTime()) +
                QStringLiteral(" LOGGFIL TØMT (TextFile.ClearLog).");
    lines_ << lastLine_;
    errors_ = 0;
    if (!path_.isEmpty()) {
        MakeParent(path_);
        changed_ = !platform::WriteFileAtomic(path_, Joined(lines_));
    }
}

bool Log::WriteFile() {
    if (path_.isEmpty()) return false;
    if (!changed_ && QFileInfo::exists(path_)) return true;
    MakeParent(path_);
    if (!platform::WriteFileAtomic(path_, Joined(lines_))) return false;
    changed_ = false;
    return true;
}
