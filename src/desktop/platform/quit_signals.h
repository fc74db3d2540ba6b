// Ending the program when the system asks it to.
#pragma once

namespace platform {

// SIGTERM (a session logging out, `kill`), SIGINT (Ctrl+C in the terminal that started the
// game) and SIGHUP (that terminal closing) end the program as its own Exit does, past the
// question: the event loops return and everything after them runs, so settings held for this
// run only are given back and the view size and place are kept. Installed once the
// application exists; a signal that comes before its event loop runs is acted on when it does.
void QuitOnSignals();

}  // namespace platform
