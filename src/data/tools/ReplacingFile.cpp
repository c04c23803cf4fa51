#include "data/tools/ReplacingFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace sqltools {

ReplacingFile::ReplacingFile(const QString& path)
    : path_(path), temp_(path + QStringLiteral(".tmp")) {}

ReplacingFile::~ReplacingFile() {
    if (!committed_) Abandon();
}

bool ReplacingFile::Open() {
    if (temp_.open(QIODevice::WriteOnly | QIODevice::Truncate)) return true;
    error_ = temp_.errorString();
    return false;
}

void ReplacingFile::Abandon() {
    if (temp_.isOpen()) temp_.close();
    if (!committed_ && temp_.exists()) temp_.remove();
}

bool ReplacingFile::Commit() {
    if (!temp_.isOpen()) {
        error_ = QStringLiteral("filen er ikke åpen");
        return false;
    }
    // A full disk may show only now, when the last buffered bytes go out.
    if (!temp_.flush()) {
        error_ = temp_.errorString();
        Abandon();
        return false;
    }
#ifdef Q_OS_UNIX
    if (::fsync(temp_.handle()) != 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        Abandon();
        return false;
    }
#endif
    temp_.close();
    if (temp_.error() != QFileDevice::NoError) {
        error_ = temp_.errorString();
        Abandon();
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(
        std::filesystem::path(QFile::encodeName(temp_.fileName()).toStdString()),
        std::filesystem::path(QFile::encodeName(path_).toStdString()), ec);
    if (ec) {
        error_ = QString::fromStdString(ec.message());
        Abandon();
        return false;
    }
    committed_ = true;
    return true;
}

}  // namespace sqltools
