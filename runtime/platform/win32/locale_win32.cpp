#include <windows.h>

#include "core/allocator.h"
#include "platform/locale.h"

namespace ql::platform {
namespace {

// Whether GetVersionExA reports the NT family; asked once.
bool IsNTPlatform() {
  static const bool nt = [] {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  }();
  return nt;
}

// Text decoded from a code page into a block of the runtime's allocator.
class WideText {
 public:
  WideText(uint32_t codePage, const char* bytes, int32_t length) {
    if (length <= 0) return;
    count_ = MultiByteToWideChar(codePage, 0, bytes, length, nullptr, 0);
    if (count_ <= 0) return;
    units_ = static_cast<WCHAR*>(Allocate(static_cast<size_t>(count_) * sizeof(WCHAR)));
    if (units_ && MultiByteToWideChar(codePage, 0, bytes, length, units_, count_) != count_) failed_ = true;
  }
  ~WideText() { Release(units_, units_ ? static_cast<size_t>(count_) * sizeof(WCHAR) : 0); }
  WideText(const WideText&) = delete;
  WideText& operator=(const WideText&) = delete;

  bool ok(int32_t length) const { return length == 0 || (units_ && !failed_); }
  const WCHAR* units() const { return units_ ? units_ : L""; }
  int count() const { return units_ ? count_ : 0; }

 private:
  WCHAR* units_ = nullptr;
  int count_ = 0;
  bool failed_ = false;
};

LocaleOrder OrderOf(int result) {
  switch (result) {
    case CSTR_LESS_THAN:
      return LocaleOrder::Less;
    case CSTR_EQUAL:
      return LocaleOrder::Equal;
    case CSTR_GREATER_THAN:
      return LocaleOrder::Greater;
    default:
      return LocaleOrder::Failed;
  }
}

void ReadLocaleText(LCTYPE type, char (&out)[4]) {
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, out, sizeof out) == 0) out[0] = 0;
  out[sizeof out - 1] = 0;
}

}  // namespace

uint16_t UserDefaultLanguage() { return GetUserDefaultLangID(); }

LocaleSeparators UserLocaleSeparators() {
  LocaleSeparators s = {};
  ReadLocaleText(LOCALE_SDECIMAL, s.decimal);
  ReadLocaleText(LOCALE_STHOUSAND, s.thousands);
  return s;
}

LocaleOrder CompareTextIgnoringCase(uint32_t codePage, const char* a, int32_t aLength, const char* b,
                                    int32_t bLength) {
  if (aLength < 0 || bLength < 0) return LocaleOrder::Failed;
  if (!IsNTPlatform()) return OrderOf(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, aLength, b, bLength));
  WideText x(codePage, a, aLength), y(codePage, b, bLength);
  if (!x.ok(aLength) || !y.ok(bLength)) return LocaleOrder::Failed;
  return OrderOf(CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, x.units(), x.count(), y.units(), y.count()));
}

}  // namespace ql::platform
