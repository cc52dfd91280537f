#include "GbkConverter.h"
#include <unicode/ucnv.h>
#include <stdexcept>

UConverter *openGbkConverter()
{
    UErrorCode error = U_ZERO_ERROR;
    UConverter *converter = ucnv_open("windows-936", &error);
    if (U_FAILURE(error))
        throw std::runtime_error("the ICU converter windows-936 is not available");
    ucnv_setSubstChars(converter, "?", 1, &error);
    return converter;
}
