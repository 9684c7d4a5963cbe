#include "shell/language_switch.h"

#include "common/calculator_texts.h"
#include "common/control_texts.h"
#include "common/mc_strings.h"
#include "currency/engine/currency_rates.h"
#include "currency/ui/currency_page.h"
#include "formulas/ui/formula_page.h"
#include "keypad/ui/keypad_page.h"
#include "keypad/ui/tape_window.h"
#include "pipes/ui/pipe_page.h"
#include "platform/program_folder.h"
#include "platform/program_pictures.h"
#include "shell/banner_view.h"
#include "shell/main_window.h"
#include "shell/message_rules.h"
#include "units/engine/unit_texts.h"
#include "units/ui/unit_page.h"
#include "widgets/image_button.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

#include <utility>

namespace {

// Where a control's German text is kept once a translation has replaced it.
constexpr const char* kSavedCaption = "_qv_de_caption";
constexpr const char* kSavedHint = "_qv_de_hint";
constexpr const char* kSavedItems = "_qv_de_items";
constexpr const char* kSavedLines = "_qv_de_lines";
constexpr const char* kSavedFont = "_qv_de_font";
constexpr const char* kSavedMask = "_qv_de_mask";
constexpr const char* kSavedTitle = "_qv_de_title";

// Texts the program writes itself: lists the runtime arrays or the data files fill, texts of
// the moment (a message, the tape, a report), and hints made of the version or the web
// address. The arrays translate the first; the others are no words to translate.
bool writtenByTheProgram(const QString& name, PropertyKind kind)
{
    static const QStringList names{
        QStringLiteral("cbo_wind_bezeichnung"), QStringLiteral("cbo_waehrung_1"),
        QStringLiteral("cbo_waehrung_2"),       QStringLiteral("cbxRohre"),
        QStringLiteral("red_rechenstreifen"),   QStringLiteral("lbl_meldung"),
        QStringLiteral("DetailsMemo"),          QStringLiteral("TextLabel"),
        QStringLiteral("img_HintVersion"),      QStringLiteral("Img_Banner"),
    };
    if (names.contains(name) || name.startsWith(u"img_logo"))
        return true;
    // "MC_strings" 58 and 59 say what the tape key does next.
    return kind == PropertyKind::Hint && name == u"img_rechenstreifen_wechsel";
}

// The tab widget a page sits in, with the page's index there.
QTabWidget* tabOf(const QWidget* page, int& index)
{
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    index = tabs ? tabs->indexOf(const_cast<QWidget*>(page)) : -1;
    return index >= 0 ? tabs : nullptr;
}

QString caption(QObject* o)
{
    if (auto* action = qobject_cast<QAction*>(o))
        return action->isSeparator() ? QString() : action->text();
    auto* w = qobject_cast<QWidget*>(o);
    if (!w)
        return {};
    int tab = -1;
    if (QTabWidget* tabs = tabOf(w, tab))
        return tabs->tabText(tab);
    if (w->isWindow())
        return w->windowTitle();
    if (auto* box = qobject_cast<QGroupBox*>(w))
        return box->title();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    return {};
}

void setCaption(QObject* o, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(o)) {
        action->setText(text);
        return;
    }
    auto* w = qobject_cast<QWidget*>(o);
    if (!w)
        return;
    int tab = -1;
    if (QTabWidget* tabs = tabOf(w, tab))
        tabs->setTabText(tab, text);
    else if (w->isWindow())
        w->setWindowTitle(text);
    else if (auto* box = qobject_cast<QGroupBox*>(w))
        box->setTitle(text);
    else if (w->metaObject()->indexOfProperty("text") >= 0)
        w->setProperty("text", text);
}

QString hint(QObject* o)
{
    if (auto* action = qobject_cast<QAction*>(o))
        return action->toolTip() == action->text() ? QString() : action->toolTip();
    auto* w = qobject_cast<QWidget*>(o);
    return w ? w->toolTip() : QString();
}

void setHint(QObject* o, const QString& text)
{
    o->setProperty("toolTip", text);
}

