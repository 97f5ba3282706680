// One running game per browser and site: what the page needs to know beyond SingleInstance.h.
#pragma once

namespace platform::web {

// Whether a search found the game's name held by another tab, which was asked to come forward.
bool AnotherTabHoldsTheName();
// Reloads this page once the other tab has let the name go (it closed, or was hidden).
void ReloadWhenTheNameIsFree();

}  // namespace platform::web
