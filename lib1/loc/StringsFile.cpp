#include "lib1/loc/StringsFile.h"

#include <sys/stat.h>

#include "lib1/loc/Localize.h"
#include "lib1/loc/PoParser.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/File.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/FileInStream.h"

namespace loc {

namespace {

class RegistryParser : public PoParser {
 public:
  RegistryParser(const char* fileName, const char* locale, Localize* registry)
      : fileName_(fileName), locale_(locale), registry_(registry) {}

 protected:
  void entry(const char* key, const char* text) override {
    registry_->addString(locale_, key, text, fileName_);
  }
  void error(int lineNo, const char* message) override {
    localizeLog().error("%s:%d %s", fileName_, lineNo, message);
  }

 private:
  const char* fileName_;
  const char* locale_;
  Localize* registry_;
};

}  // namespace

void readStringsFile(rdr::InStream* in, const char* fileName, const char* locale,
                     Localize* registry) {
  RegistryParser parser(fileName, locale, registry);
  plat::DString line;
  for (;;) {
    try {
      in->readLine(&line, 0);
    } catch (const rdr::EndOfStream&) {
      parser.finish();
      return;
    }
    parser.line(line.get());
  }
}

bool loadStringsFile(const char* dir, const char* locale, Localize* registry) {
  plat::DPrintf path("%s%cstrings.%s.po", dir, '/', locale);
  struct stat st;
  if (stat(path.get(), &st) != 0) return false;
  try {
    // Not waiting: a pipe in the place of the file would hold start-up up.
    rdr::FileInStream in(plat::fileOpenNoWait(path.get(), "r", true), true);
    readStringsFile(&in, path.get(), locale, registry);
  } catch (const plat::Exception& e) {
    localizeLog().error("Error loading strings from %s [%s]", path.get(), e.str());
    return false;
  }
  localizeLog().info("Loaded strings from %s", path.get());
  return true;
}

}  // namespace loc
