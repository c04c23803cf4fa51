#pragma once

#include <QImage>
#include <QString>

// The product's barcode in symbology EAN-128 (GS1-128), through zint.
//
// A product code in GS1 form ("[01]07012345678905", application identifiers in brackets)
// is encoded as GS1-128; any other code as Code 128, the symbology EAN-128 is built on.

// The full encoded text of the product code as the barcode shows it below its bars: for
// GS1 data the identifiers in parentheses ("(01)07012345678905"), otherwise the code itself.
// Empty when the code is empty or cannot be encoded.
QString Ean128Text(const QString& productCode);

// The barcode of an EAN text as a picture: bars `barHeight` modules high, `scale` pixels
// per module, the text below the bars, centred, black on white. A null image when the text
// is empty or cannot be encoded.
QImage RenderEan128(const QString& eanText, int scale = 2, int barHeight = 50);
