// What the calculator's engines need from the outside world, as small interfaces the
// shell implements with the desktop's services and the tests with stand-ins.
#pragma once

#include <QString>

class UserFeedback {
public:
    virtual ~UserFeedback() = default;
    // Error signal n: 1 length limit reached, 2 key not allowed, 3 blank typed.
    virtual void ErrorSignal(int n) = 0;
};

class TextClipboard {
public:
    virtual ~TextClipboard() = default;
    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;
};
