// The platform's state as a whole.
#pragma once

namespace platform {

// Forgets every window, class, queued message, module, open key and setting of the layer and
// goes back to the built-in backend and the default device. Windows are dropped without
// messages. Each test starts from here.
void ResetAll();

}  // namespace platform
