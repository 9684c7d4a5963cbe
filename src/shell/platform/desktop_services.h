// The desktop's services for the engines: error signals and clipboard text.
#pragma once

#include "calculator/services.h"

class DesktopServices : public UserFeedback, public TextClipboard {
public:
    void ErrorSignal(int n) override;
    QString Text() const override;
    void SetText(const QString& text) override;
};
