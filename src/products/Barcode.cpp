#include "products/Barcode.h"

#include <zint.h>

#include <memory>

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using Symbol = std::unique_ptr<zint_symbol, SymbolDeleter>;

// A symbol set up for the text: GS1-128 for bracketed or parenthesised GS1 data, else
// Code 128. Null when the text cannot be encoded.
Symbol Encode(const QString& text, bool render, int scale, int barHeight) {
    if (text.trimmed().isEmpty()) return nullptr;
    Symbol s(ZBarcode_Create());
    if (!s) return nullptr;
    const QByteArray data = text.toUtf8();
    if (text.startsWith(QLatin1Char('['))) {
        s->symbology = BARCODE_GS1_128;
        s->input_mode = GS1_MODE;
    } else if (text.startsWith(QLatin1Char('('))) {
        s->symbology = BARCODE_GS1_128;
        s->input_mode = GS1_MODE | GS1PARENS_MODE;
    } else {
        s->symbology = BARCODE_CODE128;
        s->input_mode = UNICODE_MODE;
    }
    s->show_hrt = 1;
    if (render) {
        s->scale = static_cast<float>(scale) / 2.0f;  // zint's raster X-dimension is 2 pixels
        s->height = static_cast<float>(barHeight);
        s->whitespace_width = 10;
    }
    const int rc =
        render ? ZBarcode_Encode_and_Buffer(
                     s.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                     static_cast<int>(data.size()), 0)
               : ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                                 static_cast<int>(data.size()));
    if (rc >= ZINT_ERROR) return nullptr;
    return s;
}

}  // namespace

QString Ean128Text(const QString& productCode) {
    const QString code = productCode.trimmed();
    Symbol s = Encode(code, false, 1, 1);
    if (!s) return QString();
    return QString::fromUtf8(reinterpret_cast<const char*>(s->text)).trimmed();
}

QImage RenderEan128(const QString& eanText, int scale, int barHeight) {
    Symbol s = Encode(eanText.trimmed(), true, scale, barHeight);
    if (!s || !s->bitmap || s->bitmap_width <= 0 || s->bitmap_height <= 0) return QImage();
    const QImage view(s->bitmap, s->bitmap_width, s->bitmap_height, 3 * s->bitmap_width,
                      QImage::Format_RGB888);
    return view.copy();  // the bitmap goes with the symbol
}
