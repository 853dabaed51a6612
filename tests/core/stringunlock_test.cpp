#include <gtest/gtest.h>

#include "core/string.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

#if defined(__x86_64__)
// Calls RuntimeUnlockString with known values in the result registers and
// returns what they hold afterwards.
struct Registers {
  uint64_t rax, rdx;
  double xmm0;
};

Registers UnlockKeeping(RuntimeString* s, Registers in) {
  Registers out;
  // Past the red zone and 16-byte aligned, as at any call site.
  asm volatile(
      "movq %[s], %%rdi\n\t"
      "movq %[s], %%rcx\n\t"
      "movq %[rax], %%rax\n\t"
      "movq %[rdx], %%rdx\n\t"
      "movq %[xmm], %%xmm0\n\t"
      "movq %%rsp, %%rbx\n\t"  // the operands may be addressed through rsp
      "subq $160, %%rsp\n\t"
      "andq $-16, %%rsp\n\t"
      "call RuntimeUnlockString\n\t"
      "movq %%rbx, %%rsp\n\t"
      "movq %%rax, %[oax]\n\t"
      "movq %%rdx, %[odx]\n\t"
      "movq %%xmm0, %[oxmm]\n\t"
      : [oax] "=m"(out.rax), [odx] "=m"(out.rdx), [oxmm] "=m"(out.xmm0)
      : [s] "m"(s), [rax] "m"(in.rax), [rdx] "m"(in.rdx), [xmm] "m"(in.xmm0)
      : "rax", "rbx", "rcx", "rdx", "rsi", "rdi", "r8", "r9", "r10", "r11", "xmm0", "xmm1", "xmm2", "xmm3",
        "xmm4", "xmm5", "xmm6", "xmm7", "xmm8", "xmm9", "xmm10", "xmm11", "xmm12", "xmm13", "xmm14", "xmm15",
        "memory", "cc");
  return out;
}

TEST(StringUnlock, KeepsTheResultRegisters) {
  RuntimeString* s = NewStringFromCText("temporary").release();
  RetainString(s);
  const Registers in = {0x1122334455667788u, 0x99AABBCCDDEEFF00u, 2.5};
  for (int release = 0; release < 3; ++release) {  // a decrement, the final release, nil
    const Registers out = UnlockKeeping(release < 2 ? s : nullptr, in);
    EXPECT_EQ(out.rax, in.rax);
    EXPECT_EQ(out.rdx, in.rdx);
    EXPECT_EQ(out.xmm0, in.xmm0);
    if (release == 0) {
      EXPECT_EQ(s->refCount, 1);
    }
  }
}
#endif

#if defined(__i386__)
// The same on i686: eax and edx (results stay on the x87 stack).
struct Registers {
  uint32_t eax, edx;
};

Registers UnlockKeeping(RuntimeString* s, Registers in) {
  Registers out;
  void (*unlock)(RuntimeString*) = RuntimeUnlockString;  // its name differs between ELF and Win32
  // ebx keeps the stack pointer, which the operands may be addressed through.
  asm volatile(
      "movl %[s], %%ecx\n\t"
      "movl %[unlock], %%esi\n\t"
      "movl %[eax], %%eax\n\t"
      "movl %[edx], %%edx\n\t"
      "movl %%esp, %%ebx\n\t"
      "subl $64, %%esp\n\t"
      "andl $-16, %%esp\n\t"
      "subl $12, %%esp\n\t"
      "pushl %%ecx\n\t"
      "call *%%esi\n\t"
      "movl %%ebx, %%esp\n\t"
      "movl %%eax, %[oax]\n\t"
      "movl %%edx, %[odx]\n\t"
      : [oax] "=m"(out.eax), [odx] "=m"(out.edx)
      : [s] "m"(s), [unlock] "m"(unlock), [eax] "m"(in.eax), [edx] "m"(in.edx)
      : "eax", "ebx", "ecx", "edx", "esi", "memory", "cc");
  return out;
}

TEST(StringUnlock, KeepsTheResultRegisters) {
  RuntimeString* s = NewStringFromCText("temporary").release();
  RetainString(s);
  const Registers in = {0x11223344u, 0x99AABBCCu};
  for (int release = 0; release < 3; ++release) {  // a decrement, the final release, nil
    const Registers out = UnlockKeeping(release < 2 ? s : nullptr, in);
    EXPECT_EQ(out.eax, in.eax);
    EXPECT_EQ(out.edx, in.edx);
    if (release == 0) {
      EXPECT_EQ(s->refCount, 1);
    }
  }
}
#endif

}  // namespace
}  // namespace ql
