#include "platform/FileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace platform {
int MakeFolder(const QString& path) {
    const QByteArray native = QFile::encodeName(QDir::cleanPath(path));
    if (::mkdir(native.constData(), 0777) == 0) return 0;
    return errno ? errno : EIO;
}

int MakePath(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    if (QFileInfo(clean).isDir()) return 0;
    const QString parent = QFileInfo(clean).path();
    if (parent != clean && !QFileInfo(parent).isDir()) {
        if (int code = MakePath(parent)) return code;
    }
    const int code = MakeFolder(clean);
    return code == EEXIST && QFileInfo(clean).isDir() ? 0 : code;
}

bool IsReadOnlyFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) return false;
    // A file without any write permission counts as read-only even for root.
    return ::access(native.constData(), W_OK) != 0 || (st.st_mode & 0222) == 0;
}

bool IsOwnRegularFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) return false;
    return S_ISREG(st.st_mode) && st.st_uid == ::getuid();
}

QString CanonicalFolder(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(path).absolutePath()) : canonical;
}

bool IsInsideFolder(const QString& path, const QString& folder) {
    const QString base = CanonicalFolder(folder);
    // Resolve the longest existing part of `path`, keep the rest as written.
    QString existing = QDir::cleanPath(QDir(path).absolutePath());
    QString rest;
    while (!QFileInfo::exists(existing) && existing != QStringLiteral("/")) {
        const QFileInfo info(existing);
        rest = rest.isEmpty() ? info.fileName() : info.fileName() + QLatin1Char('/') + rest;
        existing = info.path();
    }
    QString full = CanonicalFolder(existing);
    if (!rest.isEmpty()) full = QDir::cleanPath(full + QLatin1Char('/') + rest);
    return full == base || full.startsWith(base.endsWith('/') ? base : base + QLatin1Char('/'));
}
}  // namespace platform
