/* Preloaded into 32-bit wine under qemu-user (qemu-i386-static), which does
 * not know the MAP_FIXED_NOREPLACE flag of mmap and treats such a request as
 * a mere hint. Wine reserves its address space with that flag and, getting
 * the memory somewhere else every time, frees it and tries again: tens of
 * thousands of attempts, a minute or more per program start. Here the flag
 * is done as the kernel would: fail with EEXIST when anything lies in the
 * range, else map there with MAP_FIXED.
 *
 * Built with -nostdlib against the i386 C library alone (no 32-bit
 * development files needed): only syscall() and errno come from it. The
 * check and the mapping are two steps, not one; wine makes its reservations
 * at start-up, before a second thread could race for the same range. */

typedef __SIZE_TYPE__ size_t;

#define MAP_FIXED 0x10
#define MAP_FIXED_NOREPLACE 0x100000
#define EEXIST 17
#define EINVAL 22
#define PAGE_SHIFT 12
#define SYS_read 3
#define SYS_open 5
#define SYS_close 6
#define SYS_mmap2 192

extern long syscall(long number, ...);
extern int *__errno_location(void);

static int hex_digit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

/* 1 when a line of /proc/self/maps overlaps [start, end), 0 when none does,
 * -1 when the list cannot be read (then the caller leaves the flag to qemu). */
static int range_is_taken(unsigned long long start, unsigned long long end)
{
    int fd = (int)syscall(SYS_open, "/proc/self/maps", 0);
    if (fd < 0) return -1;
    char buf[1024];
    unsigned long long from = 0, to = 0;
    int field = 0; /* 0: start, 1: end, 2: rest of the line */
    int taken = 0;
    long n;
    while (!taken && (n = syscall(SYS_read, fd, buf, sizeof buf)) > 0) {
        for (long i = 0; i < n && !taken; ++i) {
            char c = buf[i];
            if (c == '\n') {
                if (field == 2 && from < end && start < to) taken = 1;
                from = to = 0;
                field = 0;
            } else if (field < 2) {
                int d = hex_digit(c);
                if (d >= 0) {
                    if (field == 0) from = from * 16 + d;
                    else to = to * 16 + d;
                } else {
                    ++field;
                }
            }
        }
    }
    syscall(SYS_close, fd);
    return taken;
}

void *mmap64(void *addr, size_t length, int prot, int flags, int fd, long long offset)
{
    if (offset & ((1 << PAGE_SHIFT) - 1)) {
        *__errno_location() = EINVAL;
        return (void *)-1;
    }
    if (flags & MAP_FIXED_NOREPLACE) {
        unsigned long long start = (unsigned long)addr;
        int taken = range_is_taken(start, start + length);
        if (taken == 1) {
            *__errno_location() = EEXIST;
            return (void *)-1;
        }
        if (taken == 0) flags = (flags & ~MAP_FIXED_NOREPLACE) | MAP_FIXED;
    }
    return (void *)syscall(SYS_mmap2, addr, length, prot, flags, fd, (unsigned long)(offset >> PAGE_SHIFT));
}

void *mmap(void *addr, size_t length, int prot, int flags, int fd, long offset)
{
    return mmap64(addr, length, prot, flags, fd, offset);
}
