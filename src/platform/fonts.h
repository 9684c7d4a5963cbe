// Tahoma and Arial, which the formula drawings' pixel positions assume, registered from
// Debian's metric-compatible fonts when the system has no fonts of those names.
#pragma once

void RegisterProgramFonts();
