#pragma once
#include "TextEncoding.h"
#include <memory>

struct UConverter;

struct IcuConverterCloser {
    void operator()(UConverter *converter) const;
};
using IcuConverter = std::unique_ptr<UConverter, IcuConverterCloser>;

// A new ICU converter for `encoding`. Converting to the encoding, a character it cannot hold
// becomes "?".
IcuConverter OpenIcuConverter(TextEncoding encoding);
