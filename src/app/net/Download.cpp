#include "app/net/Download.h"

#include <curl/curl.h>

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <memory>
#include <mutex>

#include "app/frame/AppContext.h"

namespace {
void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;

// A handle with what every request of the program shares: redirects followed,
// an HTTP error status counts as failure, and a stalled transfer gives up.
Easy NewRequest(const QByteArray& url, char* errorBuffer) {
    InitCurlOnce();
    Easy curl(curl_easy_init());
    if (!curl) return curl;
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Varlokken 6.12-732");
    return curl;
}

QString ErrorText(CURLcode code, const char* errorBuffer) {
    if (errorBuffer[0] != '\0') return QString::fromUtf8(errorBuffer);
    return QString::fromUtf8(curl_easy_strerror(code));
}

struct Transfer {
    QFile* file = nullptr;
    const DownloadProgress* progress = nullptr;
    qint64 announced = -1;
    qint64 received = 0;
    bool writeFailed = false;
};

size_t WriteBlock(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const qint64 bytes = static_cast<qint64>(size * count);
    if (transfer->file->write(data, bytes) != bytes) {
        transfer->writeFailed = true;
        return 0;  // curl stops with a write error
    }
    return static_cast<size_t>(bytes);
}

int Progress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(user);
    const qint64 announced = total > 0 ? static_cast<qint64>(total) : -1;
    const qint64 received = static_cast<qint64>(now);
    // Also called while nothing arrives, so a window stays responsive.
    transfer->announced = announced;
    transfer->received = received;
    if (*transfer->progress) (*transfer->progress)(announced, received);
    return 0;
}

bool Fail(const QString& address, const QString& reason) {
    Ctx().log().WriteLog(QStringLiteral("FEIL: nedlasting av ") + address + QStringLiteral(": ") +
                         reason);
    ShowMessage(QStringLiteral("FEIL"), QStringLiteral("Feil i nedlasting av fil"));
    return false;
}
}  // namespace

QString EncodeBlanks(const QString& address) {
    QString encoded = address;
    return encoded.replace(QLatin1Char(' '), QLatin1String("%20"));
}

bool DownloadToFile(const QString& address, const QString& target,
                    const DownloadProgress& progress) {
    const QString url = EncodeBlanks(address);
    const QString partPath = target + QStringLiteral(".part");
    Ctx().log().WriteLog(QStringLiteral("Laster ned ") + url + QStringLiteral(" til ") + target);

    QFile part(partPath);
    if (!part.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return Fail(url, QStringLiteral("kan ikke skrive ") + partPath + QStringLiteral(": ") +
                             part.errorString());
    }
    char errorBuffer[CURL_ERROR_SIZE] = {};
    const QByteArray urlBytes = url.toUtf8();
    Easy curl = NewRequest(urlBytes, errorBuffer);
    if (!curl) {
        part.close();
        part.remove();
        return Fail(url, QStringLiteral("curl_easy_init"));
    }
    Transfer transfer;
    transfer.file = &part;
    transfer.progress = &progress;
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &WriteBlock);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);

    const CURLcode code = curl_easy_perform(c);
    QString reason;
    if (code != CURLE_OK) {
        reason = transfer.writeFailed ? part.errorString() : ErrorText(code, errorBuffer);
    } else if (!part.flush()) {
        reason = part.errorString();
    }
    part.close();
    if (reason.isEmpty() && part.error() != QFileDevice::NoError) reason = part.errorString();
    if (!reason.isEmpty()) {
        QFile::remove(partPath);
        return Fail(url, reason);
    }
    // rename() replaces an existing target in one step.
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(partPath).toStdString(),
                            QFile::encodeName(target).toStdString(), error);
    if (error) {
        QFile::remove(partPath);
        return Fail(url, QString::fromStdString(error.message()));
    }
    Ctx().log().WriteLog(QStringLiteral("Nedlasting ferdig: ") + target + QStringLiteral(" (") +
                         QString::number(QFileInfo(target).size()) + QStringLiteral(" byte)"));
    return true;
}

bool RemoteFileSize(const QString& address, qint64& size, QString* error) {
    size = -1;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    const QByteArray urlBytes = EncodeBlanks(address).toUtf8();
    Easy curl = NewRequest(urlBytes, errorBuffer);
    if (!curl) {
        if (error) *error = QStringLiteral("curl_easy_init");
        return false;
    }
    curl_easy_setopt(curl.get(), CURLOPT_NOBODY, 1L);
    const CURLcode code = curl_easy_perform(curl.get());
    if (code != CURLE_OK) {
        if (error) *error = ErrorText(code, errorBuffer);
        return false;
    }
    curl_off_t length = -1;
    if (curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
        length >= 0) {
        size = static_cast<qint64>(length);
    }
    return true;
}
