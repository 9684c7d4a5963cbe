// Stand-ins for the desktop: error signals are recorded, the clipboard is a string.
#pragma once

#include "common/services.h"

#include <vector>

struct RecordingServices : UserFeedback, TextClipboard {
    std::vector<int> signals_;
    QString clipboard;

    void ErrorSignal(int n) override { signals_.push_back(n); }
    QString Text() const override { return clipboard; }
    void SetText(const QString& text) override { clipboard = text; }
};
