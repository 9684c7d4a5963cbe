#include "currency/ui/currency_page.h"

#include "common/key_chars.h"
#include "common/number_text.h"
#include "platform/autostart.h"
#include "platform/program_folder.h"
#include "widgets/align_edit.h"
#include "widgets/image_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QtMath>

#include <cmath>
#include <functional>

namespace {

constexpr int kMargin = 6;
constexpr int kGroupWidth = 360;
constexpr int kRowHeight = 18;
constexpr int kColumnWidths[3] = {35, 120, 140}; // code, rate, name
constexpr int kRateColumn = 1;
constexpr int kComboItemsShown = 20;

const char* const kSettingBoxes[3] = {"chk_onTop", "chk_kursupdate", "chk_autostart"};

bool opensNoEditor(char16_t key)
{
    using namespace KeyChar;
    return key == None || key == Enter || key == Tab || key == Esc;
}

FieldState stateOf(const QLineEdit& field)
{
    const bool selection = field.hasSelectedText();
    return {field.text(), field.cursorPosition(),
            selection ? field.selectionStart() : field.cursorPosition(),
            selection ? int(field.selectedText().size()) : 0};
}

// The picture of img_kursupdate: two arrows chasing each other round a circle.
QImage drawUpdatePicture()
{
    QImage image = PictureCanvas({48, 48});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor green(0x2E, 0x7D, 0x32);
    const QRectF ring(9, 9, 30, 30);
    for (int half = 0; half < 2; ++half) {
        const int start = 20 + half * 180; // degrees, counter-clockwise from three o'clock
        p.setPen(QPen(green, 5, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(ring, start * 16, 130 * 16);
        // The head sits where the arc ends and points on along it.
        const double end = qDegreesToRadians(double(start + 130));
        const QPointF tip(24 + 15 * std::cos(end), 24 - 15 * std::sin(end));
        const QPointF along(-std::sin(end), -std::cos(end)); // direction of travel
        const QPointF across(std::cos(end), -std::sin(end));
        QPainterPath head;
        head.moveTo(tip + along * 8);
        head.lineTo(tip + across * 7);
        head.lineTo(tip - across * 7);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(green);
        p.drawPath(head);
    }
    return image;
}

// sgr_kurse: a key typed into a cell of the rate column opens the cell's editor and goes on
// to it, as in any editable grid; Ctrl+C needs no editor. Every such key is the page's.
class RateGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

    std::function<void(int row, int column, const FieldState& cell, char16_t& key)> OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        char16_t key = AlignEdit::KeyCharOf(event);
        const QModelIndex index = currentIndex();
        if (opensNoEditor(key) || !index.isValid() || !OnKeyPress) {
            QTableWidget::keyPressEvent(event);
            return;
        }
        if (key != KeyChar::CtrlC && index.flags().testFlag(Qt::ItemIsEditable) &&
            edit(index, QAbstractItemView::AnyKeyPressed, event))
            return;
        const QString text = index.data().toString();
        OnKeyPress(index.row(), index.column(), FieldState{text, int(text.size())}, key);
        event->accept();
    }
};

// Code and name on the button face, every text centred two pixels below the cell's top;
// a rate is edited in an AlignEdit whose keys go to the grid's OnKeyPress first.
class RateCellDelegate : public QStyledItemDelegate {
public:
    struct Hooks {
        std::function<void(int row)> opened;
        std::function<void(int row, const QString& text)> edited;
        std::function<void()> cancelled; // Esc
    };

    RateCellDelegate(RateGrid* grid, Hooks hooks)
        : QStyledItemDelegate(grid), m_grid(grid), m_hooks(std::move(hooks))
    {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const bool face = index.column() != kRateColumn;
        const bool selected = opt.state.testFlag(QStyle::State_Selected);
        const QPalette& palette = opt.palette;
        painter->save();
        painter->fillRect(opt.rect, face       ? palette.button()
                                    : selected ? palette.highlight()
                                               : palette.base());
        painter->setPen(palette.color(face       ? QPalette::ButtonText
                                      : selected ? QPalette::HighlightedText
                                                 : QPalette::Text));
        painter->setFont(opt.font);
        painter->drawText(opt.rect.adjusted(2, 2, -2, 0), Qt::AlignHCenter | Qt::AlignTop,
                          opt.text);
        painter->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        auto* editor = new AlignEdit(parent);
        editor->SetAlignment(AlignEdit::Alignment::eaCenter);
        editor->SetJumpOnReturn(false);
        editor->setFrame(false);
        // Pasting goes through the key rules only: no menu, no dropped text.
        editor->setContextMenuPolicy(Qt::NoContextMenu);
        editor->setAcceptDrops(false);
        editor->setText(index.data().toString());
        editor->selectAll();
        const int row = index.row();
        m_hooks.opened(row);
        RateGrid* grid = m_grid;
        editor->OnKeyPress = [grid, row](AlignEdit& field, char16_t& key) {
            if (grid->OnKeyPress)
                grid->OnKeyPress(row, kRateColumn, stateOf(field), key);
        };
        auto edited = m_hooks.edited;
        QObject::connect(editor, &QLineEdit::textChanged, grid,
                         [edited, row](const QString& text) { edited(row, text); });
        return editor;
    }