QStringList items(QObject* o)
{
    QStringList list;
    if (auto* combo = qobject_cast<QComboBox*>(o)) {
        for (int i = 0; i < combo->count(); ++i)
            list.append(combo->itemText(i));
    } else if (auto* view = qobject_cast<QListWidget*>(o)) {
        for (int i = 0; i < view->count(); ++i)
            list.append(view->item(i)->text());
    }
    return list;
}

void setItem(QObject* o, int index, const QString& text)
{
    if (auto* combo = qobject_cast<QComboBox*>(o)) {
        if (index < combo->count())
            combo->setItemText(index, text);
    } else if (auto* view = qobject_cast<QListWidget*>(o)) {
        if (index < view->count())
            view->item(index)->setText(text);
    }
}

void setItems(QObject* o, const QStringList& list)
{
    for (int i = 0; i < list.size(); ++i)
        setItem(o, i, list[i]);
}

bool isMemo(QObject* o)
{
    return qobject_cast<QPlainTextEdit*>(o) != nullptr;
}

QString memoText(QObject* o)
{
    auto* memo = qobject_cast<QPlainTextEdit*>(o);
    return memo ? memo->toPlainText() : QString();
}

void setMemoText(QObject* o, const QString& text)
{
    if (auto* memo = qobject_cast<QPlainTextEdit*>(o))
        memo->setPlainText(text);
}

// Keeps the control's German value once, before the first translation replaces it.
void keep(QObject* o, const char* slot, const QVariant& german)
{
    if (!o->property(slot).isValid())
        o->setProperty(slot, german);
}

void restoreGerman(QObject* o)
{
    const QList<QByteArray> names = o->dynamicPropertyNames();
    for (const QByteArray& name : names) {
        if (!name.startsWith("_qv_de_"))
            continue;
        const QVariant german = o->property(name.constData());
        if (name == kSavedCaption)
            setCaption(o, german.toString());
        else if (name == kSavedHint)
            setHint(o, german.toString());
        else if (name == kSavedItems)
            setItems(o, german.toStringList());
        else if (name == kSavedLines)
            setMemoText(o, german.toString());
        else if (name == kSavedFont) {
            if (auto* w = qobject_cast<QWidget*>(o)) {
                QFont font = w->font();
                font.setFamily(german.toString());
                w->setFont(font);
            }
        } else if (name == kSavedMask) {
            if (auto* edit = qobject_cast<QLineEdit*>(o))
                edit->setInputMask(german.toString());
        } else if (name == kSavedTitle)
            o->setProperty("title", german);
    }
}

void applyEntry(QObject* o, PropertyKind kind, int index, const QString& text)
{
    switch (kind) {
    case PropertyKind::Caption:
    case PropertyKind::Text:
        keep(o, kSavedCaption, caption(o));
        setCaption(o, text);
        break;
    case PropertyKind::Hint:
        keep(o, kSavedHint, hint(o));
        setHint(o, text);
        break;
    case PropertyKind::ItemsStrings:
        if (index >= 0 && index < items(o).size()) {
            keep(o, kSavedItems, items(o));
            setItem(o, index, text);
        }
        break;
    case PropertyKind::LinesStrings:
        if (isMemo(o)) {
            QStringList lines = memoText(o).split(u'\n');
            if (index >= 0 && index < lines.size()) {
                keep(o, kSavedLines, memoText(o));
                lines[index] = text;
                setMemoText(o, lines.join(u'\n'));
            }
        }
        break;
    case PropertyKind::FontName:
        if (auto* w = qobject_cast<QWidget*>(o)) {
            keep(o, kSavedFont, w->font().family());
            QFont font = w->font();
            font.setFamily(text);
            w->setFont(font);
        }
        break;
    case PropertyKind::EditMask:
        if (auto* edit = qobject_cast<QLineEdit*>(o)) {
            keep(o, kSavedMask, edit->inputMask());
            edit->setInputMask(text);
        }
        break;
    case PropertyKind::Title:
        if (o->metaObject()->indexOfProperty("title") >= 0) {
            keep(o, kSavedTitle, o->property("title"));
            o->setProperty("title", text);
        }
        break;
    default:
        break; // kinds without an effect here
    }
}

