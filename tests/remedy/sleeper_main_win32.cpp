// Stands in for an infected program that is running: it only waits to be
// ended. The timeout keeps a failed test from leaving it behind for good, and
// its exit code tells such an end from a termination (exit code 0).
#include <windows.h>

int main() {
  Sleep(60 * 1000);
  return 3;
}
