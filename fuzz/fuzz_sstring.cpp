// Fixed-capacity and growable strings fed arbitrary bytes through fixed
// formats. A fixed-capacity buffer lives in an exact-size heap block, so a
// write past it trips AddressSanitizer; after every operation it must be
// terminated within its capacity, hold a prefix of what was appended, and be
// valid UTF-8 whenever everything appended was. The growable string is
// checked against a std::string model.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "lib1/plat/DString.h"
#include "lib1/plat/SString.h"
#include "lib1/plat/Utf8.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "invariant broken: %s\n", what);
    abort();
  }
}

std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  int n = vsnprintf(nullptr, 0, fmt, args);
  va_end(args);
  std::string out(n > 0 ? n : 0, '\0');
  va_start(args, fmt);
  vsnprintf(out.data(), out.size() + 1, fmt, args);
  va_end(args);
  return out;
}

void fixedCapacity(FuzzedDataProvider& in) {
  int cap = in.ConsumeIntegralInRange(1, 300);
  std::unique_ptr<char[]> buf(new char[cap]);
  buf[0] = 0;
  bool allValid = true;
  for (int ops = 0; ops < 8 && in.remaining_bytes(); ops++) {
    std::string arg = in.ConsumeRandomLengthString(400);
    int n = in.ConsumeIntegralInRange(-1, 400);
    std::string old = buf.get();
    char c = arg.empty() || !arg[0] ? 'x' : arg[0];  // a NUL would end the text early
    std::string piece;                               // what the operation means to append
    switch (in.ConsumeIntegralInRange(0, 5)) {
      case 0:
        plat::SString_append(buf.get(), cap, arg.c_str(), n);
        piece = n < 0 ? arg.c_str() : std::string(arg.c_str(), strnlen(arg.c_str(), n));
        break;
      case 1:
        plat::SString_appendChar(buf.get(), cap, c, n);
        piece = std::string(n > 0 ? n : 0, c);
        break;
      case 2:
        plat::SString_prf(buf.get(), cap, "%s", arg.c_str());
        piece = arg.c_str();
        break;
      case 3:
        plat::SString_prf(buf.get(), cap, "%.*s|%d", n, arg.c_str(), n);
        piece = format("%.*s|%d", n, arg.c_str(), n);
        break;
      case 4:
        plat::SString_prf(buf.get(), cap, "%c%s", c, arg.c_str());
        piece = format("%c%s", c, arg.c_str());
        break;
      default:
        plat::SString_prf(buf.get(), cap, "%*s", n % 64, arg.c_str());
        piece = format("%*s", n % 64, arg.c_str());
        break;
    }
    allValid = allValid && plat::isValidUtf8(piece.c_str(), piece.c_str() + piece.size());
    size_t len = strnlen(buf.get(), cap);
    check(len < size_t(cap), "terminated within the capacity");
    std::string whole = old + piece;
    check(whole.compare(0, len, buf.get()) == 0, "holds a prefix of what was appended");
    if (whole.size() < size_t(cap)) check(len == whole.size(), "nothing lost when it fits");
    if (allValid) {
      check(plat::isValidUtf8(buf.get()), "valid input stays valid");
      check(len + 3 >= std::min(whole.size(), size_t(cap - 1)), "a cut loses one character");
    }
  }
}

// What one input may grow the growable string to. Repeated replacing can
// otherwise blow a few bytes up to megabytes, and with every step checked
// against the model (and every byte watched by the sanitizer) such an input
// runs into the time limit instead of finding anything.
constexpr size_t kMaxGrown = 64 * 1024;

void growable(FuzzedDataProvider& in) {
  plat::DString d;
  std::string model;
  for (int ops = 0; ops < 8 && in.remaining_bytes() && model.size() <= kMaxGrown / 4; ops++) {
    std::string arg = in.ConsumeRandomLengthString(200);
    const char* a = arg.c_str();
    int n = in.ConsumeIntegralInRange(-1, 300);
    int start = in.ConsumeIntegralInRange(-1, 300), end = in.ConsumeIntegralInRange(-1, 300);
    switch (in.ConsumeIntegralInRange(0, 5)) {
      case 0:
        d.append_(a, n);
        model += n < 0 ? std::string(a) : std::string(a, strnlen(a, n));
        break;
      case 1: {
        // A NUL, from "%c" or appended, ends the text where it stands.
        char c = arg.empty() ? 0 : arg.back();
        if (n % 2) {
          d.prf("%s/%d%c", a, n, c);
          model += format("%s/%d%c", a, n, c).c_str();
        } else {
          d.appendChar_(c, n % 40);
          if (c) model.append(size_t(n > 0 ? n % 40 : 0), c);
        }
        break;
      }
      case 2: {  // the string's own text as the argument
        size_t from = model.empty() ? 0 : start % (model.size() + 1);
        if (n % 2) {
          d.append_(d.get() + from, n);
          model += model.substr(from, size_t(n));
        } else {
          d.prf("%s%s", d.get() + from, a);
          model += model.substr(from) + a;
        }
        break;
      }
      case 3:
        d.replaceRange(start, end, a, n);
        if (start >= 0 && start <= end && size_t(end) <= model.size())
          model.replace(start, end - start, n < 0 ? std::string(a) : std::string(a, strnlen(a, n)));
        break;
      case 4: {
        std::string find = arg.substr(0, arg.size() % 3 + 1).c_str();
        if (find.empty()) break;
        std::string repl = arg.c_str() + std::min(arg.size(), find.size());
        std::string out;
        size_t at = 0;
        for (size_t hit; (hit = model.find(find, at)) != std::string::npos; at = hit + find.size())
          out += model.substr(at, hit - at) + repl;
        out += model.substr(at);
        if (out.size() > kMaxGrown) break;
        d.replace(find.c_str(), repl.c_str());
        model = out;
        break;
      }
      default: {
        d.wordWrap(n % 80, start % 8);
        auto words = [](std::string t) {
          std::erase_if(t, [](char ch) { return ch == ' ' || ch == '\n'; });
          return t;
        };
        check(words(d.get()) == words(model), "wordWrap keeps every word");
        model = d.get();
        break;
      }
    }
    check(model == d.get(), "DString agrees with the model");
    check(d.capacity() == 0 || d.capacity() >= int(model.size()) + 1, "room for the NUL");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  if (in.ConsumeBool())
    fixedCapacity(in);
  else
    growable(in);
  return 0;
}
