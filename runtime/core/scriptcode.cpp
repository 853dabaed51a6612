#include "core/scriptcode.h"

namespace ql {
namespace {

int32_t g_scriptCode = 0;

}  // namespace

int32_t ScriptCodeForLanguage(uint16_t language) {
  switch (language) {
    case 0x0411:
      return kScriptJapanese;
    case 0x0404:
    case 0x0804:
    case 0x0C04:
    case 0x1004:
      return kScriptChinese;
    default:
      return 0;
  }
}

int32_t SystemScriptCode() { return g_scriptCode; }

void SetSystemScriptCode(int32_t code) { g_scriptCode = code; }

}  // namespace ql
