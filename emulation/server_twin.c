/* The 64-bit twin of the preload library: wine's own 64-bit processes
 * (wineserver, the services) inherit LD_PRELOAD and find this one through
 * $LIB. Only the wine server is changed, and in one thing.
 *
 * The server wakes a running thread of a client with SIGUSR1 when it has a
 * system call for it to run, such as the completion of a device request (the
 * mount manager's answer when a program asks a file's volume). Under
 * qemu-user the 32-bit wine's handler of that signal at times runs as if it
 * were another thread of the process: it answers on that thread's channel,
 * and the asking thread waits for ever (the server's log shows the request
 * pending, then the signal, then nothing). Here the server sends no such
 * signal: a thread takes what is queued for it when it next waits, and a
 * thread whose request the server left pending waits for it at once. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <signal.h>
#include <stdarg.h>
#include <string.h>
#include <sys/syscall.h>

long syscall(long number, ...)
{
    static long (*next)(long, ...);
    long a[6];
    va_list args;
    int i;

    va_start(args, number);
    for (i = 0; i < 6; i++) a[i] = va_arg(args, long);
    va_end(args);
    if (number == SYS_tgkill && a[2] == SIGUSR1 && strncmp(program_invocation_short_name, "wineserver", 10) == 0)
        return 0;
    if (!next) next = (long (*)(long, ...))dlsym(RTLD_NEXT, "syscall");
    if (!next) {
        errno = ENOSYS;
        return -1;
    }
    return next(number, a[0], a[1], a[2], a[3], a[4], a[5]);
}
