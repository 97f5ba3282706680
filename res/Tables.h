// Internal: the program's resource tables, gathered into its module by TintaroResources().
#pragma once

#include <span>

#include "platform/Resources.h"

std::span<const platform::StringResource> TintaroStrings();
std::span<const platform::DialogResource> TintaroDialogs();
std::span<const platform::SoftKeyBarResource> TintaroSoftKeyBars();
