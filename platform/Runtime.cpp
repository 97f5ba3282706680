// Resetting the whole platform layer.
#include "platform/Runtime.h"

#include "platform/Backend.h"
#include "platform/Cursor.h"
#include "platform/Device.h"
#include "platform/Dialogs.h"
#include "platform/GdiObjects.h"
#include "platform/InputRouting.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "platform/Windowing.h"

namespace platform {

void ResetAll() {
    ResetGdi();
    ResetScreen();
    ResetWindowing();
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
