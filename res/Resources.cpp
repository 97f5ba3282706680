// The program's module: every resource table in one place.
#include "res/Resources.h"

#include "res/Dialogs.h"
#include "res/Media.h"
#include "res/SoftKeyBars.h"
#include "res/StringTable.h"

const platform::ModuleResources& TintaroResources() {
    static const platform::ModuleResources resources{TintaroStrings(), TintaroDialogs(), TintaroSoftKeyBars(),
                                                     TintaroImages(), TintaroWaves()};
    return resources;
}
