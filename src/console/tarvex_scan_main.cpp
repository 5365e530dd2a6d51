// tarvex-scan: the scanner of Tarvex Antivirus for the command line.
#include "console/scan_command.h"
#include "system/console.h"

int main(int argc, char** argv) {
  using namespace tarvex;
  return console::RunScanCommand(sys::CommandLineArguments(argc, argv), console::SystemConsole(),
                                 console::SystemConsoleServices());
}
