// Resetting the whole platform layer.
#include "platform/Runtime.h"

#include "platform/Backend.h"
#include "platform/Device.h"
#include "platform/Dialogs.h"
#include "platform/GdiState.h"
#include "platform/Input.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/ShellState.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"

namespace platform {

void ResetAll() {
    ResetGdi();
    ResetScreen();
    ResetWindows();
    ResetMessageQueue();
    ResetInputRouting();
    ResetCursor();
    ResetDialogs();
    ResetMessageBoxes();
    ResetShell();
    ResetSingleInstance();
    ResetModules();
    ResetSettingsStore();
    ResetDeviceProfile();
    ResetBackend();
}

}  // namespace platform
