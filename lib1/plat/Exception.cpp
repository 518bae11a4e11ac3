#include "lib1/plat/Exception.h"

#include <cerrno>
#include <cstring>

#include "lib1/plat/Assert.h"

namespace plat {

Exception::Exception(const char* message, const char* typeName) {
  msg.append(message);
  type.append(typeName);
}

Exception::Exception(int, const char* format, ...) {
  va_list args;
  va_start(args, format);
  msg.vprf(format, args);
  va_end(args);
}

Exception::~Exception() = default;

ExceptionFmt::ExceptionFmt(const char* format, ...) {
  va_list args;
  va_start(args, format);
  msg.vprf(format, args);
  va_end(args);
}

SystemException::SystemException(const char* message, int errnum) : Exception(message, "System") {
  strerror(errnum);
}

SystemException SystemException::notFound(const char* format, ...) {
  SystemException e;
  va_list args;
  va_start(args, format);
  e.msg.vprf(format, args);
  va_end(args);
  return e;
}

void SystemException::strerror(int errnum) {
  err = errnum;
  if (!msg.isEmpty()) msg.append(": ");
  const char* text = errnum == 0 ? "Success" : ::strerror(errnum);
  msg.append(text ? text : "Unknown error");
  msg.prf(" (%d)", errnum);
}

namespace {

// The XSI strerror_r returns a status and always writes into the buffer; the
// GNU one returns the text, which may or may not be the buffer.
[[maybe_unused]] const char* strerrorText(int rc, const char* buf) {
  return rc == 0 ? buf : nullptr;
}
[[maybe_unused]] const char* strerrorText(const char* text, const char*) { return text; }

}  // namespace

void SystemException::strerror_r(int errnum) {
  err = errnum;
  if (!msg.isEmpty()) msg.append(": ");
  if (errnum == 0) {
    msg.append("Success");
  } else {
    int used = msg.length();
    char* space = msg.data() + used;
    int room = msg.capacity() - used;
    space[0] = 0;
    const char* text = strerrorText(::strerror_r(errnum, space, room), space);
    if (!text) {
      space[0] = 0;
      msg.append("Unknown error");
    } else if (text != space) {
      msg.append(text);
    }
  }
  msg.prf(" (%d)", errnum);
}

SystemExceptionFmt::SystemExceptionFmt(const char* format, int errnum, ...) {
  va_list args;
  va_start(args, errnum);
  msg.vprf(format, args);
  va_end(args);
  strerror(errnum);
}

StdlibException::StdlibException(const char* format, ...) {
  type.clear();
  type.append("Stdlib");
  va_list args;
  va_start(args, format);
  msg.vprf(format, args);
  va_end(args);
  strerror(errno);
}

AssertionFail::AssertionFail(const char* expression, const char* fileName, int lineNo)
    : Exception(nullptr, "AssertionFail"), expr(expression), file(fileName), line(lineNo) {
  msg.prf("Assertion '%s' failed at %s:%d", expr ? expr : "", file ? file : "", line);
}

AssertionFail& AssertionFail::fmt(const char* format, ...) {
  msg.append(": ");
  va_list args;
  va_start(args, format);
  msg.vprf(format, args);
  va_end(args);
  return *this;
}

bool (*BadUtf8::assertHook)() = nullptr;

BadUtf8::BadUtf8(const char* message) : Exception(message) { checkAssert(); }

BadUtf8::BadUtf8(int, const char* format, ...) {
  va_list args;
  va_start(args, format);
  msg.vprf(format, args);
  va_end(args);
  checkAssert();
}

void BadUtf8::checkAssert() {
  if (assertHook && assertHook())
    assertFatal_(AssertionFail("0", __FILE__, __LINE__).fmt("%s", str()));
}

}  // namespace plat
