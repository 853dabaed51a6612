// The system script code: chosen once at start-up from the user's language,
// it selects the ANSI text encoding and font character set used when text
// goes to Win32.
#pragma once

#include <stdint.h>

namespace ql {

constexpr int32_t kScriptJapanese = 13;
constexpr int32_t kScriptChinese = 21;

// 0x0411 gives Japanese; 0x0404, 0x0804, 0x0C04 and 0x1004 give Chinese;
// every other language 0.
int32_t ScriptCodeForLanguage(uint16_t language);

int32_t SystemScriptCode();  // 0 until start-up sets it
void SetSystemScriptCode(int32_t code);

}  // namespace ql
