// Runs product start-up as a program of its own and prints the program path
// it found, or "error: <message>". The start-up tests copy it into folders
// its user cannot enter and start it there.
#include <cstdio>

#include "lib1/os/ModuleFileName.h"
#include "lib1/plat/Exception.h"
#include "libs/product/AppInit.h"

int main(int, char** argv) {
  try {
    product::appInit(argv[0], "grantwell", loc::msgid_t(), nullptr, false, true);
    printf("%s", os::ModuleFileName().get());
  } catch (plat::Exception& e) {
    printf("error: %s", e.str());
  }
  return 0;
}
