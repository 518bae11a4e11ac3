// Hotkey markers in widget labels: "&File" underlines F and makes it the
// hotkey; "&&" is a literal "&".
#pragma once

namespace plat {

// Removes the markers in place and returns the hotkey's code point, 0 when
// there is none. *hotkeyPos (when given) receives the hotkey's place in the
// compacted text, or null. Only the first marked character is the hotkey; a
// "&" at the very end is dropped. A marked byte that does not start a valid
// UTF-8 character is kept in the text but gives no hotkey.
int processHotkeyText(char* text, char** hotkeyPos);

}  // namespace plat
