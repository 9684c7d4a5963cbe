// The desktop's services for the engines: error signals (the program's sounds) and clipboard
// text.
#pragma once

#include "common/services.h"
#include "platform/sound_player.h"

class DesktopServices : public UserFeedback, public TextClipboard {
public:
    // Error signal n is sound n of the program's sound table.
    void ErrorSignal(int n) override;
    QString Text() const override;
    void SetText(const QString& text) override;

private:
    SoundPlayer m_sounds;
};
