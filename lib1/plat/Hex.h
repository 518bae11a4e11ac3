// Hexadecimal: digits, strings of bytes as hexadecimal text and back, and a
// dump of binary data for debugging.
#pragma once

#include "lib1/plat/Buffers.h"

namespace plat {

// The value of a hexadecimal digit (either case), or -1 for any other byte.
int hexDigitValue(char c);

// For a hexadecimal digit (either case) sets *acc to *acc * 16 plus its
// value and returns true; otherwise returns false and leaves *acc alone.
bool readHexAndShift(char c, int* acc);

// Decodes two digits per byte into out, which is emptied first. False for
// an odd length or a bad digit, with out left empty; a null or empty hex
// gives true and no bytes.
bool hexStrToBin(const char* hex, MBuf<unsigned char>* out);

// The lower-case digit for 0 to 15; anything else throws AssertionFail.
char intToHex(int i);

// Two lower-case digits per byte, in a new array the caller deletes.
char* binToHexStr(CBuf<unsigned char> data);

// Writes prefix, then 16 bytes a line in hexadecimal with their printable
// text, every line after the first led by linePrefix, to standard error.
void hexDump(const char* prefix, const char* linePrefix, const unsigned char* data, int len);

}  // namespace plat
