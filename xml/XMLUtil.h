// Small text and value helpers of the XML library. Texts come from malloc
// and go back with free, like every text of the tree.
#pragma once

#include <cwchar>

namespace xml {

// A malloc'd copy of length bytes (the whole text for -1) with a NUL; null
// for a null text.
char* stringDup(const char* text, int length = -1);
// Frees a text that createXMLString made (null is allowed).
void freeXMLString(char* text);

// Attribute texts as values: def for a null or empty text.
char xmltob(const char* text, char def = 0);
int xmltoi(const char* text, int def = 0);
long xmltol(const char* text, long def = 0);
double xmltof(const char* text, double def = 0.0);
const char* xmltoa(const char* text, const char* def = "");
char xmltoc(const char* text, char def = 0);

// There is no wide-character support: always false and always null.
bool myIsTextWideChar(const void* buffer, int length);
char* myWideCharToMultiByte(const wchar_t* text);

}  // namespace xml
