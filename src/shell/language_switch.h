// Writing a language into the running program: the captions, hints, item lists and memo
// lines of every control found by objectName in the main window, the tape window and every
// dialog as it opens, the runtime text arrays, the pipe file of the language, the currency
// and unit names and the language's images. Every switch first puts the German texts back,
// so a text the language lacks is German, never the language before.
#pragma once

#include "translation_table.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class ControlTexts;
class QMenu;
class QWidget;
class MainWindow;
class TapeWindow;

// A text a window shows, addressed as the translation file addresses it.
struct ShownText {
    QString form;
    QString component;
    PropertyKind property = PropertyKind::Caption;
    int index = 0;
    QString text;
};

// Texts worth translating: at least two letters (no numbers, no operator signs).
bool IsWordText(const QString& text);
// Every text `form` shows now: captions (text, title, window title, tab caption, menu item),
// hints, combo and list items and the lines of read-only memos, of controls with a name.
// Texts of unnamed controls go to `unnamed` as "form/class: text".
QList<ShownText> CollectShownTexts(QWidget& form, QStringList* unnamed = nullptr);

// A runtime text array with its German texts.
struct RuntimeArray {
    QString key;
    QStringList german;
};
QList<RuntimeArray> GermanRuntimeArrays();

// ApplyToForm: writes the language's entries for the window's name into the controls below
// `within` (the whole window when null), after putting back the German texts there.
void ApplyToForm(TranslationTable& table, QWidget& form, int language, QWidget* within = nullptr);

class LanguageSwitch : public QObject {
    Q_OBJECT
public:
    // Adds img_sprache with its menu popup_sprache to the main window.
    LanguageSwitch(TranslationTable& table, MainWindow& main, TapeWindow* tape,
                   QObject* parent = nullptr);
    ~LanguageSwitch() override;

    int Language() const { return m_language; }
    int AppliedLanguage() const { return m_applied; }
    void SetLanguage(int code) { m_language = code; }

    // Applies the current language to everything when it differs from the one last applied;
    // the images always.
    void ApplyLanguage();
    // The menu's choice: applies the language, refreshes the pages and saves it.
    void ChangeLanguage(int code);
    std::function<void(int code)> SaveLanguage;
    // Qt's own dialogs and context menus follow (the language code is passed).
    std::function<void(int code)> LoadQtTranslations;
    // Reads the translation table, when it is first needed: at once for a language other
    // than German; for German, whose texts the windows already show, only when
    // LoadTableNow() is called (after the window is up) or a language is chosen.
    std::function<void()> LoadTable;
    // Reads the table if it was not read yet and applies the current language with it.
    void LoadTableNow();

    QMenu* Menu() const { return m_menu; }
    void ShowLanguageMenu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillArrays();
    void fillControlTexts();
    void loadImages();
    void applyToPage(QWidget* page);
    void ensureTable();

    TranslationTable& m_table;
    MainWindow& m_main;
    QPointer<TapeWindow> m_tape;
    int m_language = LanguageGerman;
    int m_applied = LanguageUndefined;
    bool m_tableLoaded = false;
    bool m_windowUp = false;              // LoadTableNow was called: the first frame is out
    bool m_qtTranslationsPending = false; // Qt's texts wait for the first frame
    QMenu* m_menu = nullptr;
    struct PageTexts {
        QPointer<QWidget> page;
        ControlTexts* texts;
        std::function<void()> retranslate;
    };
    QList<PageTexts> m_pages;
    QList<ControlTexts> m_germanPageTexts;
    QHash<QWidget*, int> m_pageLanguage; // the language each built page was given
};
