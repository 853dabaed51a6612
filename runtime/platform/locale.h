// The user's language and locale: language identifier, number separators and
// the case-insensitive text order of the user default locale.
//
// POSIX has no user locale here (the runtime reads no environment variable):
// it answers as a US English Windows system would, see docs/strings.md.
#pragma once

#include <stdint.h>

namespace ql::platform {

// GetUserDefaultLangID; POSIX: 0x0409 (English, United States).
uint16_t UserDefaultLanguage();

// The user's decimal and thousands separators (LOCALE_SDECIMAL and
// LOCALE_STHOUSAND, at most 3 bytes each), read anew on every call. A failed
// query leaves that separator empty. POSIX: "." and ",".
struct LocaleSeparators {
  char decimal[4];
  char thousands[4];
};
LocaleSeparators UserLocaleSeparators();

enum class LocaleOrder { Less, Equal, Greater, Failed };

// Orders two texts of the given code page in the user default locale with
// case ignored. Win32: CompareStringW on the texts decoded from the code page
// on NT-family systems, CompareStringA on the bytes elsewhere. POSIX: the
// decoded code units compared after simple upper-case mapping.
LocaleOrder CompareTextIgnoringCase(uint32_t codePage, const char* a, int32_t aLength, const char* b,
                                    int32_t bLength);

}  // namespace ql::platform
