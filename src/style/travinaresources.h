#pragma once

// Registers the compiled-in images, font and translations
// (":/Travina/Resources/..."). The libraries are static, so nothing else
// keeps the linker from dropping them.
void initTravinaResources();
