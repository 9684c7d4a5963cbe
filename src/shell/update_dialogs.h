// The two dialogs of the update check: NewVersionDialog offers the download page of a newer
// version; UpdateQuestionDialog asks at the very first start whether the rates are to be
// updated at every start. What they change goes back through callbacks.
#pragma once

#include "calculator/control_texts.h"

#include <QDialog>
#include <QUrl>

#include <functional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class NewVersionDialog : public QDialog {
    Q_OBJECT
public:
    NewVersionDialog(QUrl downloadPage, QWidget* parent = nullptr);

    // "Download" and the link: open the page, then the program ends.
    std::function<void(const QUrl& page)> OpenPage;
    std::function<void()> EndProgram;
    // "Diese Meldung nicht mehr anzeigen" checked: no more searching ("SearchNewVersion").
    std::function<void()> StopSearching;

    ControlTexts& Texts() { return m_texts; }
    void retranslate();

    void btn_okClick();
    void lbl_linkClick() { btn_okClick(); }
    void chk_neueVersionClick(bool checked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QUrl m_page;
    ControlTexts m_texts;
};

class UpdateQuestionDialog : public QDialog {
    Q_OBJECT
public:
    explicit UpdateQuestionDialog(QWidget* parent = nullptr);

    // "Weiter": the choice is handed on ("AutoUpdate") and the dialog closes.
    std::function<void(bool autoUpdate)> Chosen;

    ControlTexts& Texts() { return m_texts; }
    void retranslate();
    void btn_startClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    ControlTexts m_texts;
    QPlainTextEdit* m_info = nullptr;
    QCheckBox* m_autoUpdate = nullptr;
    QPushButton* m_start = nullptr;
};