// The window's objects by name, the window itself under the empty name. A name may stand
// for several controls (the same label on two pages): each takes the text.
QHash<QString, QList<QObject*>> objectsByName(QWidget& form, QWidget* within)
{
    QHash<QString, QList<QObject*>> byName;
    QWidget& root = within ? *within : form;
    if (!within)
        byName[QString()].append(&form);
    byName[root.objectName()].append(&root);
    const QList<QObject*> all = root.findChildren<QObject*>();
    for (QObject* o : all)
        if (!o->objectName().isEmpty())
            byName[o->objectName()].append(o);
    return byName;
}

} // namespace

bool IsWordText(const QString& text)
{
    int letters = 0;
    for (const QChar c : text)
        if (c.isLetter() && ++letters >= 2)
            return true;
    return false;
}

QList<ShownText> CollectShownTexts(QWidget& form, QStringList* unnamed)
{
    QList<ShownText> texts;
    const QString formName = form.objectName();
    QList<QObject*> all{&form};
    all += form.findChildren<QObject*>();
    for (QObject* o : all) {
        const QString name = o == &form ? QString() : o->objectName();
        if (name.startsWith(u"qt_"))
            continue;
        QList<ShownText> own;
        const auto add = [&](PropertyKind kind, int index, const QString& text) {
            if (!IsWordText(text) || writtenByTheProgram(name, kind))
                return;
            // Two controls of one name (a label on two pages) are one entry of the table.
            for (const ShownText& t : std::as_const(texts))
                if (t.component == name && t.property == kind && t.index == index &&
                    t.text == text && !name.isEmpty())
                    return;
            own.append({formName, name, kind, index, text});
        };
        add(PropertyKind::Caption, 0, caption(o));
        add(PropertyKind::Hint, 0, hint(o));
        const QStringList list = items(o);
        for (int i = 0; i < list.size(); ++i)
            add(PropertyKind::ItemsStrings, i, list[i]);
        if (auto* memo = qobject_cast<QPlainTextEdit*>(o); memo && memo->isReadOnly()) {
            const QStringList lines = memo->toPlainText().split(u'\n');
            for (int i = 0; i < lines.size(); ++i)
                add(PropertyKind::LinesStrings, i, lines[i]);
        }
        if (o != &form && name.isEmpty()) {
            if (unnamed)
                for (const ShownText& t : own)
                    unnamed->append(formName + u'/' + ReportedClassName(*o) + QStringLiteral(": ") +
                                    t.text);
            continue;
        }
        texts += own;
    }
    return texts;
}

QList<RuntimeArray> GermanRuntimeArrays()
{
    QStringList currencies;
    for (const CurrencyEntry& c : Currencies())
        currencies.append(c.name.toString());
    const UnitTexts units;
    const MessageDialogTexts dialog = MessageDialogTexts::GermanDefaults();
    return {
        {QStringLiteral("MC_strings"), McStrings::GermanDefaults()},
        {QStringLiteral("error_message"), CalculatorTexts().errorMessages},
        {QStringLiteral("t2_euroangabe1"), currencies},
        {QStringLiteral("t_volumenstromangabe"), units.volumeFlowUnits},
        {QStringLiteral("t_zahlensysteme"), units.numberSystems},
        {QStringLiteral("t_windstaerke"), units.windRows},
        {QStringLiteral("wind_bezeichnung"), units.windDescriptions},
        {QStringLiteral("ausgabe_wmeldung"), dialog.ausgabe_wmeldung},
        {QStringLiteral("t_ueber"), dialog.t_ueber},
        {QStringLiteral("ja_nein"), dialog.ja_nein},
    };
}

void ApplyToForm(TranslationTable& table, QWidget& form, int language, QWidget* within)
{
    QWidget& root = within ? *within : form;
    restoreGerman(&root);
    for (QObject* o : root.findChildren<QObject*>())
        restoreGerman(o);
    const QString formName = form.objectName();
    QHash<QString, QList<QObject*>> byName;
    bool indexed = false;
    for (TranslationEntry& entry : table.Entries()) {
        const QString text = entry.Text(language);
        if (text.isEmpty() || entry.form != formName)
            continue;
        if (!indexed) {
            byName = objectsByName(form, within);
            indexed = true;
        }
        const QList<QObject*> controls = byName.value(entry.component);
        for (QObject* o : controls)
            applyEntry(o, entry.property, entry.index, TranslationEntry::Shown(text));
        if (!controls.isEmpty())
            entry.appliedLanguage = language;
    }
}

