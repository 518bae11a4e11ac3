#include "tests/support/TempDir.h"

#include <dirent.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace gwtest {

namespace {

int removeOne(const char* path, const struct stat*, int, FTW*) {
  remove(path);
  return 0;
}

// Tests take permissions away; give them back so everything can go.
int openUp(const char* path, const struct stat* st, int type, FTW*) {
  if (type == FTW_D || type == FTW_DNR) chmod(path, (st->st_mode & 07777) | 0700);
  return 0;
}

}  // namespace

TempDir::TempDir() {
  char t[] = "/tmp/gw-test-XXXXXX";
  if (!mkdtemp(t)) abort();
  path_ = t;
}

TempDir::~TempDir() {
  nftw(path_.c_str(), openUp, 16, FTW_PHYS);
  nftw(path_.c_str(), removeOne, 16, FTW_PHYS | FTW_DEPTH);
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
  std::string p = file(name);
  std::ofstream(p, std::ios::binary) << content;
  return p;
}

std::vector<std::string> TempDir::names() const {
  std::vector<std::string> out;
  DIR* d = opendir(path_.c_str());
  if (!d) return out;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") out.push_back(name);
  }
  closedir(d);
  std::sort(out.begin(), out.end());
  return out;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) return "(missing)";
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace gwtest
