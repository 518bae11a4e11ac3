#include "lib1/plat/Path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "lib1/plat/Exception.h"

namespace plat {

namespace {

std::string canonical(const char* path) {
  bool absolute = path[0] == '/';
  std::vector<std::string> parts;
  const char* p = path;
  while (*p) {
    while (*p == '/') p++;
    const char* end = p;
    while (*end && *end != '/') end++;
    std::string part(p, end - p);
    p = end;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty() && parts.back() != "..") {
        parts.pop_back();
        continue;
      }
      if (absolute) continue;  // "/.." is "/"
    }
    parts.push_back(part);
  }
  if (parts.empty()) return absolute ? "/" : ".";
  std::string out;
  for (const std::string& part : parts) {
    if (absolute || !out.empty()) out += '/';
    out += part;
  }
  return out;
}

bool endsWithDotDot(const std::string& c) {
  return c == ".." || (c.size() > 2 && c.compare(c.size() - 3, 3, "/..") == 0);
}

}  // namespace

bool isAbsolutePath(const char* path) { return path[0] == '/'; }

bool hasParentDir(const char* path) { return path[0] != '/' || path[1] != 0; }

CanonicalName::CanonicalName(const char* path) { text_ = canonical(path).c_str(); }

DirName::DirName(const char* path) {
  std::string c = canonical(path);
  std::string out;
  if (c == ".")
    out = "..";
  else if (endsWithDotDot(c))
    out = c + "/..";
  else {
    size_t slash = c.rfind('/');
    if (slash == std::string::npos)
      out = ".";
    else if (slash == 0)
      out = "/";
    else
      out = c.substr(0, slash);
  }
  text_ = out.c_str();
}

BaseName::BaseName(const char* path, const char* suffix) {
  std::string c = canonical(path);
  std::string out;
  if (endsWithDotDot(c))
    out = ".";
  else if (c == "/")
    out = c;
  else
    out = c.substr(c.rfind('/') == std::string::npos ? 0 : c.rfind('/') + 1);
  if (suffix && out != "/") {
    size_t n = strlen(suffix);
    if (out.size() > n && out.compare(out.size() - n, n, suffix) == 0) out.resize(out.size() - n);
  }
  text_ = out.c_str();
}

CurrentDirectory::CurrentDirectory() {
  for (size_t size = 1024;; size *= 2) {
    text_ = String::adopt(new char[size]);
    if (getcwd(text_.data(), size)) return;
    if (errno != ERANGE) throw SystemException("getcwd", errno);
  }
}

namespace {

const int kMaxLinks = 20;

// Replaces the first symbolic link of an absolute canonical path by its
// target. Returns 1 when it replaced one, 0 when the path has none left,
// -1 with errno set on failure.
int replaceFirstLink(std::string& path) {
  for (size_t at = 1; at < path.size();) {
    size_t end = path.find('/', at);
    if (end == std::string::npos) end = path.size();
    std::string upTo = path.substr(0, end);
    struct stat st;
    if (lstat(upTo.c_str(), &st) != 0) return -1;
    if (S_ISLNK(st.st_mode)) {
      char target[4096];
      ssize_t n = readlink(upTo.c_str(), target, sizeof(target));
      if (n < 0) return -1;
      if (n >= ssize_t(sizeof(target))) {
        errno = EIO;
        return -1;
      }
      std::string replaced(target, size_t(n));
      // A relative target is read from the directory holding the link.
      if (replaced.empty() || replaced[0] != '/')
        replaced = path.substr(0, path.rfind('/', end - 1) + 1) + replaced;
      path = canonical((replaced + path.substr(end)).c_str());
      return 1;
    }
    if (end < path.size() && !S_ISDIR(st.st_mode)) {
      errno = ENOTDIR;
      return -1;
    }
    at = end + 1;
  }
  return 0;
}

bool resolve(std::string& path) {
  for (int links = 0;; links++) {
    int rc = replaceFirstLink(path);
    if (rc <= 0) return rc == 0;
    if (links == kMaxLinks) {
      errno = ELOOP;
      return false;
    }
  }
}

}  // namespace

RealPath::RealPath(const char* path) {
  std::string full = path;
  if (!isAbsolutePath(path)) full = std::string(CurrentDirectory().get()) + "/" + path;
  full = canonical(full.c_str());
  if (!resolve(full)) throw SystemExceptionFmt("realpath(%s)", errno, path);
  text_ = full.c_str();
}

LinkTarget::LinkTarget(const char* path) {
  // More hops than this is a loop; the kernel gives up at the same count.
  const int kMaxHops = 40;
  std::string target = path;
  for (int hop = 0; hop < kMaxHops; hop++) {
    char link[4096];
    ssize_t n = readlink(target.c_str(), link, sizeof link);
    // Not a link (EINVAL) or not there: this is the file. Other failures
    // show again, with their cause, when the file is made.
    if (n < 0) {
      text_ = target.c_str();
      return;
    }
    if (size_t(n) == sizeof link) throw SystemExceptionFmt("fileOpen(%s)", ENAMETOOLONG, path);
    size_t slash = target.rfind('/');
    if (link[0] == '/' || slash == std::string::npos)
      target.assign(link, size_t(n));
    else
      target.replace(slash + 1, std::string::npos, link, size_t(n));
  }
  throw SystemExceptionFmt("fileOpen(%s)", ELOOP, path);
}

}  // namespace plat