LanguageSwitch::LanguageSwitch(TranslationTable& table, MainWindow& main, TapeWindow* tape,
                               QObject* parent)
    : QObject(parent), m_table(table), m_main(main), m_tape(tape)
{
    auto* flag = new ImageButton(QString(), &main);
    flag->setObjectName(QStringLiteral("img_sprache"));
    flag->setToolTip(QStringLiteral("Sprache wechseln"));
    flag->setGeometry(MainWindow::ClientWidth - 110, 2, 20, 18);
    flag->SetEffect(&main.ButtonEffect());
    flag->SetKeyboardReachable();
    connect(flag, &ImageButton::clicked, this, &LanguageSwitch::ShowLanguageMenu);

    m_menu = new QMenu(&main);
    m_menu->setObjectName(QStringLiteral("popup_sprache"));
    const struct {
        const char* name;
        const char* caption;
        int code;
    } choices[] = {{"Deutsch1", "Deutsch", LanguageGerman},
                   {"Englisch1", "Englisch", LanguageEnglish},
                   {"Spanisch1", "Spanisch", LanguageSpanish},
                   {"Polnisch1", "Polnisch", LanguagePolish}};
    // The language in use stands checked in the menu.
    auto* marks = new QActionGroup(m_menu);
    marks->setExclusive(true);
    for (const auto& choice : choices) {
        QAction* item = m_menu->addAction(QString::fromLatin1(choice.caption));
        item->setObjectName(QString::fromLatin1(choice.name));
        item->setCheckable(true);
        item->setData(choice.code);
        marks->addAction(item);
        const int code = choice.code;
        connect(item, &QAction::triggered, this, [this, code] { ChangeLanguage(code); });
    }

    const auto page = [&](auto* p, ControlTexts* texts) {
        if (p)
            m_pages.append({p, texts, [p] { p->retranslate(); }});
    };
    page(main.findChild<KeypadPage*>(), &main.KeypadTexts());
    auto* formulas = main.findChild<FormulaPage*>();
    page(formulas, formulas ? &formulas->Texts() : nullptr);
    auto* currency = main.findChild<CurrencyPage*>();
    page(currency, currency ? &currency->Texts() : nullptr);
    auto* units = main.findChild<UnitPage*>();
    page(units, units ? &units->Texts() : nullptr);
    auto* pipes = main.findChild<PipePage*>();
    page(pipes, pipes ? &pipes->Texts() : nullptr);
    for (const PageTexts& p : std::as_const(m_pages)) {
        m_germanPageTexts.append(*p.texts);
        p.page->installEventFilter(this);
    }
    // Dialogs and windows take the language as they open.
    qApp->installEventFilter(this);
}

LanguageSwitch::~LanguageSwitch()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void LanguageSwitch::ShowLanguageMenu()
{
    // Only German, English and Polish are offered.
    m_menu->findChild<QAction*>(QStringLiteral("Spanisch1"))->setVisible(false);
    // At the mouse; below the flag when the pointer is elsewhere (the flag chosen by keyboard,
    // or a desktop that reports no pointer).
    QPoint at = QCursor::pos();
    if (auto* flag = m_main.findChild<QWidget*>(QStringLiteral("img_sprache"));
        flag && !flag->rect().contains(flag->mapFromGlobal(at)))
        at = flag->mapToGlobal(QPoint(0, flag->height()));
    m_menu->popup(at);
}

void LanguageSwitch::ChangeLanguage(int code)
{
    m_language = code;
    auto* formulas = m_main.findChild<FormulaPage*>();
    const bool formulaPage = m_main.Pages()->currentWidget() == formulas;
    ApplyLanguage();
    // The formula page keeps its formula; the pipe page its pipe (its reload keeps it).
    if (formulaPage && formulas)
        formulas->Refresh();
    if (SaveLanguage)
        SaveLanguage(code);
}

