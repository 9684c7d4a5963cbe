#include "currency/ui/currency_page.h"
#include "keypad/ui/tape_window.h"
#include "platform/program_pictures.h"
#include "platform/qt_translations.h"
#include "shell/language_switch.h"
#include "shell/main_window.h"
#include "shell/text_inventory.h"
#include "shell/update_check.h"
#include "shell/update_dialogs.h"
#include "support/recording_services.h"
#include "units/ui/unit_page.h"
#include "widgets/image_button.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// group, form, component, property, index, language 0, German, English, 3 … 11, Polish
QByteArray tableFile(const QList<QByteArray>& lines)
{
    QByteArray bytes = "g\tf\tc\tp\ti\t0\tde\ten\t3\t4\t5\t6\t7\t8\t9\t10\t11\tpl\r\n";
    for (const QByteArray& line : lines) {
        QList<QByteArray> fields = line.split('|'); // form|component|property|index|de|en|pl
        bytes += "\t" + fields[0] + "\t" + fields[1] + "\t" + fields[2] + "\t" + fields[3] +
                 "\t\t" + fields[4] + "\t" + fields[5] + "\t\t\t\t\t\t\t\t\t\t" + fields[6] +
                 "\r\n";
    }
    return bytes;
}

// The German column is left empty on purpose in some lines: German comes back all the same.
const QByteArray kTable = tableFile({
    "Tfrm_calc|tsh_taschenrechner|Caption|0|Rechner|Calculator|Kalkulator",
    "Tfrm_calc|img_fix|Hint|0||Number of decimals|",
    "Tfrm_calc|rbo_einheiten00|Caption|0||Pressure|Ciśnienie",
    "Tfrm_calc|cbo_volumen|Items.Strings|0||Cube|Sześcian",
    "Tfrm_calc|cbo_volumen|Items.Strings|99||Beyond the list|",
    "Tfrm_calc|lbl_gibtsnicht|Caption|0||No such control|",
    "Tfrm_calc|Polnisch1|Caption|0||Polish|Polski",
    "Tfrm_rechenstreifen|lbl_rechenstreifen|Caption|0||Tape|",
    "Tfrm_AskForUpdate|chk_autoupdate|Caption|0||Automatic rate update|",
    "Tfrm_AskForUpdate|memo_info|Lines.Strings|1||second line|",
    "|MC_strings||61||Invalid input|Nieprawidłowe dane",
    "|error_message||0||Division by zero|",
    "|t2_euroangabe1||4||Euro (EN)|Euro (PL)",
    "|t_volumenstromangabe||0||cubic metres per hour|",
    "|ja_nein||1||yes|tak",
});

struct Windows {
    RecordingServices services;
    MainWindow main{KeyFilterServices{services, services}};
    TapeWindow tape;
    TranslationTable table;
    LanguageSwitch languages{table, main, &tape};

    Windows()
    {
        table.LoadFromBytes(kTable);
        main.AttachTape(&tape);
        languages.ApplyLanguage();
    }
    QString caption(const char* name) const
    {
        auto* w = main.findChild<QWidget*>(QLatin1String(name));
        return w ? w->property("text").toString() : QString();
    }
    QString item(const char* combo, int index) const
    {
        return main.findChild<QComboBox*>(QLatin1String(combo))->itemText(index);
    }
    // Everything that may change with the language, as one list.
    QStringList everything()
    {
        QStringList all;
        for (const ShownText& t : GermanTextInventory(main, &tape))
            all.append(t.component + u'=' + t.text);
        for (int i = 0; i < McStrings::Count; ++i)
            all.append(main.Texts().Entry(i));
        all += main.Display().Texts.errorMessages;
        for (int i = 0; i < 49; ++i)
            all.append(main.findChild<CurrencyPage*>()->Calculator().Name(i));
        all += main.findChild<UnitPage*>()->Grids().Texts().volumeFlowUnits;
        all += main.Messages().Dialog().Texts.ja_nein;
        return all;
    }
};

TEST(LanguageSwitch, EnglishThenPolishThenGermanRestoresEveryGermanText)
{
    Windows w;
    w.main.show();
    const QStringList german = w.everything();

    w.languages.ChangeLanguage(LanguageEnglish);
    EXPECT_EQ(w.main.Pages()->tabText(0), u"Calculator");
    EXPECT_EQ(w.main.findChild<QWidget*>(QStringLiteral("img_fix"))->toolTip(),
              u"Number of decimals");
    EXPECT_EQ(w.caption("rbo_einheiten00"), u"Pressure");
    EXPECT_EQ(w.item("cbo_volumen", 0), u"Cube");
    EXPECT_EQ(w.tape.findChild<QLabel*>(QStringLiteral("lbl_rechenstreifen"))->text(), u"Tape");
    EXPECT_EQ(w.main.Texts().Entry(61), u"Invalid input");
    EXPECT_EQ(w.main.Display().Texts.ErrorMessage(1), u"Division by zero");
    EXPECT_EQ(w.main.findChild<CurrencyPage*>()->Calculator().Name(4), u"Euro (EN)");
    EXPECT_EQ(w.main.findChild<UnitPage*>()->Grids().Texts().volumeFlowUnits[0],
              u"cubic metres per hour");
    EXPECT_EQ(w.main.Messages().Dialog().Texts.ja_nein[1], u"yes");

    // What Polish lacks is German, not the English of before.
    w.languages.ChangeLanguage(LanguagePolish);
    EXPECT_EQ(w.caption("rbo_einheiten00"), u"Ciśnienie");
    EXPECT_EQ(w.main.findChild<QWidget*>(QStringLiteral("img_fix"))->toolTip(),
              u"Anzahl der Nachkommastellen");
    EXPECT_EQ(w.main.Display().Texts.ErrorMessage(1), u"Division durch Null nicht möglich");
    EXPECT_EQ(w.main.Texts().Entry(61), u"Nieprawidłowe dane");
    EXPECT_EQ(w.main.Messages().Dialog().Texts.ja_nein[1], u"tak");

    w.languages.ChangeLanguage(LanguageGerman);
    EXPECT_EQ(w.everything(), german);
}

