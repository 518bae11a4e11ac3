#include "xml/XMLParserBase64Tool.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace xml {

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

enum : signed char { kSkip = 64, kPad = 65, kEnd = 66, kIllegal = 67 };

struct DecodeTable {
  signed char v[256];
  DecodeTable() {
    memset(v, kIllegal, sizeof v);
    for (int i = 0; i < 64; ++i)
      v[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
    for (unsigned char c : {' ', '\t', '\n', '\r'}) v[c] = kSkip;
    v[static_cast<unsigned char>('=')] = kPad;
    v[0] = kEnd;
  }
};

int valueOf(char c) {
  static const DecodeTable table;
  return table.v[static_cast<unsigned char>(c)];
}

void setError(XMLError* error, XMLError code) {
  if (error) *error = code;
}

}  // namespace

XMLParserBase64Tool::~XMLParserBase64Tool() { freeBuffer(); }

void XMLParserBase64Tool::alloc(int newSize) {
  if (newSize <= size) return;
  free(buffer);
  buffer = malloc(newSize);
  size = newSize;
}

void XMLParserBase64Tool::freeBuffer() {
  free(buffer);
  buffer = nullptr;
  size = 0;
}

int XMLParserBase64Tool::encodeLength(int length, char formatted) {
  int n = (length - 1) / 3 * 4 + 5;
  return formatted ? n + length / 54 : n;
}

char* XMLParserBase64Tool::encode(unsigned char* data, unsigned int length, char formatted) {
  alloc(encodeLength(static_cast<int>(length), formatted));
  char* o = static_cast<char*>(buffer);
  unsigned int groups = 0;
  for (unsigned int i = 0; i < length; i += 3) {
    unsigned int left = length - i;
    unsigned int bits = data[i] << 16;
    if (left > 1) bits |= data[i + 1] << 8;
    if (left > 2) bits |= data[i + 2];
    *o++ = kAlphabet[(bits >> 18) & 63];
    *o++ = kAlphabet[(bits >> 12) & 63];
    *o++ = left > 1 ? kAlphabet[(bits >> 6) & 63] : '=';
    *o++ = left > 2 ? kAlphabet[bits & 63] : '=';
    if (formatted && ++groups % 18 == 0) *o++ = '\n';
  }
  *o = 0;
  return static_cast<char*>(buffer);
}

unsigned int XMLParserBase64Tool::decodeSize(const char* text, XMLError* error) {
  setError(error, eXMLErrorNone);
  unsigned int count = 0;
  unsigned int padding = 0;  // "=" signs since the last alphabet character
  for (const char* p = text; p && *p; ++p) {
    int v = valueOf(*p);
    if (v == kIllegal) {
      setError(error, eXMLErrorBase64DecodeIllegalCharacter);
      return 0;
    }
    if (v == kSkip) continue;
    ++count;
    padding = v == kPad ? padding + 1 : 0;
  }
  if (count % 4) setError(error, eXMLErrorBase64DataSizeIsNotMultipleOf4);
  return (count - padding) * 3 / 4;
}

unsigned char XMLParserBase64Tool::decode(const char* text, unsigned char* out, int size,
                                          XMLError* error) {
  setError(error, eXMLErrorNone);
  int written = 0;
  const char* p = text;
  for (;;) {
    int values[4];
    int n = 0;
    int v = kEnd;
    while (n < 4) {
      v = valueOf(*p);
      if (v == kSkip) {
        ++p;
        continue;
      }
      if (v == kIllegal) {
        setError(error, eXMLErrorBase64DecodeIllegalCharacter);
        return 0;
      }
      if (v == kEnd || v == kPad) break;
      values[n++] = v;
      ++p;
    }
    int bytes = n == 4 ? 3 : n == 3 ? 2 : n == 2 ? 1 : 0;
    if (written + bytes > size) {
      setError(error, eXMLErrorBase64DecodeBufferTooSmall);
      return 0;
    }
    unsigned int bits = 0;
    for (int k = 0; k < n; ++k) bits |= values[k] << (18 - 6 * k);
    for (int k = 0; k < bytes; ++k)
      out[written++] = static_cast<unsigned char>(bits >> (16 - 8 * k));
    if (n == 4) continue;
    // Padding closes the data when it completes what the size promised;
    // the text ending inside a group, or too early, means data were lost.
    if ((n == 0 && v == kEnd) || (v == kPad && n != 1 && written == size)) return 2;
    setError(error, eXMLErrorBase64DecodeTruncatedData);
    return 1;
  }
}

unsigned char* XMLParserBase64Tool::decode(const char* text, int* length, XMLError* error) {
  if (!text) {
    alloc(1);
    static_cast<unsigned char*>(buffer)[0] = 0;
    if (length) *length = 0;
    setError(error, eXMLErrorNone);
    return static_cast<unsigned char*>(buffer);
  }
  XMLError sizeError = eXMLErrorNone;
  unsigned int n = decodeSize(text, &sizeError);
  if (length) *length = static_cast<int>(n);
  setError(error, sizeError);
  if (n == 0) return nullptr;
  alloc(static_cast<int>(n) + 1);
  XMLError decodeError = eXMLErrorNone;
  unsigned char r =
      decode(text, static_cast<unsigned char*>(buffer), static_cast<int>(n), &decodeError);
  if (decodeError != eXMLErrorNone) setError(error, decodeError);
  return r ? static_cast<unsigned char*>(buffer) : nullptr;
}

}  // namespace xml
