// The program's resources: string table (and, as the game grows, its dialogs, bars, sounds, image).
#pragma once

#include "platform/Resources.h"

const platform::ModuleResources& TintaroResources();
