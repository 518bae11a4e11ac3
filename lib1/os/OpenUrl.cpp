#include "lib1/os/OpenUrl.h"

#include <unistd.h>

#include <memory>
#include <vector>

#include "lib1/os/LaunchProcess.h"
#include "lib1/os/ModuleFileName.h"
#include "lib1/plat/Exception.h"

namespace os {

namespace {

struct Opener {
  const char* words[3];
};

// Tried in this order; the first word is the program.
const Opener openers[] = {
    {{"xdg-open"}}, {{"gnome-open"}},   {{"kfmclient", "exec"}},
    {{"exo-open"}}, {{"sdtwebclient"}}, {{"/usr/dt/bin/sdtwebclient"}},
    {{"firefox"}},  {{"mozilla"}},      {{"netscape"}},
};

bool isSuperuser() { return geteuid() == 0 || getuid() == 0; }

bool found(const Opener& o) {
  try {
    return std::unique_ptr<char[]>(getExecutableFile(o.words[0], true)) != nullptr;
  } catch (plat::Exception&) {
    // A PATH that cannot be searched: a failure the caller sees as false.
    return false;
  }
}

}  // namespace

bool isOpenUrlSupported() {
  if (isSuperuser()) return false;
  for (const Opener& o : openers)
    if (found(o)) return true;
  return false;
}

bool openUrl(const char* url) {
  if (isSuperuser()) return false;
  for (const Opener& o : openers) {
    if (!found(o)) continue;
    std::vector<plat::String> args;
    for (const char* w : o.words)
      if (w) args.emplace_back(w);
    args.emplace_back(url);
    try {
      LaunchProcess(args, DetachFully).start();
      return true;
    } catch (plat::Exception&) {
      // Found but not startable: the next opener may do.
    }
  }
  return false;
}

}  // namespace os
