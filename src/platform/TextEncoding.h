#pragma once

#include <QByteArray>
#include <QString>

// Text read from files written by this program (UTF-8) or by older
// workstations (Windows-1252).
namespace platform {
// True when the bytes are valid UTF-8.
bool IsValidUtf8(const QByteArray& bytes);
// UTF-8 when valid, else Windows-1252 (the five bytes 1252 leaves undefined
// map to the control characters of the same code). A UTF-8 byte-order mark
// is dropped; `hadBom` tells whether there was one.
QString DecodeText(const QByteArray& bytes, bool* hadBom = nullptr);
QString DecodeWindows1252(const QByteArray& bytes);
// Characters outside Windows-1252 become "?".
QByteArray EncodeWindows1252(const QString& text);
}  // namespace platform
