// The exception family. Every error in the system is thrown as a
// plat::Exception or a subclass, by value, and caught by reference. The text
// lives inline in fixed-capacity strings, so building, throwing and copying an
// exception never allocates.
#pragma once

#include "lib1/plat/SString.h"

namespace plat {

class Exception {
 public:
  explicit Exception(const char* message = nullptr, const char* typeName = nullptr);
  // The int only selects the formatting form; callers pass 1.
  Exception(int, const char* format, ...) __attribute__((format(printf, 3, 4)));
  virtual ~Exception();

  const char* str() const { return msg.get(); }

  SString<256> msg;  // at most 255 bytes, cut on a character boundary
  SString<32> type;  // empty unless a subclass or the thrower sets it
};

class ExceptionFmt : public Exception {
 public:
  explicit ExceptionFmt(const char* format, ...) __attribute__((format(printf, 2, 3)));
};

// A failed system call: the caller's text, ": ", the C library's text for the
// error and " (<number>)". Catchers test `err`.
class SystemException : public Exception {
 public:
  SystemException(const char* message, int err);
  // Appends the system's text for errnum and records the number.
  void strerror(int errnum);
  // Variant for a strerror_r-style function, which may write into the free
  // space after the message or return a text of its own.
  void strerror_r(int errnum);

  // A look-up that found nothing, where no call failed: error number 0 and
  // the formatted message alone, without a system text for "no error".
  static SystemException notFound(const char* format, ...) __attribute__((format(printf, 1, 2)));

  int err = 0;

 protected:
  SystemException() : Exception(nullptr, "System") {}
};

class SystemExceptionFmt : public SystemException {
 public:
  SystemExceptionFmt(const char* format, int err, ...) __attribute__((format(printf, 2, 4)));
};

// Takes the error number from errno, read after the message is formatted.
class StdlibException : public SystemException {
 public:
  explicit StdlibException(const char* format, ...) __attribute__((format(printf, 2, 3)));
};

class AssertionFail : public Exception {
 public:
  AssertionFail(const char* expr, const char* file, int line);
  // Appends ": " and the formatted detail; returns *this so that a call site
  // can build, explain and raise the assertion in one expression.
  AssertionFail& fmt(const char* format, ...) __attribute__((format(printf, 2, 3)));

  const char* expr;
  const char* file;
  int line;
};

class BadUtf8 : public Exception {
 public:
  explicit BadUtf8(const char* message);
  BadUtf8(int, const char* format, ...) __attribute__((format(printf, 3, 4)));

  // When set and returning true, constructing a BadUtf8 is a fatal assertion
  // instead (a debugging aid; the `_BadUtf8Assert` parameter installs it).
  static bool (*assertHook)();

 private:
  void checkAssert();
};

class BadInt : public Exception {
 public:
  BadInt() : Exception("Failed to parse integer") {}
};

class TimedOut : public Exception {
 public:
  TimedOut() : Exception("Timed out", "TimedOut") {}
};

}  // namespace plat
