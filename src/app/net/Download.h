#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

// Progress of a transfer: the size the server announced (-1 while unknown)
// and the bytes received so far. Called on the calling thread, often.
using DownloadProgress = std::function<void(qint64 announced, qint64 received)>;

// The address as it is sent: every blank replaced by "%20".
QString EncodeBlanks(const QString& address);

// Fetches `address` over HTTP(S) into `target`: the bytes go to target +
// ".part" (created or replaced); only a complete transfer replaces the target
// (rename over it). On any failure the ".part" file is removed, the target is
// left as it was, the failure is logged and "Feil i nedlasting av fil"
// (caption "FEIL") is shown. True on success.
bool DownloadToFile(const QString& address, const QString& target,
                    const DownloadProgress& progress = {});

// A header request for `address`: true when the server answered with
// success; `size` is the announced length, -1 when it sent none. On failure
// `error` (when given) says why; nothing is shown.
bool RemoteFileSize(const QString& address, qint64& size, QString* error = nullptr);
