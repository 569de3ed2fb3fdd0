/* Exits 0 when this machine can run 32-bit x86 code, which 32-bit Wine
 * needs: a far jump into the kernel's 32-bit user code segment and back.
 * A kernel without IA-32 emulation has no such segment, and the jump
 * faults (the probe then dies of SIGSEGV). */
#include <stdint.h>
#include <string.h>
#include <sys/mman.h>

extern char probe_back[];

int main(void) {
#if defined(__x86_64__)
    unsigned char* code = mmap((void*)0x100000, 4096, PROT_READ | PROT_WRITE | PROT_EXEC,
                               MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (code == MAP_FAILED) return 2;
    /* 32-bit: mov eax, 42; jmp far 0x33:probe_back (back to 64-bit code) */
    unsigned char c32[] = {0xB8, 42, 0, 0, 0, 0xEA, 0, 0, 0, 0, 0x33, 0x00};
    const uint32_t back = (uint32_t)(uintptr_t)probe_back;
    memcpy(c32 + 6, &back, 4);
    memcpy(code, c32, sizeof c32);
    struct {
        uint32_t offset;
        uint16_t selector;
    } __attribute__((packed)) target = {(uint32_t)(uintptr_t)code, 0x23};
    int result = 0;
    __asm__ volatile("ljmp *%1\n\t"
                     ".globl probe_back\n"
                     "probe_back:\n\t"
                     : "=a"(result)
                     : "m"(target)
                     : "memory");
    return result == 42 ? 0 : 1;
#else
    return 0;
#endif
}
