// tsh_waehrungsrechner ("Währungen"): an amount in one of 49 currencies converted into
// another with the euro rates of the grid sgr_kurse. The rates are loaded from the program
// folder when the page is made; its controls are built when it is first shown, so that the
// program's start pays nothing for them. Every rule lives in CurrencyPageModel: the page
// turns each event into one call there and copies the calculator's texts back (Refresh).
#pragma once

#include "conversion/currency_page_model.h"
#include "conversion/rate_status.h"

#include <optional>

#include <QWidget>

class ImageButton;
class ImageButtonEffect;
class QComboBox;
class QLabel;
class QTableWidget;
class AlignEdit;

class CurrencyPage : public QWidget {
    Q_OBJECT
public:
    explicit CurrencyPage(KeyFilterServices services, ImageButtonEffect* effect = nullptr,
                          QWidget* parent = nullptr);

    CurrencyPageModel& Calculator() { return m_calc; }
    // Captions and hints; a translation replaces entries, then calls retranslate().
    ControlTexts& Texts() { return m_texts; }

    // Reads the user's own "kurse.txt" (else the delivered one) into the grid and converts
    // the amount typed last again, with the currencies chosen: at start, after a download
    // and after a language change.
    void LoadExchangeRates();
    // The rates are first read when the page is first shown or this is called, whichever
    // comes first: the window comes up without them.
    void ReadPendingRates();
    // After a change of language: reads the rates again, unless their first reading is still
    // to come.
    void ReloadExchangeRates();
    // An update of the rates came to `result`: the date label's hint says so while the rates
    // are old. Returns what the update button's notice ends with.
    QString ShowUpdateOutcome(RateUpdateResult result);
    // Copies the calculator's texts into the controls.
    void Refresh();
    void retranslate();

    // What the settings store holds for the boxes of gbo_einstellungen, and whether the two
    // that need write access (chk_kursupdate, chk_autostart) are offered at all.
    struct SettingBoxes {
        bool onTop = false;
        bool autoUpdate = false;
        bool autoStart = false;
        bool writable = true;
    };
    // Applied now, or when the page is built.
    void ShowSettings(const SettingBoxes& boxes);

    void edt_waehrung1KeyUp(AmountField field);
    void cbo_waehrung_1Change(int index);
    void cbo_waehrung_2Change(int index);

signals:
    // img_kursupdate was clicked: the download of the rates starts from here and ends with
    // LoadExchangeRates. Nothing on the page changes before that.
    void UpdateRequested();
    // A settings box of gbo_einstellungen was clicked; the settings store takes it from here.
    void SettingClicked(const QString& box, bool checked);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildConversion();
    void buildRates();
    void buildSettings();
    AlignEdit* amountField(AmountField field) const;
    QComboBox* combo(AmountField field) const;
    void rateKey(int row, int column, const FieldState& cell, char16_t& key);
    void rateCellEdited(int row, const QString& text);
    void keepHandTypedRates();
    void showRateAge();
    void markEuroJoinedRows();

    CurrencyPageModel m_calc;
    ControlTexts m_texts;
    KeyFilterServices m_services;
    ImageButtonEffect* m_effect;
    bool m_built = false;
    bool m_ratesPending = true; // "kurse.txt" not read yet
    AlignEdit* m_amounts[2] = {};
    bool m_keyDown[2] = {}; // a key went down in that field since it took the focus
    QComboBox* m_combos[2] = {};
    QTableWidget* m_grid = nullptr;
    QLabel* m_dateCaption = nullptr;
    QLabel* m_date = nullptr;
    ImageButton* m_update = nullptr;
    SettingBoxes m_settings;
    std::optional<UpdateAttempt> m_lastAttempt;
};
