// Makes tarvex-scan's manual page and bash completion from its table of
// options, at build time:
//   tarvex_scan_docs man PAGE.in VERSION OUT
//   tarvex_scan_docs bash-completion OUT
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "console/manual_page.h"
#include "console/shell_completion.h"

namespace {

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarvex::console;
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "man" && argc == 5) {
    std::ifstream in(argv[2], std::ios::binary);
    std::ostringstream page;
    page << in.rdbuf();
    if (in && WriteFile(argv[4], ManualPage(page.str(), argv[3]))) return 0;
  } else if (what == "bash-completion" && argc == 3) {
    if (WriteFile(argv[2], BashCompletion())) return 0;
  } else {
    std::cerr << "usage: tarvex_scan_docs man PAGE.in VERSION OUT | bash-completion OUT\n";
    return 2;
  }
  std::cerr << "tarvex_scan_docs: cannot read or write a file\n";
  return 1;
}
