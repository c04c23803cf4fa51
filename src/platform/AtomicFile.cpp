#include "platform/AtomicFile.h"

#include <QFile>
#include <QSaveFile>

namespace platform {
bool WriteFileAtomic(const QString& path, const QByteArray& data, QString* error) {
    QSaveFile file(path);
    // Never fall back to writing the target in place: a half-written file is worse than none.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    if (file.write(data) != data.size()) {
        if (error) *error = file.errorString();
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

bool AppendToFile(const QString& path, const QByteArray& data, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error) *error = file.errorString();
        return false;
    }
    const bool ok = file.write(data) == data.size() && file.flush();
    if (!ok && error) *error = file.errorString();
    return ok;
}
}  // namespace platform
