#include "IcuConverter.h"
#include <unicode/ucnv.h>
#include <stdexcept>
#include <string>

void IcuConverterCloser::operator()(UConverter *converter) const
{
    ucnv_close(converter);
}

IcuConverter OpenIcuConverter(TextEncoding encoding)
{
    UErrorCode error = U_ZERO_ERROR;
    IcuConverter converter(ucnv_open(IcuConverterName(encoding), &error));
    if (U_FAILURE(error))
        throw std::runtime_error(std::string("the ICU converter ") + IcuConverterName(encoding)
                                 + " is not available");
    // "?" in the encoding's own bytes.
    const char *question = "?";
    int32_t length = 1;
    if (encoding == TextEncoding::Utf16Le)
        question = "?\0", length = 2;
    else if (encoding == TextEncoding::Utf16Be)
        question = "\0?", length = 2;
    ucnv_setSubstChars(converter.get(), question, length, &error);
    return converter;
}
