#include "ui/fonts.h"

#include <string.h>

#include "core/array.h"
#include "core/scriptcode.h"
#include "ui/native.h"

namespace ql::ui {
namespace {

struct FaceMapping {
  const char* name;
  const char* face;
};

const FaceMapping kFaces[] = {
    {"System", "MS Sans Serif"},  {"Application", "MS Sans Serif"}, {"Geneva", "MS Sans Serif"},
    {"SmallSystem", "MS Sans Serif"}, {"Courier", "Courier New"},   {"Times", "Times New Roman"},
    {"Helvetica", "Arial"},       {"Osaka", "MS UI Gothic"},
};

struct CachedFont {
  RuntimeString* face;  // as requested, one reference
  int32_t size;
  bool bold, italic, underline;
  void* handle;
  int32_t uses;
};

// Newest first: a new font goes to the head.
Array<CachedFont>& Cache() {
  static Array<CachedFont>& cache = *new Array<CachedFont>;
  return cache;
}

bool SameRequest(const CachedFont& f, const FontRequest& r) {
  return f.size == r.size && f.bold == r.bold && f.italic == r.italic && f.underline == r.underline &&
         CompareNames(f.face, r.face) == 0;
}

CachedFont* Find(void* handle) {
  for (CachedFont& f : Cache())
    if (f.handle == handle) return &f;
  return nullptr;
}

void* MakeFont(const FontRequest& request) {
  // The face in the system's encoding, as CreateFontA takes it.
  String system = ConvertToSystem(request.face);
  const char* mapped = MappedFaceName(request.face);
  native::FontSpec plan;
  plan.face = mapped ? mapped : StringText(system.get());
  plan.height = -(request.size == 0 ? 12 : request.size);
  plan.weight = request.bold ? 700 : 400;
  plan.italic = request.italic;
  plan.underline = request.underline;
  plan.charset = CharsetOfScriptCode(SystemScriptCode());
  return native::NewFont(plan);
}

}  // namespace

const char* MappedFaceName(RuntimeString* face) {
  for (const FaceMapping& m : kFaces)
    if (CompareNameBytes(StringText(face), static_cast<size_t>(StringLength(face)), m.name, strlen(m.name)) == 0)
      return m.face;
  return nullptr;
}

uint8_t CharsetOfScriptCode(int32_t scriptCode) {
  switch (scriptCode) {
    case 13: return 128;  // SHIFTJIS_CHARSET
    case 21: return 136;  // CHINESEBIG5_CHARSET
    case 12: return 177;  // HEBREW_CHARSET
    case 14: return 178;  // ARABIC_CHARSET
    case 16: return 161;  // GREEK_CHARSET
    case 19: return 162;  // TURKISH_CHARSET
    case 24: return 222;  // THAI_CHARSET
    case 34: return 204;  // RUSSIAN_CHARSET
    default: return 1;    // DEFAULT_CHARSET
  }
}

void* AcquireControlFont(const FontRequest& request) {
  Array<CachedFont>& cache = Cache();
  for (CachedFont& f : cache)
    if (SameRequest(f, request)) {
      ++f.uses;
      return f.handle;
    }
  void* handle = MakeFont(request);
  if (!handle) return nullptr;
  // Head of the list: append, then rotate it to the front.
  cache.Append(CachedFont{RetainString(request.face), request.size, request.bold, request.italic,
                          request.underline, handle, 1});
  for (size_t i = cache.Count() - 1; i > 0; --i) {
    const CachedFont t = cache[i];
    cache[i] = cache[i - 1];
    cache[i - 1] = t;
  }
  return handle;
}

void ReleaseControlFont(void* font) {
  if (CachedFont* f = font ? Find(font) : nullptr)
    if (f->uses > 0) --f->uses;
}

int32_t FontUseCount(void* font) {
  const CachedFont* f = font ? Find(font) : nullptr;
  return f ? f->uses : 0;
}

size_t CachedFontCount() { return Cache().Count(); }

}  // namespace ql::ui
