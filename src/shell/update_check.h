// The update check's decision: is the version the maker's host names newer than ours?
#pragma once

#include "calculator/control_texts.h"

#include <QString>
#include <QStringList>

// The host's version text is taken only up to this length; a longer answer (an error page,
// say) is no version.
inline constexpr int MaxVersionTextLength = 50;

// Compares the two texts part by part ("1.3.6" against "1.3.7"): each part up to the next
// "." is trimmed of blanks and line ends and read as an integer, a part that is no number
// counting as 1. The first pair that differs decides; equal versions, a remote text that is
// too long and one that is not digits and dots (blanks and line ends around it aside) are
// not newer.
bool RemoteVersionIsNewer(const QString& local, const QString& remote);

// Captions of the new-version dialog NewVersionDialog and the first-start question
// UpdateQuestionDialog, German.
ControlTexts NewVersionDialogTexts();
ControlTexts AskForUpdateDialogTexts();
// The first-start question's explanation, one entry a line.
QStringList AskForUpdateInfoLines();
