// UTF-8: decoding and encoding single characters, validation, display width,
// Latin-1 conversion, repair, escaping for logs, and moving positions onto
// character boundaries.
//
// Valid UTF-8 here is stricter than the encoding alone: it excludes overlong
// forms, surrogates, code points above U+10FFFF, code points whose low 16 bits
// are FFFE or FFFF, and U+FDD0..U+FDEF. A code point is an int; -1 stands for
// an invalid sequence. Ranges are a start and an end pointer, or a
// NUL-terminated string when end is null; a NUL ends the text early either way.
#pragma once

#include "lib1/plat/Buffers.h"

namespace plat {

// Decodes the character whose lead byte (0x80 or above) the caller has taken;
// *p points just after it and maxLen counts the bytes available including the
// lead. A bad lead returns -1 without moving *p; a bad continuation byte
// returns -1 with *p on that byte; a rejected code point returns -1 with the
// whole sequence consumed.
int readUtf8NonAscii(unsigned char lead, const char** p, int maxLen);

// Moves *p back one character, never before start (null: at most 4 bytes).
void utf8Back1(const char** p, const char* start);

// Display width (wcwidth; a character with none counts 1). Stops at end, at a
// NUL or at the first invalid sequence.
int utf8NumColumns(const char* start, const char* end = nullptr);

bool isValidUtf8(const char* start, const char* end = nullptr);

// Writes the shortest encoding of c and advances *p. Throws "Unicode out of
// range" for values above U+10FFFF and for negative values (a decoder's -1).
void writeUtf8(int c, char** p);

// A valid copy: every invalid sequence becomes U+FFFD. With maxBytes >= 0 the
// copy stops before the first character that would not fit in maxBytes.
char* sanitizeUtf8(const char* start, const char* end = nullptr, int maxBytes = -1);

// A printable copy for logs: esc doubled, control characters as esc ^ X, and
// each byte of an invalid sequence as esc M-x or esc M^x.
char* strvisUtf8(const char* s, char esc);

// Latin-1 <-> UTF-8. The byte 0x80 stands for the euro sign U+20AC; other
// characters outside Latin-1, and invalid sequences, become "?".
char* latin1ToUtf8(const char* lStart, const char* lEnd = nullptr, char** outEnd = nullptr);
char* utf8ToLatin1(const char* start, const char* end = nullptr, char** outEnd = nullptr);
void latin1ToUtf8(CBuf<char> in, MBuf<char>* out);
void utf8ToLatin1(CBuf<char> in, MBuf<char>* out);

// Moves a byte selection of s onto character boundaries; len may be null.
void fixupUtf8Pos(const char* s, int* pos, int* len);

}  // namespace plat
