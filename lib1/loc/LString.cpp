#include "lib1/loc/LString.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include "lib1/loc/LocaleSetter.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/StrUtil.h"
#include "lib1/plat/Utf8.h"

namespace loc {

const PrintfArg* PrintfArg::getNth(int n) const {
  if (n < 1) return nullptr;
  const PrintfArg* a = this;
  while (a && --n > 0) a = a->next;
  return a;
}

namespace {

// A decimal number greater than 0 at p, read like strToInt; 0 when there is
// none. *end is where it stopped.
int positiveNumber(const char* p, const char** end) {
  int n;
  const char* q = p;
  if (!plat::strToInt(&n, &q, 10) || n <= 0) return 0;
  *end = q;
  return n;
}

// Expands the placeholder whose "%" is at percent into out. False when it is
// bad; *next is where scanning goes on after a good one.
bool placeholder(const char* percent, const PrintfArg* args, plat::DString* out,
                 const char** next) {
  const char* q = percent + 1;
  bool sign = false;
  int precision = 0;
  const PrintfArg* arg = nullptr;
  bool positioned = false;
  for (;;) {
    const char* end;
    if (*q == '+' && !sign) {
      sign = true;
      q++;
    } else if (*q == '.' && !precision && (precision = positiveNumber(q + 1, &end)) > 0) {
      q = end;
    } else if (!positioned && *q != '+' && positiveNumber(q, &end) > 0 && *end == '$') {
      int n = positiveNumber(q, &end);
      arg = args ? args->getNth(n) : nullptr;
      if (!arg) return false;
      positioned = true;
      q = end + 1;
    } else {
      break;
    }
  }
  char letter = *q;
  if (letter != 'S' && letter != 'X' && letter != 'D') return false;
  if (!positioned) {
    if (!args || args->next) return false;
    arg = args;
  }
  if (precision && letter != 'S') return false;
  if (sign) {
    if (letter != 'D' || arg->kind != PrintfArg::SIGNED) return false;
    plat::SPrintf<16> n("%+d", arg->sval);
    out->append(n.get());
  } else if (letter == 'S') {
    if (arg->kind != PrintfArg::STRING) return false;
    const char* s = arg->str ? arg->str : "";
    if (precision) {
      std::unique_ptr<char[]> cut(plat::sanitizeUtf8(s, nullptr, precision));
      out->append(cut.get());
    } else {
      out->append(s);
    }
  } else if (letter == 'X') {
    if (arg->kind != PrintfArg::UNSIGNED) return false;
    out->append(plat::SPrintf<16>("%x", arg->uval).get());
  } else {
    if (arg->kind == PrintfArg::STRING) return false;
    if (arg->kind == PrintfArg::SIGNED)
      out->append(plat::SPrintf<16>("%d", arg->sval).get());
    else
      out->append(plat::SPrintf<16>("%u", arg->uval).get());
  }
  *next = q + 1;
  return true;
}

}  // namespace

LString& LString::xprintf(const char* format, const PrintfArgList& args) {
  if (!format) format = "";
  plat::DString out(2 * int(strlen(format)) + 1);
  bool bad = false;
  const char* p = format;
  for (;;) {
    const char* percent = strchr(p, '%');
    if (!percent) {
      out.append(p);
      break;
    }
    out.append(p, int(percent - p));
    if (percent[1] == '%') {
      out.appendChar_('%');
      p = percent + 2;
    } else if (!placeholder(percent, args.first, &out, &p)) {
      out.append("%%");
      bad = true;
      p = percent + 1;
    }
  }
  DString::operator=(std::move(out));
  if (bad) reportError(plat::DPrintf("Bad loc string for args - %s", format).get());
  return *this;
}

LString& LString::wordWrap(int width, int indent) {
  LocaleSetter uiLocale(nullptr);
  DString::wordWrap(width, indent);
  return *this;
}

}  // namespace loc
