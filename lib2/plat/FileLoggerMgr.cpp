// The link between the LogDir and LogFile parameters and the "file"
// destination, and the two destinations' singletons. While enabled, every
// change of either parameter recomputes the path; an unset environment
// variable in either throws to whoever made the change, and the destination
// keeps the path it had.
#include <memory>

#include "lib1/plat/Assert.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/EnvExpand.h"
#include "lib1/plat/Path.h"
#include "lib1/plat/StringParameter.h"
#include "lib2/plat/LoggerFile.h"

namespace plat {

StringParameter logDirParam("LogDir", loc::msgid_t("plat_param_logdir"), "", false, nullptr);
StringParameter logFileParam("LogFile", loc::msgid_t("plat_param_logfile"), "", false, nullptr);

namespace {

class FileLoggerMgr : public ParameterChangedCallback {
 public:
  explicit FileLoggerMgr(Logger_file* destination) : logger(destination) {
    logDirParam.callbacks.push_back(this);
    logFileParam.callbacks.push_back(this);
  }
  ~FileLoggerMgr() override {
    logDirParam.callbacks.remove(this);
    logFileParam.callbacks.remove(this);
  }

  void parameterChanged(ConfigParameter*, int) override {
    if (!enabled) return;
    EnvExpand file(logFileParam.getValue(), nullptr, true);
    EnvExpand dir(logDirParam.getValue(), nullptr, true);
    DString path;
    if (isAbsolutePath(file.get())) {
      path.prf("%s", file.get());
    } else {
      int n = dir.length();
      if (n > 0 && dir.get()[n - 1] == '/')
        path.prf("%s%s", dir.get(), file.get());
      else
        path.prf("%s%c%s", dir.get(), '/', file.get());
    }
    logger->setFilename(path.get());
  }

  Logger_file* logger;
  bool enabled = false;
};

// Built on the first init call, so after the parameters above, and
// therefore destroyed before them: the manager's destructor still finds
// their observer lists.
struct Destinations {
  std::unique_ptr<Logger_file> stderrLogger;
  std::unique_ptr<Logger_file> fileLogger;
  std::unique_ptr<FileLoggerMgr> manager;
};

Destinations& destinations() {
  static Destinations d;
  return d;
}

}  // namespace

void initStderrLogger(const char* appName) {
  Destinations& d = destinations();
  if (!d.stderrLogger) d.stderrLogger = std::make_unique<Logger_file>("stderr", appName, stderr);
}

void initFileLogger(const char* appName) {
  Destinations& d = destinations();
  if (d.fileLogger) return;
  d.fileLogger = std::make_unique<Logger_file>("file", appName, nullptr);
  d.manager = std::make_unique<FileLoggerMgr>(d.fileLogger.get());
  d.manager->enabled = true;
  d.manager->parameterChanged(nullptr, 0);
}

void enableFileLogger(bool enable) {
  FileLoggerMgr* manager = destinations().manager.get();
  PLAT_ASSERT(manager);
  manager->enabled = enable;
  if (enable)
    manager->parameterChanged(nullptr, 0);
  else
    manager->logger->setFilename(nullptr);
}

void rotateFileLogger() {
  FileLoggerMgr* manager = destinations().manager.get();
  if (manager && manager->enabled) manager->logger->rotate();
}

}  // namespace plat
