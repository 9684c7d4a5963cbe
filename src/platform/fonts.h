// Tahoma and Arial, which the formula drawings' pixel positions assume, registered from
// Debian's metric-compatible fonts when the system has no fonts of those names.
#pragma once

// Begins reading the system's font configuration, with the program's fonts added where the
// system lacks them, on a thread of its own. Called before the application object is made, so
// that the work runs beside the application's own start; RegisterProgramFonts takes it over.
void BeginProgramFonts();
// Makes Tahoma and Arial available and Tahoma 11 px the application's font. After
// BeginProgramFonts it waits for that work and uses it; without, it does the work itself.
void RegisterProgramFonts();
