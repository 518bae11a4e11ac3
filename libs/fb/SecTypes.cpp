#include "libs/fb/SecTypes.h"

#include <strings.h>

#include <cstdio>
#include <string>

#include "AddLocStrings_fb.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/StrUtil.h"

namespace fb {

namespace {

AddLocStrings_fb addLocStrings;

struct SecType {
  int num;
  const char* name;
};

const SecType kSecTypes[] = {
    {1, "None"},       {2, "ZemAuth"},    {5, "RA2_128"},     {13, "RA2r_128"},   {6, "RA2ne_128"},
    {129, "RA2_256"},  {133, "RA2r_256"}, {130, "RA2ne_256"}, {11, "SSO_128"},    {14, "SSOr_128"},
    {12, "SSOne_128"}, {131, "SSO_256"},  {134, "SSOr_256"},  {132, "SSOne_256"}, {7, "SSPI"},
    {8, "SSPIne"},     {9, "Ticket"},     {10, "Ticketne"},   {3, "S3"},          {4, "S3ne"},
    {15, "KvmMgmt"},   {30, "Ard"},
};

struct Family {
  const char* name;
  int members[7];  // at most six, then 0
};

const Family kFamilies[] = {
    {"RA2", {13, 133, 5, 129, 0}},  {"RA2r", {13, 133, 0}}, {"RA2ne", {6, 130, 0}},
    {"SSO", {14, 134, 11, 131, 0}}, {"SSOr", {14, 134, 0}}, {"SSOne", {12, 132, 0}},
};

char unknownName[40];

void parseItem(const std::string& item, SecNums* out) {
  if (int n = secTypeNum(item.c_str())) {
    out->push_back(n);
    return;
  }
  size_t colon = item.find(':');
  std::string family = item.substr(0, colon);
  std::string bitText = colon == std::string::npos ? "0+" : item.substr(colon + 1);
  if (bitText.empty()) return;
  // Read by the platform's integer rules, like the other numbers of the
  // settings: leading blanks and a sign belong to the number, so " 256" is
  // 256 and "-1+" takes the whole family.
  int bits = 0;
  const char* rest = bitText.c_str();
  if (!plat::strToInt(&bits, &rest, 10)) return;
  bool orMore = plat::strEnds(rest, "+");
  const int* members = secTypeFamily(family.c_str());
  if (!members) return;
  for (; *members; members++) {
    int memberBits = secTypeAuthEncryptBits(*members);
    if (memberBits == bits || (orMore && memberBits > bits)) out->push_back(*members);
  }
}

}  // namespace

int secTypeNum(const char* name) {
  for (const SecType& t : kSecTypes)
    if (strcasecmp(name, t.name) == 0) return t.num;
  return 0;
}

const char* secTypeName(int n) {
  for (const SecType& t : kSecTypes)
    if (t.num == n) return t.name;
  snprintf(unknownName, sizeof unknownName, "[unknown secType %d]", n);
  return unknownName;
}

const int* secTypeFamily(const char* name) {
  for (const Family& f : kFamilies)
    if (strcasecmp(name, f.name) == 0) return f.members;
  return nullptr;
}

int secTypeAuthEncryptBits(int n) {
  if (n >= 3 && n <= 14) return 128;
  if (n >= 129 && n <= 134) return 256;
  return 0;
}

int secTypeEncryptBits(int n) {
  return (n % 2 != 0 || n == 14 || n == 134) ? secTypeAuthEncryptBits(n) : 0;
}

const char* secTypeEncryptionDesc(int n) {
  switch (secTypeEncryptBits(n)) {
    case 256:
      return loc::localize(loc::msgid_t("fb_security_256_AES"), __FILE__, __LINE__);
    case 128:
      return loc::localize(loc::msgid_t("fb_security_128_AES"), __FILE__, __LINE__);
    default:
      return loc::localize(loc::msgid_t("fb_security_no_encryption"), __FILE__, __LINE__);
  }
}

bool secTypeCredentialsSafeAfterTransfer(int n) {
  switch (n) {
    case 6:
    case 12:
    case 13:
    case 14:
    case 130:
    case 132:
    case 133:
    case 134:
      return true;
    default:
      return false;
  }
}

void secTypesParse(const char* text, SecNums* out) {
  std::string all(text);
  size_t start = 0;
  while (true) {
    size_t comma = all.find(',', start);
    parseItem(all.substr(start, comma - start), out);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

}  // namespace fb
