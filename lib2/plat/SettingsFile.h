// Settings files: one name=value per line, read into a configuration at a
// priority, written from one, or edited as a whole through a settings map.
//
// A line is trimmed of white space at both ends and then un-escaped ("\\",
// "\n" and "\r"; any other backslash throws "bad escape code 0x%02x"). It is
// split at its first "=": no "=" means a name without a value (null, not
// empty). There is no comment syntax, and a line holding a NUL byte is
// refused. An error met while reading a file names the file and the line
// ("<path>:<line>: <error>"), and so does a complaint made as a setting
// takes effect (a bad element of `Log`, see SettingOrigin). Every write
// goes through a TransactedFile, so a file is replaced in one rename or not
// at all, under the file's FileLock, held by an edit from its read to the
// rename: two programs saving into one file keep each other's changes, and
// one that waits too long for the other gets an error. A write that fails
// (a full disk) throws "Error writing to <path>: <reason>".
//
// These functions stand on the byte streams, which stand on the rest of the
// platform library, so they live in this library above both.
#pragma once

#include <cstdio>

#include "lib1/plat/Configuration.h"
#include "lib1/plat/String.h"
#include "lib1/rdr/Forward.h"

namespace plat {

class DString;

// Un-escapes text in place and trims white space at both ends; white space
// produced by an escape stays. Throws "bad escape code 0x%02x".
void processEscapes(char* text);

void writeEscapedValue(rdr::OutStream* os, const char* value);
// The same on a C stream, flushed into the file before it returns.
void writeEscapedValue(const char* value, FILE* file);
// The name, then "=" and the escaped value when there is a value, then "\n".
// A setting whose line would be longer than readSetting takes is refused
// with "Cannot save <name>: ...", and nothing written; so are the whole
// writers below, before their first line, and a file stays as it was.
void writeSetting(rdr::OutStream* os, const char* name, const char* value);
void writeSetting(const char* name, const char* value, FILE* file);

// Reads one line into *line and returns its value: the text after the first
// "=", or null for a line without one. The name is the text of *line, cut
// at the "=". Throws rdr::EndOfStream when no line is left,
// rdr::StringTooLongException beyond rdr::InStream::kMaxLine bytes (its text
// followed by the setting's name and the limit), "bad escape code 0x%02x"
// and "NUL byte in setting".
const char* readSetting(rdr::InStream* is, DString* line);

// Applies every setting with Configuration::set until the end of the stream;
// a failure stops the read with the earlier settings kept.
void readFromStream(rdr::InStream* is, Configuration* config, int priority);
// The same on a file ("-": standard input). A file that cannot be opened
// throws "fileOpen(%s)" (ENOENT when missing); one that is no regular file
// (a named pipe, say) is refused at once, never waited on (fileOpenNoWait).
void readFromFile(Configuration* config, const char* path, int priority);

// Every parameter of config and its children, "_" names left out.
void writeToStream(rdr::OutStream* os, Configuration* config);
void writeToFile(Configuration* config, const char* path);

// Settings maps: sorted by name ignoring case, first spelling kept.
using AliasMap = std::map<String, ParameterAlias*, strcasecmp_t>;
void addParamSetting(const char* name, const char* value, SettingsMap* settings,
                     const AliasMap* aliases);
void readParams(rdr::InStream* is, SettingsMap* settings, const AliasMap* aliases);
void readParamsFromFile(const char* path, SettingsMap* settings, const AliasMap* aliases);
void writeParams(rdr::OutStream* os, const SettingsMap& settings);
void writeParamsToFile(const char* path, const SettingsMap& settings, bool priv);

// Single-setting edits of a file; a missing file reads as empty. Like
// writeDiffsToFile, they read the file first, so one that is no regular file
// fails them before anything is written.
void mergeParamToFile(const char* path, const char* name, const char* value, bool priv);
// A missing file is left missing.
void deleteParamFromFile(const char* path, const char* name, bool priv);

// Puts into settings every parameter of config whose value text differs from
// reference's; true when any did.
bool addDiffsToParams(const Configuration* config, const Configuration* reference,
                      SettingsMap* settings);
// Rewrites path only when something differs.
void writeDiffsToFile(Configuration* config, const char* path, const Configuration* reference);

}  // namespace plat
