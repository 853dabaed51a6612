// Code pages without Windows: own code for 1252, UTF-8 and UTF-16, iconv for
// the rest. Results follow MultiByteToWideChar/WideCharToMultiByte with flags
// 0: invalid UTF-8 becomes U+FFFD, characters a code page lacks become "?".
#include <errno.h>
#include <iconv.h>
#include <string.h>

#include "platform/codepage.h"

namespace ql::platform {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Windows 1252 from 0x80 to 0x9F; the five bytes it leaves undefined map to
// the C1 control of the same value, as Windows does.
constexpr char16_t kWinLatin1High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t UnitAt(const void* units, int32_t i) {
  const unsigned char* p = static_cast<const unsigned char*>(units) + 2 * i;
  return static_cast<char16_t>(p[0] | (p[1] << 8));
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Collects output, or only counts it when there is no buffer. Overflowing a
// given buffer is a failure, as with the Windows calls.
template <class T>
struct Sink {
  T* out;
  int32_t capacity;
  int32_t count = 0;
  bool overflow = false;
  void Put(T value) {
    if (out) {
      if (count >= capacity) {
        overflow = true;
        return;
      }
      out[count] = value;
    }
    ++count;
  }
  int32_t Result() const { return overflow ? 0 : count; }
};

// --- Windows 1252 ---

int32_t DecodeWinLatin1(const char* bytes, int32_t length, Sink<char16_t>& sink) {
  for (int32_t i = 0; i < length; ++i) {
    const uint8_t b = static_cast<uint8_t>(bytes[i]);
    sink.Put(b >= 0x80 && b < 0xA0 ? kWinLatin1High[b - 0x80] : static_cast<char16_t>(b));
  }
  return sink.Result();
}

char EncodeWinLatin1Unit(char16_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  for (int i = 0; i < 32; ++i)
    if (kWinLatin1High[i] == u) return static_cast<char>(0x80 + i);
  return '?';
}

int32_t EncodeWinLatin1(const void* units, int32_t count, Sink<char>& sink) {
  // Code unit by code unit, as the system's table conversion: a surrogate
  // pair gives two default characters.
  for (int32_t i = 0; i < count; ++i) sink.Put(EncodeWinLatin1Unit(UnitAt(units, i)));
  return sink.Result();
}

// --- UTF-8 ---

// Length of a well-formed sequence starting at bytes[i], 0 when it is not
// one; `valid` counts the bytes of its maximal well-formed prefix.
int SequenceLength(const uint8_t* p, int32_t remaining, uint32_t* codePoint, int* valid) {
  const uint8_t lead = p[0];
  int need;
  uint32_t cp;
  uint8_t lo = 0x80, hi = 0xBF;
  if (lead < 0x80) {
    *codePoint = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    need = 1, cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need = 2, cp = lead & 0x0F;
    if (lead == 0xE0) lo = 0xA0;
    if (lead == 0xED) hi = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need = 3, cp = lead & 0x07;
    if (lead == 0xF0) lo = 0x90;
    if (lead == 0xF4) hi = 0x8F;
  } else {
    *valid = 1;
    return 0;
  }
  for (int k = 1; k <= need; ++k) {
    if (k >= remaining || p[k] < lo || p[k] > hi) {
      *valid = k;
      return 0;
    }
    cp = (cp << 6) | (p[k] & 0x3F);
    lo = 0x80, hi = 0xBF;
  }
  *codePoint = cp;
  return need + 1;
}

int32_t DecodeUTF8(const char* bytes, int32_t length, Sink<char16_t>& sink) {
  const uint8_t* p = reinterpret_cast<const uint8_t*>(bytes);
  int32_t i = 0;
  while (i < length) {
    uint32_t cp = 0;
    int valid = 1;
    const int n = SequenceLength(p + i, length - i, &cp, &valid);
    if (n == 0) {
      sink.Put(kReplacement);  // one per maximal ill-formed subpart
      i += valid;
      continue;
    }
    i += n;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      sink.Put(static_cast<char16_t>(0xD800 + (cp >> 10)));
      sink.Put(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      sink.Put(static_cast<char16_t>(cp));
    }
  }
  return sink.Result();
}

int32_t EncodeUTF8(const void* units, int32_t count, Sink<char>& sink) {
  for (int32_t i = 0; i < count; ++i) {
    uint32_t cp = UnitAt(units, i);
    if (IsHighSurrogate(static_cast<char16_t>(cp)) && i + 1 < count && IsLowSurrogate(UnitAt(units, i + 1))) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (UnitAt(units, ++i) - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;  // a lone surrogate
    }
    if (cp < 0x80) {
      sink.Put(static_cast<char>(cp));
    } else if (cp < 0x800) {
      sink.Put(static_cast<char>(0xC0 | (cp >> 6)));
      sink.Put(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      sink.Put(static_cast<char>(0xE0 | (cp >> 12)));
      sink.Put(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      sink.Put(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      sink.Put(static_cast<char>(0xF0 | (cp >> 18)));
      sink.Put(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      sink.Put(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      sink.Put(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return sink.Result();
}

// --- UTF-16 (bytes in little-endian order) ---

int32_t DecodeUTF16(const char* bytes, int32_t length, Sink<char16_t>& sink) {
  for (int32_t i = 0; i + 1 < length; i += 2) sink.Put(UnitAt(bytes, i / 2));
  return sink.Result();
}

int32_t EncodeUTF16(const void* units, int32_t count, Sink<char>& sink) {
  const char* p = static_cast<const char*>(units);
  for (int32_t i = 0; i < 2 * count; ++i) sink.Put(p[i]);
  return sink.Result();
}

// --- Other code pages through iconv ---

struct IconvName {
  uint32_t codePage;
  const char* name;
};

// The code pages of the runtime's encoding map that the C library knows.
constexpr IconvName kIconvNames[] = {
    {37, "IBM037"},        {437, "CP437"},         {708, "ASMO-708"},      {737, "CP737"},
    {775, "CP775"},        {850, "CP850"},         {851, "CP851"},         {852, "CP852"},
    {855, "CP855"},        {857, "CP857"},         {860, "CP860"},         {861, "CP861"},
    {862, "CP862"},        {863, "CP863"},         {864, "CP864"},         {865, "CP865"},
    {866, "CP866"},        {869, "CP869"},         {874, "WINDOWS-874"},   {932, "WINDOWS-31J"},
    {936, "WINDOWS-936"},  {949, "UHC"},           {950, "CP950"},         {1250, "WINDOWS-1250"},
    {1251, "WINDOWS-1251"}, {1253, "WINDOWS-1253"}, {1254, "WINDOWS-1254"}, {1255, "WINDOWS-1255"},
    {1256, "WINDOWS-1256"}, {1257, "WINDOWS-1257"}, {1258, "WINDOWS-1258"}, {1361, "JOHAB"},
    {10000, "MACINTOSH"},  {10007, "MAC-CYRILLIC"}, {10079, "MAC-IS"},     {50220, "ISO-2022-JP"},
    {51932, "EUC-JP"},
};

const char* IconvNameFor(uint32_t codePage) {
  for (const IconvName& n : kIconvNames)
    if (n.codePage == codePage) return n.name;
  return nullptr;
}

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Runs the input through in small steps; `unit` is the input step to skip
  // past a byte sequence the target cannot take, `replace` is then written.
  template <class T>
  bool Run(const char* in, size_t inLeft, size_t unit, const char* replace, size_t replaceLength, Sink<T>& sink) {
    char* input = const_cast<char*>(in);
    bool flushing = false;
    for (;;) {
      char chunk[256];
      char* output = chunk;
      size_t outLeft = sizeof chunk;
      const size_t r = flushing ? iconv(cd_, nullptr, nullptr, &output, &outLeft)
                                : iconv(cd_, &input, &inLeft, &output, &outLeft);
      const int error = r == static_cast<size_t>(-1) ? errno : 0;
      Emit(chunk, static_cast<size_t>(output - chunk), sink);
      if (error == E2BIG) continue;
      if (error == EILSEQ || error == EINVAL) {
        Emit(replace, replaceLength, sink);
        const size_t skip = inLeft < unit ? inLeft : unit;
        input += skip;
        inLeft -= skip;
        continue;
      }
      if (error) return false;
      if (flushing) return true;
      flushing = true;  // shift states write their closing sequence
    }
  }

 private:
  template <class T>
  static void Emit(const char* bytes, size_t n, Sink<T>& sink) {
    for (size_t i = 0; i + sizeof(T) <= n; i += sizeof(T)) {
      T value;
      memcpy(&value, bytes + i, sizeof(T));
      sink.Put(value);
    }
  }

  iconv_t cd_;
};

int32_t DecodeIconv(const char* name, const char* bytes, int32_t length, Sink<char16_t>& sink) {
  Converter c("UTF-16LE", name);
  static const char16_t replacement = kReplacement;
  if (!c.ok() || !c.Run(bytes, static_cast<size_t>(length), 1, reinterpret_cast<const char*>(&replacement), 2, sink))
    return 0;
  return sink.Result();
}

int32_t EncodeIconv(const char* name, const void* units, int32_t count, Sink<char>& sink) {
  Converter c(name, "UTF-16LE");
  if (!c.ok() || !c.Run(static_cast<const char*>(units), 2 * static_cast<size_t>(count), 2, "?", 1, sink)) return 0;
  return sink.Result();
}

}  // namespace

bool IsValidCodePage(uint32_t codePage) {
  if (codePage == kCodePageWinLatin1 || codePage == kCodePageUTF8 || codePage == kCodePageUTF16) return true;
  const char* name = IconvNameFor(codePage);
  if (!name) return false;
  Converter c("UTF-16LE", name);
  return c.ok();
}

int32_t MultiByteToWide(uint32_t codePage, const char* bytes, int32_t length, char16_t* out, int32_t capacity) {
  if (!bytes || length <= 0 || capacity < 0) return 0;
  Sink<char16_t> sink{capacity > 0 ? out : nullptr, capacity};
  switch (codePage) {
    case kCodePageWinLatin1:
      return DecodeWinLatin1(bytes, length, sink);
    case kCodePageUTF8:
      return DecodeUTF8(bytes, length, sink);
    case kCodePageUTF16:
      return DecodeUTF16(bytes, length, sink);
    default:
      if (const char* name = IconvNameFor(codePage)) return DecodeIconv(name, bytes, length, sink);
      return 0;
  }
}

int32_t WideToMultiByte(uint32_t codePage, const void* units, int32_t count, char* out, int32_t capacity) {
  if (!units || count <= 0 || capacity < 0) return 0;
  Sink<char> sink{capacity > 0 ? out : nullptr, capacity};
  switch (codePage) {
    case kCodePageWinLatin1:
      return EncodeWinLatin1(units, count, sink);
    case kCodePageUTF8:
      return EncodeUTF8(units, count, sink);
    case kCodePageUTF16:
      return EncodeUTF16(units, count, sink);
    default:
      if (const char* name = IconvNameFor(codePage)) return EncodeIconv(name, units, count, sink);
      return 0;
  }
}

}  // namespace ql::platform
