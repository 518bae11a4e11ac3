#include "lib1/plat/LogParam.h"

#include <cstdio>
#include <cstring>
#include <optional>

#include "lib1/plat/Log.h"
#include "lib1/plat/SString.h"
#include "lib1/plat/SplitterInPlace.h"
#include "lib1/plat/Utf8.h"
#include "lib1/plat/Wildcard.h"

namespace plat {

StringParameter logParam("Log", loc::msgid_t("plat_param_log"), "", false, nullptr);

namespace {

class LogParameterChangedCallback : public ParameterChangedCallback {
 public:
  LogParameterChangedCallback() { logParam.callbacks.push_back(this); }
  ~LogParameterChangedCallback() override { logParam.callbacks.remove(this); }
  void parameterChanged(ConfigParameter*, int priority) override {
    // A change beneath the value in force applies that value again, and it
    // came from somewhere else.
    std::optional<SettingOrigin> elsewhere;
    if (priority != logParam.getPriority()) elsewhere.emplace(nullptr);
    LogWriter::refreshLogSetting();
  }
};

// Built after logParam (same file), so destroyed before it.
LogParameterChangedCallback logParamCallback;

// As much of a bad value as a message about it shows: enough to find the
// mistake, while a value of megabytes does not flood the terminal.
constexpr int kShownBytes = 200;

// Part of a bad value, fit for the terminal: cut on a character boundary
// after kShownBytes and marked "...", and, when it holds control characters
// or invalid UTF-8, escaped with "~" as log lines are, so that it cannot
// drive the terminal.
SString<4 * kShownBytes + 4> shownOnTerminal(const char* value) {
  SString<kShownBytes + 1> head(value);
  bool harmless = isValidUtf8(head.get());
  for (const char* p = head.get(); harmless && *p; p++)
    harmless = static_cast<unsigned char>(*p) >= 0x20 && *p != 0x7F;
  SString<4 * kShownBytes + 4> shown;  // "~M^x", the longest escape, is 4 bytes
  if (harmless)
    shown.append(head.get());
  else
    shown.append(String::adopt(strvisUtf8(head.get(), '~')).get());
  if (value[head.length()]) shown.append("...");
  return shown;
}

// A bad element read from a settings file is told with the file and line
// in front, "<path>:<line>: ", so that it can be found and mended.
void complain(const char* what, const char* shown) {
  const char* where = SettingOrigin::current();
  fprintf(stderr, "%s%s%s: '%s'\n", where ? where : "", where ? ": " : "", what, shown);
}

}  // namespace

void LogWriter::setLogParamElement(const char* element) {
  if (!element || !*element) return;
  String copy(element);
  char* pattern = copy.data();
  char* dest = strchr(pattern, ':');
  char* levelText = dest ? strchr(dest + 1, ':') : nullptr;
  int level = -1;
  if (levelText) {
    *dest++ = 0;
    *levelText++ = 0;
  }
  if (!levelText || !strToInt(&level, levelText, 10) || level < 0) {
    complain("Failed to parse log param element", shownOnTerminal(element).get());
    return;
  }
  Logger* logger = nullptr;
  if (*dest) {
    logger = Logger::getLogger(dest);
    if (!logger) complain("No logger found", shownOnTerminal(dest).get());
  }
  for (LogWriter* w = head; w; w = w->next)
    if (Wildcard::match(pattern, w->name, false, Wildcard::STAR))
      w->setLoggerAndLevel(logger, level);
}

void LogWriter::refreshLogSetting() {
  setLogParamElement("*::0");
  String value = String::adopt(logParam.getValueStr());
  SplitterInPlace elements(value.data());
  while (const char* element = elements.next(',')) setLogParamElement(element);
}

}  // namespace plat
