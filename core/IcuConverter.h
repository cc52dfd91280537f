#pragma once
#include "TextEncoding.h"
#include <QStringList>
#include <memory>

struct UConverter;

struct IcuConverterCloser {
    void operator()(UConverter *converter) const;
};
using IcuConverter = std::unique_ptr<UConverter, IcuConverterCloser>;

// A new ICU converter for `encoding`. Converting to the encoding, a character it cannot hold
// becomes "?". Without the converter no novel in the encoding can be read, so a missing one ends
// the program with IcuConvertersMissingMessage on standard error (the start checks first, see
// MissingIcuConverters, so a user sees this in a window rather than here).
IcuConverter OpenIcuConverter(TextEncoding encoding);

// Of the ICU converters named, those the ICU data on this machine cannot open.
QStringList MissingConverters(const QStringList &converterNames);

// The converters of kAllEncodings this machine lacks; empty where ICU is complete.
QStringList MissingIcuConverters();

// The one line that says which converters are missing and what to do about it.
QString IcuConvertersMissingMessage(const QStringList &missing);
