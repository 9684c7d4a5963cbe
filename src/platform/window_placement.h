// Top-level window placement the program needs from the window system.
#pragma once

class QWidget;

// Keeps `window` above all others, or lets it go, without moving, sizing or activating it;
// a hidden window keeps the state for its next showing.
void SetTopmost(QWidget* window, bool topmost);