    // Esc closes the editor without a word to the model; the cell, which followed the
    // editor, must get back what it held before.
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            m_hooks.cancelled();
        return QStyledItemDelegate::eventFilter(object, event);
    }

    // The cell follows its editor while it is typed in; a paste changes the cell, and the
    // editor then shows it.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* field = static_cast<QLineEdit*>(editor);
        const QString text = index.data().toString();
        if (field->text() != text)
            field->setText(text);
    }
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

private:
    RateGrid* m_grid;
    Hooks m_hooks;
};

} // namespace

CurrencyPage::CurrencyPage(KeyFilterServices services, ImageButtonEffect* effect, QWidget* parent)
    : QWidget(parent), m_texts(CurrencyControlTexts()), m_services(services), m_effect(effect)
{
    setObjectName(QStringLiteral("tsh_waehrungsrechner"));
}

void CurrencyPage::ReloadExchangeRates()
{
    if (!m_ratesPending)
        LoadExchangeRates();
}

void CurrencyPage::ReadPendingRates()
{
    if (m_ratesPending)
        LoadExchangeRates();
}

void CurrencyPage::showEvent(QShowEvent* event)
{
    ReadPendingRates();
    if (!m_built)
        build();
    QWidget::showEvent(event);
    // Entering the page, not the window coming back from the task bar: the amount is typed
    // at once, and the rates grid stands on its first rate.
    if (event->spontaneous())
        return;
    m_grid->setCurrentCell(0, kRateColumn);
    m_amounts[0]->setFocus(Qt::OtherFocusReason);
}

void CurrencyPage::build()
{
    m_built = true;
    buildConversion();
    buildRates();
    buildSettings();
    // Children made while the page is being shown are not shown with it.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->show();
    retranslate();
}

void CurrencyPage::buildConversion()
{
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("gbo_umrechnung"));
    group->setGeometry(kMargin, 4, kGroupWidth, 84);
    const char* const comboNames[2] = {"cbo_waehrung_1", "cbo_waehrung_2"};
    const char* const fieldNames[2] = {"edt_waehrung1", "edt_waehrung2"};
    for (int i = 0; i < 2; ++i) {
        const int y = 24 + i * 28;
        auto* box = new QComboBox(group);
        box->setObjectName(QString::fromLatin1(comboNames[i]));
        box->setGeometry(10, y, 76, 24);
        box->setMaxVisibleItems(kComboItemsShown);
        box->addItems(CurrencyCodes());
        connect(box, &QComboBox::activated, this,
                i == 0 ? &CurrencyPage::cbo_waehrung_1Change : &CurrencyPage::cbo_waehrung_2Change);
        m_combos[i] = box;

        auto* edit = new AlignEdit(group);
        edit->setObjectName(QString::fromLatin1(fieldNames[i]));
        edit->SetAlignment(AlignEdit::Alignment::eaRight);
        // No maxLength: it would cut the computed amounts too. Typing stops in AmountKey.
        edit->setGeometry(94, y, kGroupWidth - 104, 24);
        // Pasting goes through the key rules only: no menu, no dropped text.
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->setAcceptDrops(false);
        edit->OnKeyPress = [this](AlignEdit& f, char16_t& key) {
            key = CurrencyPageModel::AmountKey(key, stateOf(f), m_services.clipboard);
        };
        edit->installEventFilter(this);
        m_amounts[i] = edit;
    }
}