void LanguageSwitch::ensureTable()
{
    if (m_tableLoaded || !LoadTable)
        return;
    m_tableLoaded = true;
    LoadTable();
}

void LanguageSwitch::LoadTableNow()
{
    m_windowUp = true;
    if (!m_tableLoaded && LoadTable) {
        ensureTable();
        // What was applied without the table is applied again with it.
        if (m_applied != LanguageUndefined) {
            m_applied = LanguageUndefined;
            ApplyLanguage();
        }
    }
    if (std::exchange(m_qtTranslationsPending, false) && LoadQtTranslations)
        LoadQtTranslations(m_applied);
}

void LanguageSwitch::ApplyLanguage()
{
    if (m_language != LanguageGerman && m_language != LanguageUndefined)
        ensureTable();
    if (m_language != m_applied) {
        // The main window is made with the German pipe file and the rate file already read.
        const bool reload = m_applied != LanguageUndefined || m_language != LanguageGerman;
        m_applied = m_language;
        ApplyToForm(m_table, m_main, m_applied);
        if (m_tape)
            ApplyToForm(m_table, *m_tape, m_applied);
        m_pageLanguage.clear();
        for (const PageTexts& p : std::as_const(m_pages))
            if (p.page && !p.page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty())
                m_pageLanguage.insert(p.page, m_applied);
        fillArrays();
        fillControlTexts();
        if (auto* pipes = m_main.findChild<PipePage*>(); pipes && reload)
            pipes->ChangePipeFileLanguage(m_applied);
        if (auto* formulas = m_main.findChild<FormulaPage*>())
            formulas->SetLanguage(m_applied);
        if (auto* currency = m_main.findChild<CurrencyPage*>(); currency && reload)
            currency->ReloadExchangeRates();
        if (BannerView* banner = m_main.Banner())
            banner->SetLanguage(m_applied);
        // Qt's own texts (its dialogs, the edit menu) are needed only once the window is
        // up: at start they come after the first frame.
        m_qtTranslationsPending = !m_windowUp;
        if (m_windowUp && LoadQtTranslations)
            LoadQtTranslations(m_applied);
    }
    loadImages();
    for (QAction* item : m_menu->actions())
        item->setChecked(item->data().toInt() == m_applied);
}

void LanguageSwitch::fillArrays()
{
    // Every switch starts from German, so the marks of the array entries start afresh.
    for (TranslationEntry& entry : m_table.Entries())
        if (entry.form.isEmpty())
            entry.appliedLanguage = LanguageUndefined;
    const int language = m_applied;
    const auto fill = [&](QStringList german, const char* key) {
        m_table.FillStrings(german, int(german.size()) - 1, QString(), QString::fromLatin1(key),
                            language);
        return german;
    };

    m_main.Texts().SetEntries(fill(McStrings::GermanDefaults(), "MC_strings"));
    m_main.Display().Texts.errorMessages = fill(CalculatorTexts().errorMessages, "error_message");
    m_main.Display().Texts.fixPrompt = m_main.Texts().Entry(McStrings::FixPrompt);
    if (auto* currency = m_main.findChild<CurrencyPage*>()) {
        QStringList names;
        for (const CurrencyEntry& c : Currencies())
            names.append(c.name.toString());
        currency->Calculator().SetNames(fill(names, "t2_euroangabe1"));
    }
    if (auto* units = m_main.findChild<UnitPage*>()) {
        UnitTexts texts;
        texts.volumeFlowUnits = fill(texts.volumeFlowUnits, "t_volumenstromangabe");
        texts.numberSystems = fill(texts.numberSystems, "t_zahlensysteme");
        texts.windRows = fill(texts.windRows, "t_windstaerke");
        texts.windDescriptions = fill(texts.windDescriptions, "wind_bezeichnung");
        units->SetTexts(texts);
    }
    MessageDialogService& messages = m_main.Messages();
    if (language != LanguageGerman || messages.DialogExists()) {
        MessageDialogTexts texts = MessageDialogTexts::GermanDefaults();
        texts.t_ueber = fill(texts.t_ueber, "t_ueber");
        texts.ausgabe_wmeldung = fill(texts.ausgabe_wmeldung, "ausgabe_wmeldung");
        texts.ja_nein = fill(texts.ja_nein, "ja_nein");
        messages.Dialog().Texts = texts;
    }
}

