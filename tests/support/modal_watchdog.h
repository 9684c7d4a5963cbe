// A UI test fails when a modal dialog opens that it did not expect: the watchdog in the UI test
// main reports the dialog's caption and text as a test failure and closes the dialog, so that
// the test binary does not hang in the dialog's event loop. A test that opens a dialog on
// purpose says so for as long as the dialog may show:
//
//     ExpectModalDialog expected;
//     QTimer::singleShot(0, [] { /* answer the dialog */ });
//     page.rbo_radClick();
#pragma once

class ExpectModalDialog {
public:
    ExpectModalDialog();
    ~ExpectModalDialog();
    ExpectModalDialog(const ExpectModalDialog&) = delete;
    ExpectModalDialog& operator=(const ExpectModalDialog&) = delete;
};
