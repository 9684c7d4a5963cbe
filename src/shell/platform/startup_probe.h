// For bench/startup: with QUORVANTA_STARTUP_PROBE set, the first time `window` has been
// painted in its normal state the process writes "shown <rss kB>" on standard output and quits.
#pragma once

class QWidget;

void WatchFirstPaint(QWidget* window);

// Resident set size of this process in kB (0 where it cannot be read).
long ResidentKilobytes();
