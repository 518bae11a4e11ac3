// The usage listing of a registry. Entries are word-wrapped by display
// columns, which depend on the user's language, so the wrapping runs under
// the user's C-library locale; the localisation library provides that
// through the hooks, as it provides the texts.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "lib1/plat/Configuration.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/LocHooks.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/Utf8.h"

namespace plat {

const char* Configuration::paramUsageText() {
  return locText(
      loc::msgid_t("plat_configuration_param_usage"),
      "Parameters can be turned on with -<param> or off with -<param>=0\nValues can be specified "
      "as -<param> <value>\nOther valid forms are <param>=<value> -<param>=<value> "
      "--<param>=<value>\nNames are case-insensitive.  Valid parameters are listed below.");
}

static void wrap(DString* text, int width, int indent) {
  inUserLocale([&] { text->wordWrap(width, indent); });
}

static DString usageEntry(const ConfigParameter* p, bool showDefaults, int width, int nameWidth) {
  DString note;
  if (showDefaults) {
    std::unique_ptr<char[]> value(p->getValueStr());
    note.prf("(%s=%s)", locText(loc::msgid_t("plat_configuration_help_default"), "default"),
             value ? value.get() : "");
  }
  DString entry;
  entry.prf("  %-*s - %s", nameWidth, p->name, p->getDescription());
  wrap(&entry, width, nameWidth + 5);
  if (p->isBinary()) return entry;
  const char* lastLine = strrchr(entry.get(), '\n');
  int used = int(strlen(lastLine ? lastLine + 1 : entry.get()));
  int noteColumns = 0;
  inUserLocale([&] { noteColumns = utf8NumColumns(note.get()); });
  if (used + noteColumns + 1 <= width)
    entry.prf(" %s", note.get());
  else
    entry.prf("%-*c%s", nameWidth + 6, '\n', note.get());
  wrap(&entry, width, nameWidth + 5);
  return entry;
}

void Configuration::list(bool all, bool showDefaults, FILE* stream, int width,
                         int nameWidth) const {
  if (!msgid.isNull())
    fprintf(stream, "%s:\n", locText(msgid, name));
  else
    fprintf(stream, "%s Parameters:\n", name);
  std::vector<ConfigParameter*> shown;
  for (ConfigParameter* p = head; p; p = p->next) {
    if (p->name[0] == '_') continue;
    if (!all && (p->advanced || p->isBinary())) continue;
    shown.push_back(p);
  }
  std::stable_sort(shown.begin(), shown.end(), ConfigParameterSort());
  for (const ConfigParameter* p : shown)
    fprintf(stream, "%s\n", usageEntry(p, showDefaults, width, nameWidth).get());
  for (const Configuration* child : children)
    child->list(all, showDefaults, stream, width, nameWidth);
}

void Configuration::printParamUsage(bool all, bool showDefaults) const {
  DString intro;
  intro.prf("%s", paramUsageText());
  wrap(&intro, 79, 0);
  printf("%s\n\n", intro.get());
  list(all, showDefaults, stdout, 79, 14);
  if (!all) return;
  printf("\n%s\n", locText(loc::msgid_t("plat_configuration_log_names_title"), "Log names:"));
  LogWriter::listLogWriters(79, stdout);
  printf("\n%s\n",
         locText(loc::msgid_t("plat_configuration_log_dests_title"), "Log destinations:"));
  Logger::listLoggers(stdout);
}

}  // namespace plat
