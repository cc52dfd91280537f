#pragma once

struct UConverter;

// A new ICU converter for code page 936 (GBK); the caller closes it with ucnv_close. Converting
// to GBK, a character the code page cannot hold becomes "?".
UConverter *openGbkConverter();