void CurrencyPage::buildRates()
{
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("gbo_kurse"));
    group->setGeometry(kMargin, 94, kGroupWidth, 268);

    auto* perEuro = new QLabel(group);
    perEuro->setObjectName(QStringLiteral("lbl_KursZumEuro"));
    perEuro->setGeometry(10, 22, 200, 18);
    m_dateCaption = new QLabel(group);
    m_dateCaption->setObjectName(QStringLiteral("lbl_datum1"));
    m_dateCaption->setGeometry(10, 40, 120, 18);
    m_date = new QLabel(group);
    m_date->setObjectName(QStringLiteral("lbl_datum"));
    m_date->setGeometry(80, 40, 160, 18);

    m_update = new ImageButton(QString(), group);
    m_update->setObjectName(QStringLiteral("img_kursupdate"));
    m_update->setGeometry(kGroupWidth - 10 - 36, 20, 36, 36);
    m_update->SetPicture(drawUpdatePicture());
    m_update->SetEffect(m_effect);
    connect(m_update, &ImageButton::clicked, this, &CurrencyPage::UpdateRequested);

    auto* grid = new RateGrid(FloatingCount, 3, group);
    m_grid = grid;
    grid->setObjectName(QStringLiteral("sgr_kurse"));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    for (int column = 0; column < 3; ++column)
        grid->setColumnWidth(column, kColumnWidths[column]);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                          QAbstractItemView::EditKeyPressed);
    grid->setTabKeyNavigation(false);
    grid->setItemDelegate(new RateCellDelegate(
        grid, {[this](int row) { m_calc.BeginRateEdit(row); },
               [this](int row, const QString& text) { rateCellEdited(row, text); },
               [this] {
                   m_calc.CancelRateEdit();
                   Refresh();
               }}));
    for (int row = 0; row < FloatingCount; ++row) {
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem;
            item->setFlags(column == kRateColumn
                               ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                               : Qt::ItemIsEnabled);
            grid->setItem(row, column, item);
        }
    }
    const int width = kColumnWidths[0] + kColumnWidths[1] + kColumnWidths[2] +
                      grid->verticalScrollBar()->sizeHint().width() + 2 * grid->frameWidth();
    const int top = 62;
    const int rows = (group->height() - top - 4 - 2 * grid->frameWidth()) / kRowHeight;
    grid->setGeometry((kGroupWidth - width) / 2, top, width,
                      rows * kRowHeight + 2 * grid->frameWidth());
    grid->OnKeyPress = [this](int row, int column, const FieldState& cell, char16_t& key) {
        rateKey(row, column, cell, key);
    };
    // Only the rates can be chosen: a click on a code or a name chooses that row's rate.
    connect(grid, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row >= 0 && !CurrencyPageModel::IsRateColumn(column))
            m_grid->setCurrentCell(row, kRateColumn);
    });
    grid->setCurrentCell(0, kRateColumn);
    markEuroJoinedRows();
}

void CurrencyPage::buildSettings()
{
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("gbo_einstellungen"));
    group->setGeometry(kMargin, 368, kGroupWidth, 90);
    for (int i = 0; i < 3; ++i) {
        auto* box = new QCheckBox(group);
        const QString name = QString::fromLatin1(kSettingBoxes[i]);
        box->setObjectName(name);
        box->setGeometry(10, 22 + i * 21, kGroupWidth - 20, 20);
        connect(box, &QCheckBox::clicked, this,
                [this, name](bool checked) { emit SettingClicked(name, checked); });
    }
    ShowSettings(m_settings);
}

void CurrencyPage::ShowSettings(const SettingBoxes& boxes)
{
    m_settings = boxes;
    if (!m_built)
        return;
    const bool states[3] = {boxes.onTop, boxes.autoUpdate, boxes.autoStart};
    for (int i = 0; i < 3; ++i) {
        auto* box = findChild<QCheckBox*>(QString::fromLatin1(kSettingBoxes[i]));
        box->setChecked(states[i]);
        // Without write access the choice could not be kept: such boxes are not offered.
        if (i > 0)
            box->setVisible(boxes.writable);
    }
}

AlignEdit* CurrencyPage::amountField(AmountField field) const
{
    return m_amounts[field == AmountField::First ? 0 : 1];
}

QComboBox* CurrencyPage::combo(AmountField field) const
{
    return m_combos[field == AmountField::First ? 0 : 1];
}

void CurrencyPage::LoadExchangeRates()
{
    m_ratesPending = false;
    m_calc.TakeExchangeRates(
        LoadUserOrDeliveredRates(ProgramFolder::UserDataPath(), ProgramFolder::Path()));
    m_calc.ConvertAgain();
    Refresh();
}

void CurrencyPage::Refresh()
{
    if (!m_built)
        return;
    for (const AmountField field : {AmountField::First, AmountField::Second}) {
        AlignEdit* edit = amountField(field);
        if (edit->text() != m_calc.Amount(field))
            edit->setText(m_calc.Amount(field));
        QComboBox* box = combo(field);
        if (box->currentIndex() != m_calc.Currency(field)) {
            const QSignalBlocker blocker(box);
            box->setCurrentIndex(m_calc.Currency(field));
        }
        box->setToolTip(m_calc.Hint(field));
    }
    const auto currencies = Currencies();
    for (int row = 0; row < FloatingCount; ++row) {
        const int entry = FirstFloatingEntry + row;
        const QString texts[3] = {currencies[size_t(entry)].code.toString(), m_calc.GridRate(row),
                                  m_calc.Name(entry)};
        for (int column = 0; column < 3; ++column)
            if (m_grid->item(row, column)->text() != texts[column])
                m_grid->item(row, column)->setText(texts[column]);
    }
    m_date->setText(m_calc.DateLabel());
    showRateAge();
}