void LanguageSwitch::fillControlTexts()
{
    for (int i = 0; i < m_pages.size(); ++i) {
        ControlTexts& texts = *m_pages[i].texts;
        texts = m_germanPageTexts[i];
        for (const TranslationEntry& entry : m_table.Entries()) {
            const QString text = entry.Text(m_applied);
            if (text.isEmpty() || entry.form != m_main.objectName())
                continue;
            if (entry.property == PropertyKind::Caption || entry.property == PropertyKind::Text)
                texts.Set(entry.component, TextProperty::Caption, TranslationEntry::Shown(text));
            else if (entry.property == PropertyKind::Hint)
                texts.Set(entry.component, TextProperty::Hint, TranslationEntry::Shown(text));
        }
        if (m_pages[i].page)
            m_pages[i].retranslate();
    }
}

void LanguageSwitch::loadImages()
{
    const bool english = m_applied == LanguageEnglish;
    const bool spanish = m_applied == LanguageSpanish;
    const bool polish = m_applied == LanguagePolish;
    // Polish has a heading of its own: the German one would be the only German word left.
    const QString memory = english   ? QStringLiteral("images\\speicher_eng.cc1")
                           : spanish ? QStringLiteral("images\\speicher_spa.cc1")
                           : polish  ? QStringLiteral("images\\speicher_pl.cc1")
                                     : QStringLiteral("images\\speicher.cc1");
    const QString flag = english   ? QStringLiteral("images\\ENG.cc1")
                         : spanish ? QStringLiteral("images\\SPA.cc1")
                         : polish  ? QStringLiteral("images\\PL.cc1")
                                   : QStringLiteral("images\\DE.cc1");
    const QImage memoryImage = ReadBitmapPicture(memory);
    const QImage flagImage = ReadBitmapPicture(flag);
    for (const char* name : {"img_speicher", "img_speicher2"})
        if (auto* label = m_main.findChild<QLabel*>(QLatin1String(name));
            label && !memoryImage.isNull())
            label->setPixmap(QPixmap::fromImage(memoryImage));
    if (auto* button = m_main.findChild<ImageButton*>(QStringLiteral("img_sprache")))
        button->SetPicture(flagImage);
    // Without the table too the folder is no installation of the program (a test's folder):
    // the captions stay as text and nothing is said.
    if ((memoryImage.isNull() || flagImage.isNull()) && !m_table.IsEmpty()) {
        // Said without holding up the program; the captions stay as text.
        m_main.ShowMissingFiles(ProgramFolder::Path(), QStringLiteral("images_missing"));
    }
}

void LanguageSwitch::applyToPage(QWidget* page)
{
    if (!page || m_pageLanguage.value(page, LanguageUndefined) == m_applied)
        return;
    m_pageLanguage.insert(page, m_applied);
    ApplyToForm(m_table, m_main, m_applied, page);
    for (const PageTexts& p : std::as_const(m_pages))
        if (p.page == page)
            p.retranslate();
}

bool LanguageSwitch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show)
        return false;
    // A page builds its controls on its first showing, after this event reaches it.
    for (const PageTexts& p : std::as_const(m_pages)) {
        if (p.page == watched) {
            if (m_pageLanguage.value(p.page, LanguageUndefined) != m_applied)
                QTimer::singleShot(0, this, [this, page = p.page] { applyToPage(page); });
            return false;
        }
    }
    // Dialogs and the other windows take the language as they open; the two windows have it.
    auto* window = qobject_cast<QWidget*>(watched);
    if (window && window->isWindow() && window != &m_main && window != m_tape &&
        m_applied != LanguageUndefined && !window->objectName().isEmpty() &&
        !qobject_cast<QMenu*>(window))
        ApplyToForm(m_table, *window, m_applied);
    return false;
}
