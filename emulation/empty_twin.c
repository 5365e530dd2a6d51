/* The 64-bit twin of the preload library: wine's own 64-bit processes
 * (wineserver, the services) inherit LD_PRELOAD, and find this one through
 * $LIB; they need nothing emulated. */
typedef int tarvex_nothing_to_emulate;
