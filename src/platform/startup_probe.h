// For bench/startup: with QUORVANTA_STARTUP_PROBE set, the first time `window` has been
// painted in its normal state the process writes "shown <rss kB>" on standard output and quits.
// With QUORVANTA_STARTUP_PROBE=maps it first adds a line "mapped <file>" for every file mapped
// at that moment.
#pragma once

class QWidget;

void WatchFirstPaint(QWidget* window);

// Resident set size of this process in kB (0 where it cannot be read).
long ResidentKilobytes();