QString CurrencyPage::ShowUpdateOutcome(RateUpdateResult result)
{
    m_lastAttempt = UpdateAttempt{QDateTime::currentDateTime(), result};
    if (m_built)
        showRateAge();
    return UpdateResultText(m_texts, result, m_calc.DateLabel());
}

void CurrencyPage::showRateAge()
{
    // Old rates are red, and their hint says what became of the last try to renew them.
    const bool stale = RatesAreStale(m_calc.DateLabel(), QDate::currentDate());
    QPalette palette = m_date->palette();
    palette.setColor(QPalette::WindowText,
                     stale ? QColor(Qt::red)
                           : m_dateCaption->palette().color(QPalette::WindowText));
    m_date->setPalette(palette);
    m_date->setToolTip(stale ? StaleRatesHint(m_texts, m_lastAttempt, m_calc.DateLabel())
                             : QString());
    // A currency with no current source keeps its last rate, and its row says since when.
    for (int row = 0; row < FloatingCount; ++row) {
        if (EuroJoinedRate(row))
            continue;
        const QString hint = StaleRateHint(m_texts, m_calc.StaleSince(row));
        for (int column = 0; column < 3; ++column)
            if (m_grid->item(row, column)->toolTip() != hint)
                m_grid->item(row, column)->setToolTip(hint);
    }
}

void CurrencyPage::retranslate()
{
    if (!m_built)
        return;
    m_texts.ApplyTo(*this);
    if (!Autostart::StartsWithWindows())
        if (auto* box = findChild<QAbstractButton*>(QStringLiteral("chk_autostart")))
            box->setText(m_texts.Text(u"chk_autostart_anmeldung", TextProperty::Caption));
    // The date follows its caption, however long the translation.
    m_date->move(m_dateCaption->x() + m_dateCaption->sizeHint().width(), m_dateCaption->y());
    Refresh();
}

bool CurrencyPage::eventFilter(QObject* watched, QEvent* event)
{
    // A key converts when it is let go in the field it was typed in: the release of a Tab
    // or Enter that carried the focus to the other field must not convert back from there.
    for (int i = 0; i < 2; ++i) {
        if (watched != m_amounts[i])
            continue;
        if (event->type() == QEvent::KeyPress)
            m_keyDown[i] = true;
        else if (event->type() == QEvent::FocusIn)
            m_keyDown[i] = false;
        else if (event->type() == QEvent::KeyRelease && m_keyDown[i])
            edt_waehrung1KeyUp(i == 0 ? AmountField::First : AmountField::Second);
    }
    return QWidget::eventFilter(watched, event);
}

void CurrencyPage::edt_waehrung1KeyUp(AmountField field)
{
    m_calc.AmountEdited(field, amountField(field)->text());
    Refresh();
}

void CurrencyPage::cbo_waehrung_1Change(int index)
{
    m_calc.CurrencyChosen(AmountField::First, index);
    Refresh();
}

void CurrencyPage::cbo_waehrung_2Change(int index)
{
    m_calc.CurrencyChosen(AmountField::Second, index);
    Refresh();
}

void CurrencyPage::rateKey(int row, int column, const FieldState& cell, char16_t& key)
{
    const QString before = row >= 0 && row < FloatingCount ? m_calc.GridRate(row) : QString();
    key = m_calc.RateKey(row, column, cell, key, QDate::currentDate(), m_services);
    // A paste has replaced the cell; an edit may have dated the rates today.
    if (row >= 0 && row < FloatingCount && m_calc.GridRate(row) != before)
        keepHandTypedRates();
    Refresh();
}

void CurrencyPage::rateCellEdited(int row, const QString& text)
{
    if (m_calc.RateCellEdited(row, text))
        keepHandTypedRates();
    if (m_grid->item(row, kRateColumn)->text() != m_calc.GridRate(row))
        m_grid->item(row, kRateColumn)->setText(m_calc.GridRate(row));
}

void CurrencyPage::keepHandTypedRates()
{
    // A typed rate is the user's: it outlives a restart and a failed update.
    SaveExchangeRates(ProgramFolder::UserDataPath(), m_calc.RatesToKeep());
}

void CurrencyPage::markEuroJoinedRows()
{
    const auto joined = EuroJoinedCurrencies();
    for (int row = 0; row < FloatingCount; ++row) {
        if (!EuroJoinedRate(row))
            continue;
        QTableWidgetItem* rate = m_grid->item(row, kRateColumn);
        rate->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        const QStringView code = Currencies()[size_t(FirstFloatingEntry + row)].code;
        for (const EuroJoinedCurrency& c : joined)
            if (c.code == code)
                rate->setToolTip(QStringLiteral("1 EUR = %1 %2")
                                     .arg(ToComma(QString::number(c.unitsPerEuro, 'g', 6)))
                                     .arg(code));
    }
}
