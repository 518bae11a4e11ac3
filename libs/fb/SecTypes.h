// The security types a connection may use, by number and by name, and the
// families that group the types of one scheme at several key lengths.
//
// Names compare case-insensitively. Every lookup has an answer: an unknown
// name is number 0, an unknown number has a bracketed placeholder name, and
// a list that names nothing adds nothing. The bracketed name lives in one
// fixed buffer that the next such call overwrites; it is never reallocated,
// so an old pointer reads a newer text but never freed memory.
#pragma once

#include <vector>

namespace fb {

// Security-type numbers in the order they were added; duplicates are kept
// where the operation that adds them says so.
using SecNums = std::vector<int>;

// The number of the named type, else 0.
int secTypeNum(const char* name);
// The name of type n, else "[unknown secType n]" (see above).
const char* secTypeName(int n);
// The zero-terminated member list of the named family, else null.
const int* secTypeFamily(const char* name);

// The key length in bits that protects the authentication of type n
// (128 or 256), else 0.
int secTypeAuthEncryptBits(int n);
// The key length that protects the whole session of type n; 0 for the
// types that encrypt only the authentication.
int secTypeEncryptBits(int n);
// The localised description of that session encryption.
const char* secTypeEncryptionDesc(int n);
// Whether credentials stay safe once the transfer is over.
bool secTypeCredentialsSafeAfterTransfer(int n);

// Appends the types that a comma-separated list names: a type name, or a
// family with an optional bit bound ("RA2:128", "RA2:128+" for 128 or more,
// "RA2" alone for the whole family). The bound is a decimal int read as
// plat::strToInt reads one (leading blanks and a sign allowed); it opens
// upwards when the text after it ends in "+". Items that name nothing are
// skipped.
void secTypesParse(const char* text, SecNums* out);

}  // namespace fb
