// Linked into the 32-bit test binaries only. GoogleTest echoes every failed
// assertion to a debugger through OutputDebugStringA, which raises and
// unwinds an exception; 32-bit wine under qemu-user (see noreplace_mmap.c)
// crashes the whole test binary in that unwind, so one failing assertion hid
// every later test's result. No debugger watches these runs: the echo is
// dropped by taking the import's place, and the failure is reported on
// standard output as everywhere else.
extern "C" void __stdcall TarvexNoDebuggerEcho(const char*) {}

extern "C" void(__stdcall* const TarvexOutputDebugStringA)(const char*) asm("__imp__OutputDebugStringA@4");
extern "C" void(__stdcall* const TarvexOutputDebugStringA)(const char*) = TarvexNoDebuggerEcho;
