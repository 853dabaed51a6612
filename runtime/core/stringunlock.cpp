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
// Win32 gives C names a leading underscore, ELF (the linux32 tests) does not.
#if defined(_WIN32)
#define QL_I386_NAME(name) "_" #name
#define QL_I386_TYPE(name)
#define QL_I386_SIZE(name)
#else
#define QL_I386_NAME(name) #name
#define QL_I386_TYPE(name) "  .type " #name ", @function\n"
#define QL_I386_SIZE(name) "  .size " #name ", .-" #name "\n"
#endif
asm("  .text\n"
    "  .globl " QL_I386_NAME(RuntimeUnlockString) "\n"
    QL_I386_TYPE(RuntimeUnlockString)
    QL_I386_NAME(RuntimeUnlockString) ":\n"
    "  pushl %eax\n"
    "  pushl %edx\n"
    "  pushl 12(%esp)\n"
    "  call " QL_I386_NAME(QuillonReleaseStringForUnlock) "\n"
    "  addl $4, %esp\n"
    "  popl %edx\n"
    "  popl %eax\n"
    "  ret\n"
    QL_I386_SIZE(RuntimeUnlockString));
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
