// The running application's identity (short name, company, path component,
// long display name) and the four configuration-directory settings. All of
// it is process-wide, single-threaded, starts null and is owned here: every
// text is a copy, released at process exit.
#pragma once

#include "lib1/plat/MsgId.h"
#include "lib1/plat/String.h"

namespace os {

// Stores copies of the texts (null clears one) and the key as it is: the
// key must stay valid for the life of the process.
void setAppInfo(const char* app, const char* company, const char* pathComponent,
                loc::msgid_t longAppNameId, const char* longAppName);
void setAppName(const char* app);  // app must not be null

// Reading an item that was never set is a fatal assertion.
const char* getAppName();
const char* getCompanyName();
const char* getPathComponent();

// The localised long name when a key is set, else the long-name text, else
// the application name (null when that is unset too).
const char* getLongAppNameR();
// The same without any registered sign; valid until the next call.
const char* getLongAppName();

// The configuration directories, null until start-up sets them.
extern plat::String etcZemDir;           // the system directory
extern plat::String dotZemDir;           // the per-user directory
extern plat::String configDir;           // the per-user preference directory
extern plat::String saveConfigFilename;  // where preferences are saved
// Replaces the setting's value with a copy of value.
void setDirSetting(plat::String* setting, const char* value);

}  // namespace os
