#include "lib1/plat/LogParam.h"

#include <cstdio>
#include <cstring>

#include "lib1/plat/Log.h"
#include "lib1/plat/SplitterInPlace.h"
#include "lib1/plat/Wildcard.h"

namespace plat {

StringParameter logParam("Log", loc::msgid_t("plat_param_log"), "", false, nullptr);

namespace {

class LogParameterChangedCallback : public ParameterChangedCallback {
 public:
  LogParameterChangedCallback() { logParam.callbacks.push_back(this); }
  ~LogParameterChangedCallback() override { logParam.callbacks.remove(this); }
  void parameterChanged(ConfigParameter*, int) override { LogWriter::refreshLogSetting(); }
};

// Built after logParam (same file), so destroyed before it.
LogParameterChangedCallback logParamCallback;

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
    fprintf(stderr, "Failed to parse log param element: '%s'\n", element);
    return;
  }
  Logger* logger = nullptr;
  if (*dest) {
    logger = Logger::getLogger(dest);
    if (!logger) fprintf(stderr, "No logger found: '%s'\n", dest);
  }
  for (LogWriter* w = head; w; w = w->next)
    if (Wildcard::match(pattern, w->name, false, Wildcard::STAR))
      w->setLoggerAndLevel(logger, level);
}

void LogWriter::refreshLogSetting() {
  setLogParamElement("*::0");
  String value;
  value.replaceBuf(logParam.getValueStr());
  SplitterInPlace elements(value.data());
  while (const char* element = elements.next(',')) setLogParamElement(element);
}

}  // namespace plat