TEST(LanguageSwitch, PagesAndDialogsMadeLaterTakeTheLanguage)
{
    Windows w;
    w.languages.ChangeLanguage(LanguageEnglish);
    // The formula page builds its lists on its first showing, after the switch.
    w.main.show();
    w.main.Pages()->setCurrentIndex(MainWindow::FormulaPageIndex);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.item("cbo_volumen", 0), u"Cube");
    EXPECT_EQ(w.item("cbo_volumen", 1), u"Prisma");

    UpdateQuestionDialog dialog(&w.main);
    dialog.show();
    EXPECT_EQ(
        dialog.findChild<QWidget*>(QStringLiteral("chk_autoupdate"))->property("text").toString(),
        u"Automatic rate update");
    const QStringList lines =
        dialog.findChild<QPlainTextEdit*>(QStringLiteral("memo_info"))->toPlainText().split(u'\n');
    EXPECT_EQ(lines.value(1), u"second line");
    EXPECT_EQ(lines.value(0), AskForUpdateInfoLines().value(0));
}

TEST(LanguageSwitch, TheMenuOffersThreeLanguagesAndSavesTheChoice)
{
    Windows w;
    w.main.show();
    QList<int> saved;
    w.languages.SaveLanguage = [&](int code) { saved.append(code); };
    w.languages.ShowLanguageMenu();
    QMenu* menu = w.languages.Menu();
    EXPECT_EQ(menu->objectName(), u"popup_sprache");
    EXPECT_FALSE(menu->findChild<QAction*>(QStringLiteral("Spanisch1"))->isVisible());
    menu->close();
    menu->findChild<QAction*>(QStringLiteral("Polnisch1"))->trigger();
    EXPECT_EQ(saved, QList<int>{LanguagePolish});
    EXPECT_EQ(w.languages.AppliedLanguage(), LanguagePolish);
    EXPECT_EQ(menu->findChild<QAction*>(QStringLiteral("Polnisch1"))->text(), u"Polski");
    // The language in use, and only it, stands checked.
    for (const char* name : {"Deutsch1", "Englisch1", "Polnisch1"})
        EXPECT_EQ(menu->findChild<QAction*>(QString::fromLatin1(name))->isChecked(),
                  QByteArray(name) == "Polnisch1")
            << name;
}

TEST(LanguageSwitch, EachLanguageShowsTheMemoryHeadingInItsOwnWord)
{
    Windows w;
    const auto picture = [](const char* file) {
        return ReadBitmapPicture(QStringLiteral("images\\") + QLatin1String(file))
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage german = picture("speicher.cc1");
    const struct {
        int language;
        const char* file;
    } rows[] = {{LanguageEnglish, "speicher_eng.cc1"},
                {LanguagePolish, "speicher_pl.cc1"},
                {LanguageGerman, "speicher.cc1"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        w.languages.ChangeLanguage(row.language);
        const QImage shown = w.main.findChild<QLabel*>(QStringLiteral("img_speicher"))
                                 ->pixmap()
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(shown.isNull());
        EXPECT_EQ(shown, picture(row.file));
        EXPECT_EQ(shown == german, row.language == LanguageGerman);
    }
}

TEST(QtTranslations, QtsOwnWordsFollowGermanAndPolishAndEnglishDropsThem)
{
    const auto undo = [] { return QCoreApplication::translate("QLineEdit", "&Undo"); };
    ASSERT_TRUE(LoadQtTranslations(LanguageGerman));
    EXPECT_EQ(undo(), u"&Rückgängig");
    ASSERT_TRUE(LoadQtTranslations(LanguagePolish));
    EXPECT_EQ(undo(), u"&Cofnij");
    ASSERT_TRUE(LoadQtTranslations(LanguageEnglish));
    EXPECT_EQ(undo(), u"&Undo");
}

// The delivered table against every German text the program shows: what a language lacks
// stays German on the screen.
TEST(TranslationCoverage, EveryGermanTextHasAnEnglishAndAPolishEntry)
{
    TranslationTable table;
    ASSERT_TRUE(table.LoadTranslations(QStringLiteral(QUORVANTA_PROGRAM_DIR "/uebersetzung.txt")));
    RecordingServices services;
    MainWindow main{KeyFilterServices{services, services}};
    TapeWindow tape;
    main.AttachTape(&tape);
    LanguageSwitch languages{table, main, &tape};
    languages.ApplyLanguage();
    main.show();
    const QList<ShownText> texts = GermanTextInventory(main, &tape);
    for (const int language : {LanguageEnglish, LanguagePolish}) {
        QStringList missing;
        for (const ShownText& t : texts) {
            const bool found = std::any_of(
                table.Entries().begin(), table.Entries().end(), [&](const TranslationEntry& e) {
                    if (e.form != t.form || e.index != t.index || e.Text(language).isEmpty())
                        return false;
                    if (t.form.isEmpty())
                        return e.component.compare(t.component, Qt::CaseInsensitive) == 0;
                    return e.component == t.component && e.property == t.property;
                });
            if (!found)
                missing.append(t.form + u'/' + t.component + u'/' + PropertyKindName(t.property) +
                               u'/' + QString::number(t.index) + QStringLiteral(": ") + t.text);
        }
        EXPECT_TRUE(missing.isEmpty())
            << "language " << language << ", " << missing.size() << " missing:\n"
            << missing.join(u'\n').toStdString();
    }
}

} // namespace
