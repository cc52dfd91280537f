#pragma once
#include <QStringView>
#include <optional>

// The value of a number written in a heading: Arabic or full-width digits ("12", "１２"), Chinese
// numerals with units ("一百零一", "两千", "壹佰拾") or digit by digit ("一○○", "二〇"). Nothing
// for an empty text, a character that is not a numeral, digits mixed with Chinese numerals, or a
// value past a billion.
std::optional<qint64> ChineseNumberValue(QStringView numeral);

// True for a character that can be part of such a number.
bool IsNumeralChar(QChar c);
