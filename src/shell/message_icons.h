// The message dialog's four pictures, drawn by code: img_meldung (an "i" on blue),
// img_problem (a "!" in a yellow triangle), img_fehler (a white cross on red) and img_abfrage
// (a "?" on blue).
#pragma once

#include "shell/message_rules.h"

#include <QImage>

QImage DrawMessageIcon(MessageIcon icon, int size);
