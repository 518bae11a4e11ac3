#include "lib2/plat/SettingsFile.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>

#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/FileLock.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/TransactedFile.h"
#include "lib1/plat/Utf8.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/FileInStream.h"
#include "lib1/rdr/FileOutStream.h"
#include "lib1/rdr/InStream.h"

namespace plat {

PLAT_LOG_WRITER(vlog, "FileConfig");

void processEscapes(char* text) {
  char* in = text;
  while (*in && isspace((unsigned char)*in)) in++;
  char* out = text;
  char* keep = text;  // just after the last character that stays
  while (*in) {
    char c = *in++;
    if (c == '\\') {
      char e = *in;
      if (e == '\\')
        c = '\\';
      else if (e == 'n')
        c = '\n';
      else if (e == 'r')
        c = '\r';
      // Promoted as a signed char, so a byte from 0x80 up prints with eight
      // digits; a backslash at the end prints as 0x00.
      else
        throw Exception(1, "bad escape code 0x%02x", (int)(signed char)e);
      in++;
      *out++ = c;
      keep = out;
      continue;
    }
    *out++ = c;
    if (!isspace((unsigned char)c)) keep = out;
  }
  *keep = 0;
}

void writeEscapedValue(rdr::OutStream* os, const char* value) {
  const char* run = value;
  for (const char* p = value;; p++) {
    const char* esc = *p == '\\' ? "\\\\" : *p == '\n' ? "\\n" : *p == '\r' ? "\\r" : nullptr;
    if (!esc && *p) continue;
    if (p > run) os->writeBytes(run, int(p - run));
    if (!*p) return;
    os->writeBytes(esc, 2);
    run = p + 1;
  }
}

// Through a stream of its own on the C stream, flushed into the file, so
// that whatever the caller writes next follows in order.
template <typename Write>
static void writeToCStream(FILE* file, Write write) {
  rdr::FileOutStream os(file, false);
  write(&os);
  os.flush();
  os.file.flush();
}

void writeEscapedValue(const char* value, FILE* file) {
  writeToCStream(file, [&](rdr::OutStream* os) { writeEscapedValue(os, value); });
}

// The length of the line that holds the setting, as the reader counts it:
// the carriage returns it drops left out, the escapes counted whole.
static long long lineLength(const char* name, const char* value) {
  long long n = 0;
  for (const char* p = name; *p; p++) n += *p != '\r';
  if (!value) return n;
  n++;
  for (const char* p = value; *p; p++) n += *p == '\\' || *p == '\n' || *p == '\r' ? 2 : 1;
  return n;
}

// A line longer than the reader takes would make the whole file unreadable,
// and every later edit of it fail.
static void checkLine(const char* name, const char* value) {
  long long n = lineLength(name, value);
  if (n <= rdr::InStream::kMaxLine) return;
  throw Exception(1,
                  "Cannot save %s: its line would be %lld bytes long, more than the %d a "
                  "settings file can hold",
                  name, n, rdr::InStream::kMaxLine);
}

void writeSetting(rdr::OutStream* os, const char* name, const char* value) {
  checkLine(name, value);
  os->writeBytes(name, int(strlen(name)));
  if (value) {
    os->writeU8('=');
    writeEscapedValue(os, value);
  }
  os->writeU8('\n');
}

void writeSetting(const char* name, const char* value, FILE* file) {
  writeToCStream(file, [&](rdr::OutStream* os) { writeSetting(os, name, value); });
}

// What stops at the line's limit is told with the setting's name, the text
// before "=" (cut when long: a line without one is all name), and the limit.
static int readLimitedLine(rdr::InStream* is, DString* line) {
  try {
    return is->readLine(line, 0);
  } catch (rdr::StringTooLongException& e) {
    const char* name = line->get();
    while (isspace((unsigned char)*name)) name++;
    const char* eq = strchr(name, '=');
    int length = eq ? int(eq - name) : int(strlen(name));
    const int kShown = 64;
    String shown = String::adopt(sanitizeUtf8(name, name + length, kShown));
    DPrintf detail("%s: the line of %s%s is longer than the %d bytes a settings file can hold",
                   e.str(), shown.get(), length > kShown ? "..." : "", rdr::InStream::kMaxLine);
    e.msg.clear();
    e.msg.append(detail);
    throw;
  }
}

const char* readSetting(rdr::InStream* is, DString* line) {
  int length = readLimitedLine(is, line);
  // As a C string the line would end there, and the rest of the value be
  // lost without a word.
  if (memchr(line->get(), 0, size_t(length))) throw Exception("NUL byte in setting");
  char* text = line->data();
  processEscapes(text);
  char* eq = strchr(text, '=');
  if (!eq) return nullptr;
  *eq = 0;
  return eq + 1;
}

// The end of the stream ends a read quietly; whatever else stops it
// propagates with the settings before it applied, and, when the stream is
// the file named source, with the file and the line in front of its text.
// A fault reported as a setting takes effect names them too.
template <typename Apply>
static void forEachSetting(rdr::InStream* is, const char* source, Apply apply) {
  DString line;
  int number = 0;
  try {
    for (;;) {
      number++;
      const char* value = readSetting(is, &line);
      DPrintf where("%s:%d", source ? source : "", number);
      SettingOrigin origin(source ? where.get() : nullptr);
      apply(line.get(), value);
    }
  } catch (rdr::EndOfStream&) {
  } catch (rdr::EndOfMsg&) {
  } catch (Exception& e) {
    if (!source) throw;
    DPrintf located("%s:%d: %s", source, number, e.str());
    e.msg.clear();
    e.msg.append(located);
    throw;
  }
}

// A named pipe in the place of a settings file would hold the read, and
// with it start-up or an edit, up until someone wrote into it; an edit reads
// its file before it writes, so the refusal comes before anything changes.
static void openSettings(rdr::FileInStream* is, const char* path) {
  is->file.open(path, FilePtr::ReadRegular, true);
}

static void readConfig(rdr::InStream* is, const char* source, Configuration* config, int priority) {
  // A name no parameter carries, or a value refused, is skipped.
  forEachSetting(is, source, [&](const char* n, const char* v) { config->set(n, v, priority); });
}

void readFromStream(rdr::InStream* is, Configuration* config, int priority) {
  readConfig(is, nullptr, config, priority);
}

void readFromFile(Configuration* config, const char* path, int priority) {
  vlog().info("Reading %s Configuration from %s", config->name, path);
  rdr::FileInStream is;
  openSettings(&is, path);
  readConfig(&is, path, config, priority);
}

void writeToStream(rdr::OutStream* os, Configuration* config) {
  // Every line is checked before the first is written, so that a refused
  // one leaves nothing half written.
  for (bool write : {false, true}) {
    for (ParameterIterator it(config, true); it.param; it.next()) {
      if (it.param->name[0] == '_') continue;
      std::unique_ptr<char[]> v(it.param->getValueStr());
      write ? writeSetting(os, it.param->name, v.get()) : checkLine(it.param->name, v.get());
    }
  }
}

// Writes through a temporary file of its own, which takes the target's
// place only once all of it is written and on disk; a failure leaves the old
// file as it was.
template <typename Write>
static void writeTransacted(const char* path, bool priv, Write write) {
  TransactedFile tf(path, true, priv);
  {
    rdr::FileOutStream os(tf.get(), false);
    try {
      write(&os);
      os.flush();
    } catch (SystemException& e) {
      // The stream knows no name, and a full disk says nothing of which
      // file could not be saved; named as the commit and XML saves name it.
      throw SystemExceptionFmt("Error writing to %s", e.err, tf.path());
    }
  }
  tf.commit();
}

void writeToFile(Configuration* config, const char* path) {
  vlog().info("Attempting to save %s Configuration to %s", config->name, path);
  FileLock lock(path);
  writeTransacted(path, false, [&](rdr::OutStream* os) { writeToStream(os, config); });
}

static bool sameText(const char* a, const char* b) {
  return a == b || (a && b && strcmp(a, b) == 0);
}

void addParamSetting(const char* name, const char* value, SettingsMap* settings,
                     const AliasMap* aliases) {
  if (aliases) {
    auto alias = aliases->find(name);
    if (alias != aliases->end()) {
      alias->second->handleAlias(name, value, settings);
      return;
    }
  }
  auto it = settings->find(name);
  if (it == settings->end())
    settings->emplace(String(name), String(value));
  else if (!sameText(it->second.get(), value))
    it->second = value;
}

static void readMap(rdr::InStream* is, const char* source, SettingsMap* settings,
                    const AliasMap* aliases) {
  forEachSetting(is, source,
                 [&](const char* n, const char* v) { addParamSetting(n, v, settings, aliases); });
}

void readParams(rdr::InStream* is, SettingsMap* settings, const AliasMap* aliases) {
  readMap(is, nullptr, settings, aliases);
}

void readParamsFromFile(const char* path, SettingsMap* settings, const AliasMap* aliases) {
  rdr::FileInStream is;
  openSettings(&is, path);
  readMap(&is, path, settings, aliases);
}

void writeParams(rdr::OutStream* os, const SettingsMap& settings) {
  for (const auto& entry : settings) checkLine(entry.first.get(), entry.second.get());
  for (const auto& entry : settings) writeSetting(os, entry.first.get(), entry.second.get());
}

// For a caller that holds the file's lock.
static void writeMap(const char* path, const SettingsMap& settings, bool priv) {
  writeTransacted(path, priv, [&](rdr::OutStream* os) { writeParams(os, settings); });
}

void writeParamsToFile(const char* path, const SettingsMap& settings, bool priv) {
  FileLock lock(path);
  writeMap(path, settings, priv);
}

// False when the file does not exist; other failures propagate.
static bool readExisting(const char* path, SettingsMap* settings, const AliasMap* aliases) {
  try {
    readParamsFromFile(path, settings, aliases);
    return true;
  } catch (SystemException& e) {
    if (e.err != ENOENT) throw;
    return false;
  }
}

// The edits hold the file's lock from the read to the rename, so that
// another program's edit in between is read, not overwritten.
void mergeParamToFile(const char* path, const char* name, const char* value, bool priv) {
  FileLock lock(path);
  SettingsMap settings;
  readExisting(path, &settings, nullptr);
  addParamSetting(name, value, &settings, nullptr);
  writeMap(path, settings, priv);
}

void deleteParamFromFile(const char* path, const char* name, bool priv) {
  FileLock lock(path);
  SettingsMap settings;
  if (!readExisting(path, &settings, nullptr)) return;
  settings.erase(name);
  writeMap(path, settings, priv);
}

bool addDiffsToParams(const Configuration* config, const Configuration* reference,
                      SettingsMap* settings) {
  bool differs = false;
  for (ParameterIterator it(config, true); it.param; it.next()) {
    ConfigParameter* ref = reference->get(it.param->name);
    if (!ref) continue;
    std::unique_ptr<char[]> mine(it.param->getValueStr());
    std::unique_ptr<char[]> theirs(ref->getValueStr());
    if (sameText(mine.get(), theirs.get())) continue;
    addParamSetting(it.param->name, mine.get(), settings, nullptr);
    differs = true;
  }
  return differs;
}

void writeDiffsToFile(Configuration* config, const char* path, const Configuration* reference) {
  FileLock lock(path);
  SettingsMap settings;
  readExisting(path, &settings, &config->aliases);
  if (addDiffsToParams(config, reference, &settings)) writeMap(path, settings, false);
}

}  // namespace plat
