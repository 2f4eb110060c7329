#pragma once

// What every mode of the program shares: style and palette, translators,
// the application's identity, the stored language and the random seed.
void applicationSetup();
