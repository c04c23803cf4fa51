#include "platform/TextEncoding.h"

#include <QStringDecoder>

namespace platform {
namespace {
// Windows-1252 bytes 0x80..0x9F; the undefined ones keep their own code.
const char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

bool IsValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString DecodeText(const QByteArray& bytes, bool* hadBom) {
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    if (hadBom) *hadBom = bom;
    const QByteArray body = bom ? bytes.mid(3) : bytes;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(body);
    if (!decoder.hasError()) return text;
    return DecodeWindows1252(body);
}

QString DecodeWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const unsigned char b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(kHigh[b - 0x80]) : QChar(char16_t(b)));
    }
    return text;
}

QByteArray EncodeWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u < 0x100)) {
            bytes.append(char(u));
            continue;
        }
        char out = '?';
        for (int i = 0; i < 32; ++i) {
            if (kHigh[i] == u) {
                out = char(0x80 + i);
                break;
            }
        }
        bytes.append(out);
    }
    return bytes;
}
}  // namespace platform
