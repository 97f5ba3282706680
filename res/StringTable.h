// Internal: the string table, by id, gathered into the program's module by TintaroResources().
#pragma once

#include <span>

#include "platform/Resources.h"

std::span<const platform::StringResource> TintaroStrings();
