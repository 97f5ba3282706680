// Everything the program calls of the platform, under the platform's names. Each header is named
// after the file that defines it.
#pragma once

#include "platform/Clock.h"           // GetTickCount: Clock.cpp
#include "platform/Cursor.h"          // LoadCursorW, SetCursor, ShowCursor: Cursor.cpp
#include "platform/Device.h"          // GetSystemMetrics and the device profiles: Device.cpp
#include "platform/Dialogs.h"         // modal dialogs: Dialogs.cpp
#include "platform/Gdi.h"             // drawing: GdiObjects.cpp, Screen.cpp, Blit.cpp, Shapes.cpp, Text.cpp
#include "platform/ImageLoader.h"     // ShellLoadImageResource: ImageLoader.cpp
#include "platform/MessageBox.h"      // MessageBoxW: MessageBox.cpp
#include "platform/Messages.h"        // the message queue: Messages.cpp
#include "platform/Registry.h"        // the settings store: Registry.cpp
#include "platform/Resources.h"       // modules and strings: Resources.cpp
#include "platform/Selector.h"        // the one-line list control: Selector.cpp
#include "platform/Shell.h"           // full screen and the status bar: Shell.cpp
#include "platform/ShellExecute.h"    // opening documents: ShellExecute.cpp
#include "platform/SingleInstance.h"
#include "platform/WindowSearch.h"  // FindWindowW, SetForegroundWindow
#include "platform/SoftKeyBar.h"      // the soft-key bar: SoftKeyBar.cpp
#include "platform/Sound.h"           // PlaySoundW: Sound.cpp
#include "platform/Types.h"           // types, constants and macros (header only)
#include "platform/Windowing.h"       // window classes and windows: Windowing.cpp
