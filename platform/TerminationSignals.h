// SIGTERM, SIGINT and SIGHUP as a close request, so the program ends the way its close button ends it.
#pragma once

namespace platform {

// Installs handlers that only write to a self-pipe; the pipe is a watched descriptor whose reader
// queues one InputType::Close per batch of signals, on the UI thread, from the backend's pump.
// Until a loop takes it, the request waits in the input queue like any input. False (and the
// default actions stay) when the pipe or a handler cannot be set up.
bool RouteTerminationSignals();
// For the way out, once the program's loop has ended: signals from now on change nothing, until
// the process is gone, so the program ends with the status of its orderly end. Not undone.
void AbsorbTerminationSignals();
// Puts the earlier handlers back and closes the pipe. Harmless when not routing.
void StopRoutingTerminationSignals();

}  // namespace platform
