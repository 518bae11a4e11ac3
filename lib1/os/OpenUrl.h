// Opens a URL in the user's desktop environment with the first desktop
// opener program found, started fully detached with the URL as its last
// argument. Neither function runs anything for the superuser.
#pragma once

namespace os {

// Whether some opener is installed; false for the superuser.
bool isOpenUrlSupported();
// Whether an opener was started. The URL is passed as one argument, without
// a shell; what the opener then does is not observed.
bool openUrl(const char* url);

}  // namespace os
