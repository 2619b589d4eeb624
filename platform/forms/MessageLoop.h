#pragma once
// The one message loop of the program and its re-entrant pump.
#include <windows.h>

namespace platform::forms {

// Menu shortcuts of the active form, dialog keys (Tab, Enter, Esc) of plain forms.
// True when the message was consumed.
bool PreTranslate(MSG& msg);

// Handles the messages waiting now and returns the number of loaded forms. Anything may
// happen meanwhile, the caller's own form may be unloaded: check IsLoaded() after it.
int DoEvents();

// Runs until WM_QUIT or until no form is loaded any more; returns the quit code.
int RunMessageLoop();

}  // namespace platform::forms
