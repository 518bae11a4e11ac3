#include "libs/product/AppInit.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "AddLocStrings_product.h"
#include "lib1/loc/Localize.h"
#include "lib1/os/AppInfo.h"
#include "lib1/os/HostEnv.h"
#include "lib1/os/ModuleFileName.h"
#include "lib1/os/unix/Passwd.h"
#include "lib1/plat/Dir.h"
#include "lib1/plat/EnvExpand.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/LogParam.h"
#include "lib1/plat/Path.h"
#include "lib1/plat/StrUtil.h"
#include "lib1/plat/StringParameter.h"
#include "lib2/gfxutil/ConfigStoreFile.h"
#include "lib2/gfxutil/VersionInfo.h"
#include "lib2/plat/LoggerFile.h"

namespace product {

void (*versionInfoSetter)() = nullptr;

namespace {

AddLocStrings_product addLocStrings;

const char kCompany[] = "Korvath";
const char kPathComponent[] = "zem";
const char kVersion[] = GW_VERSION_NUMBER " (" GW_SOURCE_REVISION ")";
const char kPlatform[] = "x64";
const char kWebUrl[] = "https://www.korvath.example/";
const char kBuildTime[] = __DATE__ " " __TIME__;
const int kPriority = plat::ConfigParameter::PRIORITY_DEFAULT;

const char* text(const char* key) { return loc::localize(loc::msgid_t(key)); }

void updateVersionInfo() {
  gfxutil::VersionInfo& info = gfxutil::versionInfo;
  info.version = kVersion;
  info.buildString.clear();
  info.buildString.prf("%s %s %s (%s)", os::getLongAppNameR(), kVersion, kPlatform, kBuildTime);
  // The compiler pads a one-digit day with a second space.
  info.buildString.replace("  ", " ");
  info.productUrl = kWebUrl;
  // The documents are kept per major and minor version: the first three
  // characters of the four-part version.
  info.ackUrl =
      plat::DPrintf(
          "https://www.korvath.example/products/zem/documentation/%.3s/acknowledgements.txt",
          kVersion)
          .get();
  // Looked up afresh on every run, so that a new locale shows in every text.
  info.aboutText.clear();
  info.aboutText.prf("%s\n\n%s\n\n%s\n\n%s", text("product_copyright"), text("product_trademarks"),
                     text("product_patents"), text("product_info_marked_up"));
  info.versionText.clear();
  info.versionText.prf("%s\n%s\n%s\n%s\n%s\n%s\n%s", info.buildString.get(),
                       text("product_copyright"), text("product_trademarks"),
                       text("product_patents"), text("product_further_info"),
                       text("product_ack_intro"), info.ackUrl.get());
  gfxutil::updateVersionTermText();
}

void rebuildVersionInfo() {
  updateVersionInfo();
  if (versionInfoSetter) versionInfoSetter();
}

// Follows `Locale`. It is added after the localisation service, which
// follows `Locale` from its init on, so the texts are rebuilt from the new
// translations.
class VersionSetter : public plat::ParameterChangedCallback {
 public:
  ~VersionSetter() override { loc::localeParam.callbacks.remove(this); }
  void parameterChanged(plat::ConfigParameter*, int) override { rebuildVersionInfo(); }
};

// When HOME is unset or empty, or the effective user is root, HOME becomes
// the effective user's home from the account database. An empty HOME counts
// as unset: "$HOME/.zem" would otherwise name "/.zem" at the root of the
// file system. Root never keeps another user's HOME, so that the tool run
// through su or sudo never touches that user's files.
void repairHome() {
  const char* home = getenv("HOME");
  uid_t euid = geteuid();
  if (home && *home && euid != 0) return;
  os::Passwd account;
  account.getpw(nullptr, int(euid));
  os::setEnv("HOME", account.pw.pw_dir ? account.pw.pw_dir : "");
}

// Replaces one of the directory settings only with a different value.
void setDir(plat::String* setting, const char* value) {
  if (!setting->isNull() && strcmp(setting->get(), value) == 0) return;
  os::setDirSetting(setting, value);
}

// The product's directory beside the executable: the path component alone
// when it is absolute, else joined to the executable's directory.
plat::String productDir(const char* exeDir, const char* component) {
  if (plat::isAbsolutePath(component)) return component;
  size_t n = strlen(exeDir);
  if (n > 0 && exeDir[n - 1] == '/') return plat::DPrintf("%s%s", exeDir, component).get();
  return plat::DPrintf("%s%c%s", exeDir, '/', component).get();
}

// Standard error with the start-up `Log` setting: where main reports what
// went wrong, so it must exist before anything that can fail is reported.
void startStderrLog(const char* defaultLog) {
  plat::initStderrLogger(os::getAppName());
  plat::logParam.setParam(defaultLog ? defaultLog : "*:stderr:10", kPriority);
}

// Identity, localisation, HOME and the directories, up to the version texts.
void startUpToLogging(const char* argv0, const char* appName, loc::msgid_t appNameKey) {
  // Without a name of either kind (a program started with an empty argument
  // list) the name waits for the executable's, a few lines on.
  const char* firstName = appName ? appName : argv0 ? argv0 : "";
  os::setAppInfo(firstName, kCompany, kPathComponent, appNameKey, nullptr);
  loc::Localize::inst()->init({});

  os::ModuleFileName::setArgv0(argv0);
  os::ModuleFileName exe;
  if (!exe.get()) throw plat::Exception("Error: could not find program executable");
  if (!appName) os::setAppName(plat::BaseName(exe, ".exe"));

  repairHome();
  setDir(&os::etcZemDir, "/etc/zem");
  plat::EnvExpand perUserDir("$HOME/.zem");
  setDir(&os::dotZemDir, perUserDir);
  setDir(&os::configDir, plat::DPrintf("%s/config.d", perUserDir.get()));
  setDir(&os::saveConfigFilename, plat::DPrintf("%s/%s", os::configDir.get(), os::getAppName()));
  os::ModuleDirName exeDir;
  std::vector<plat::String> locDirs = {os::etcZemDir,
                                       productDir(exeDir.get(), os::getPathComponent())};
  // Unexpanded: the log file follows HOME should it change before the file opens.
  plat::logDirParam.setParam(geteuid() == 0 ? "/var/log" : "$HOME/.zem", kPriority);

  plat::mkDir(os::dotZemDir.get(), true, true);
  plat::mkDir(os::configDir.get(), true, true);
  loc::Localize::inst()->setDirs(locDirs);

  // Registered once, however often start-up runs: twice would rebuild every
  // text twice per change.
  static VersionSetter versionSetter;
  auto& callbacks = loc::localeParam.callbacks;
  if (std::find(callbacks.begin(), callbacks.end(), &versionSetter) == callbacks.end())
    callbacks.push_back(&versionSetter);
  rebuildVersionInfo();
}

}  // namespace

void appInit(const char* argv0, const char* appName, loc::msgid_t appNameKey,
             const char* defaultLog, bool enableFileLog, bool readConfig) {
  bool logging = false;
  try {
    startUpToLogging(argv0, appName, appNameKey);
    // The application name in force, which is the executable's when appName
    // is null.
    const char* name = os::getAppName();
    plat::logFileParam.setParam(plat::DPrintf("%s.log", name), kPriority);
    plat::initFileLogger(name);
    plat::enableFileLogger(false);
    startStderrLog(defaultLog);
    logging = true;

    if (readConfig) readAppConfig(nullptr);
    if (enableFileLog) plat::enableFileLogger(true);
  } catch (...) {
    // A failure before the destinations exist (no executable, no account,
    // a per-user folder that cannot be made) would otherwise end the
    // program without a word. The version texts head the line, as usual.
    if (!logging) {
      updateVersionInfo();
      startStderrLog(defaultLog);
    }
    throw;
  }
}

void readAppConfig(plat::Configuration* config) {
  static gfxutil::ConfigStoreFile store;
  store.loadPriority(plat::ConfigParameter::PRIORITY_PREFERENCE, config);
  store.loadPriority(plat::ConfigParameter::PRIORITY_POLICY, config);
}

}  // namespace product
