// The settings-file reader over arbitrary bytes, against a model that splits,
// trims and un-escapes lines the plain way; then what was read, written back
// and read again, must give the same settings.
#include <strings.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lib1/plat/Exception.h"
#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/MemOutStream.h"
#include "lib2/plat/SettingsFile.h"

using namespace plat;

namespace {

struct Setting {
  std::string name;
  bool hasValue;
  std::string value;
};

// The fault of a line over the limit: its setting's name is what comes
// before "=" in what was read of it, white space at the front left out, and
// at most 64 bytes of it shown. Only a name of plain ASCII is told whole
// here; of any other the text is known up to the name (*whole false).
std::string tooLong(const std::string& line, bool* whole) {
  std::string text = "String exceeds maximum length: the line of ";
  std::string head = line.substr(0, 262144);
  size_t i = 0;
  while (i < head.size() && isspace((unsigned char)head[i])) i++;
  std::string name = head.substr(i, head.find('=', i) - i);
  for (char c : name) *whole = *whole && c > 0;
  if (!*whole) return text;
  return text + name.substr(0, 64) + (name.size() > 64 ? "..." : "") +
         " is longer than the 262144 bytes a settings file can hold";
}

// The settings up to the first faulty line, and that line's fault; *whole
// false when only the start of the fault is known.
std::string model(const std::string& in, std::vector<Setting>* out, bool* whole) {
  size_t at = 0;
  while (at < in.size()) {
    size_t lf = in.find('\n', at);
    std::string line = in.substr(at, lf == std::string::npos ? std::string::npos : lf - at);
    at = lf == std::string::npos ? in.size() : lf + 1;
    std::erase(line, '\r');
    if (lf == std::string::npos && line.empty()) break;  // only carriage returns: no line
    if (line.size() > 262144) return tooLong(line, whole);
    if (line.find('\0') != std::string::npos) return "NUL byte in setting";
    size_t i = 0;
    while (i < line.size() && isspace((unsigned char)line[i])) i++;
    // Each character, and whether it stays at the end of the line: a
    // character that an escape produced always does.
    std::vector<std::pair<char, bool>> chars;
    for (; i < line.size(); i++) {
      if (line[i] != '\\') {
        chars.push_back({line[i], !isspace((unsigned char)line[i])});
        continue;
      }
      char n = i + 1 < line.size() ? line[i + 1] : 0;
      if (n != '\\' && n != 'n' && n != 'r') {
        char msg[40];
        snprintf(msg, sizeof msg, "bad escape code 0x%02x", (int)(signed char)n);
        return msg;
      }
      chars.push_back({n == 'n' ? '\n' : n == 'r' ? '\r' : '\\', true});
      i++;
    }
    while (!chars.empty() && !chars.back().second) chars.pop_back();
    std::string text;
    for (const auto& c : chars) text += c.first;
    size_t eq = text.find('=');
    if (eq == std::string::npos)
      out->push_back({text, false, ""});
    else
      out->push_back({text.substr(0, eq), true, text.substr(eq + 1)});
  }
  return "";
}

std::string readAll(const void* data, size_t size, SettingsMap* map) {
  rdr::MemInStream is(data, int(size));
  try {
    readParams(&is, map, nullptr);
  } catch (Exception& e) {
    return e.str();
  }
  return "";
}

bool same(const String& a, const String& b) {
  return a.get() == b.get() || (a.get() && b.get() && strcmp(a.get(), b.get()) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string in(reinterpret_cast<const char*>(data), size);
  std::vector<Setting> expected;
  bool whole = true;
  std::string expectedFault = model(in, &expected, &whole);
  SettingsMap map;
  std::string fault = readAll(data, size, &map);
  if (whole ? fault != expectedFault : fault.rfind(expectedFault, 0) != 0) abort();

  SettingsMap modelMap;
  for (const Setting& s : expected)
    addParamSetting(s.name.c_str(), s.hasValue ? s.value.c_str() : nullptr, &modelMap, nullptr);
  if (modelMap.size() != map.size()) abort();
  for (auto a = map.begin(), b = modelMap.begin(); a != map.end(); ++a, ++b)
    if (!same(a->first, b->first) || !same(a->second, b->second)) abort();

  // Names are written as they stand, so only plain names come back whole.
  for (const auto& [name, value] : map)
    if (strpbrk(name.get(), "\\\n\r")) return 0;
  rdr::MemOutStream os;
  writeParams(&os, map);
  SettingsMap again;
  if (!readAll(os.data(), size_t(os.length()), &again).empty()) abort();
  if (again.size() != map.size()) abort();
  for (auto a = map.begin(), b = again.begin(); a != map.end(); ++a, ++b)
    if (!same(a->first, b->first) || !same(a->second, b->second)) abort();
  return 0;
}
