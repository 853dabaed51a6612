// RuntimeUnlockString leaves the caller's function-result registers as they
// were, so that compiled code may release temporaries between computing a
// result and returning it. A C function may change them; a small assembly
// thunk saves them around the release instead.
#include "core/string.h"
#include "quillon/entrypoints/strings.h"

extern "C" void QuillonReleaseStringForUnlock(RuntimeString* s) { ql::ReleaseString(s); }

// Saved: eax and edx on i686 (x87 results stay on the FPU stack, which the
// release never touches); rax, rdx, xmm0 and xmm1 on x86_64.
#if defined(__i386__)
asm(R"(
  .text
  .globl _RuntimeUnlockString
_RuntimeUnlockString:
  pushl %eax
  pushl %edx
  pushl 12(%esp)
  call _QuillonReleaseStringForUnlock
  addl $4, %esp
  popl %edx
  popl %eax
  ret
)");
#elif defined(__x86_64__) && defined(_WIN32)
// Microsoft x64: the argument is in rcx; the callee gets 32 bytes of shadow space.
asm(R"(
  .text
  .globl RuntimeUnlockString
RuntimeUnlockString:
  pushq %rax
  pushq %rdx
  subq $72, %rsp
  movdqu %xmm0, 32(%rsp)
  movdqu %xmm1, 48(%rsp)
  call QuillonReleaseStringForUnlock
  movdqu 32(%rsp), %xmm0
  movdqu 48(%rsp), %xmm1
  addq $72, %rsp
  popq %rdx
  popq %rax
  ret
)");
#elif defined(__x86_64__)
// System V: the argument is in rdi.
asm(R"(
  .text
  .globl RuntimeUnlockString
  .type RuntimeUnlockString, @function
RuntimeUnlockString:
  pushq %rax
  pushq %rdx
  subq $40, %rsp
  movdqu %xmm0, (%rsp)
  movdqu %xmm1, 16(%rsp)
  call QuillonReleaseStringForUnlock@PLT
  movdqu (%rsp), %xmm0
  movdqu 16(%rsp), %xmm1
  addq $40, %rsp
  popq %rdx
  popq %rax
  ret
  .size RuntimeUnlockString, .-RuntimeUnlockString
)");
#else
#error "RuntimeUnlockString is written for i686 and x86_64"
#endif
