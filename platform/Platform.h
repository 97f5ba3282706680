// Everything the program calls of the platform, under the platform's names.
#pragma once

#include "platform/Clock.h"
#include "platform/Device.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/Types.h"
#include "platform/Windowing.h"
