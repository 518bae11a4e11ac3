#include "lib1/plat/FilePtr.h"

#include <cerrno>
#include <cstring>

#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/File.h"
#include "lib1/plat/Log.h"

namespace plat {

PLAT_LOG_WRITER(vlog, "FilePtr");

namespace {

const char* const kModeStrings[] = {"r", "w", "a", "a+", "r+", "r+", "w+", "r"};

}  // namespace

FilePtr::FilePtr(const char* path, Mode mode, bool binary) : own(true), file(nullptr) {
  open(path, mode, binary);
}

FilePtr::~FilePtr() { replacePtr(nullptr, own); }

void FilePtr::open(const char* path, Mode mode, bool binary) {
  if (strcmp(path, "-") == 0) {
    if (mode == Read || mode == ReadRegular)
      replacePtr(stdin, false);
    else if (mode == Write || mode == Append)
      replacePtr(stdout, false);
    else
      throw Exception("Invalid mode for filename \"-\"");
    return;
  }
  char m[8];
  snprintf(m, sizeof(m), "%s%s", kModeStrings[mode], binary ? "b" : "");
  FILE* f = nullptr;
  if (mode == ReadWriteCreate) {
    f = fileOpenNoThrow(path, m);
    if (!f) {
      // Missing: create it, but never truncate one that appeared meanwhile.
      m[0] = 'w';
      strcat(m, "x");
      f = fileOpen(path, m);
    }
  } else if (mode == ReadRegular) {
    f = fileOpenNoWait(path, m, true);
  } else {
    f = fileOpen(path, m);
  }
  replacePtr(f, true);
}

void FilePtr::replacePtr(FILE* f, bool owns) {
  if (file && own && fclose(file) != 0 && logCloseErrors) {
    StdlibException e("fclose()");
    vlog().error("%s", e.str());
  }
  file = f;
  own = owns;
}

void FilePtr::flush() {
  if (fflush(file) != 0) throw StdlibException("fflush()");
}

bool FilePtr::readLine(DString* line) {
  line->ensureCapacity(64);
  line->clear();
  int used = 0;
  for (;;) {
    line->ensureCapacity(used * 2 + 2);
    char* at = line->data() + used;
    if (!fgets(at, line->capacity() - used, file)) {
      if (ferror(file)) throw SystemException("Error reading from file", errno);
      if (used == 0) return false;
      break;
    }
    used += int(strlen(at));
    if (used > 0 && line->data()[used - 1] == '\n') {
      line->data()[used - 1] = 0;
      break;
    }
  }
  return true;
}

}  // namespace plat
