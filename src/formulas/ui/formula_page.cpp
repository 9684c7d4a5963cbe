#include "formulas/ui/formula_page.h"

#include "common/key_chars.h"
#include "common/shared_registers.h"
#include "formulas/ui/formula_drawing.h"
#include "formulas/ui/formula_glyphs.h"
#include "formulas/ui/formula_legend.h"
#include "platform/modules/picture_codecs.h"
#include "platform/program_folder.h"
#include "platform/program_pictures.h"
#include "widgets/align_edit.h"
#include "widgets/image_button.h"
#include "widgets/memory_grid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QWindow>

namespace {

constexpr int kPageWidth = 372;
constexpr QRect kGroupsPlace{4, 2, 364, 78};
constexpr QRect kFormulaBoxPlace{8, 82, 355, 170};
constexpr int kMemoryLeft = 195;
constexpr int kToggleSize = 16;

const QColor kInputColour(0x00, 0x00, 0xFF);
const QColor kResultColour(0x00, 0x80, 0x00);
const QColor kNoticeColour(0xFF, 0x00, 0x00);

void setTextColour(QWidget* w, QColor colour)
{
    QPalette palette = w->palette();
    if (palette.color(QPalette::Text) == colour)
        return;
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    w->setPalette(palette);
}

} // namespace

ControlTexts FormulaControlTexts()
{
    using T = TextProperty;
    QList<ControlTexts::Entry> entries;
    for (int g = 0; g < FormulaPageModel::GroupCount; ++g) {
        const auto& group = FormulaCatalogue::Group(FormulaGroup(g));
        entries.append(
            {QString::fromLatin1(group.tab), T::Caption, QString::fromUtf8(group.caption)});
        entries.append(
            {QString::fromLatin1(group.promptLabel), T::Caption, QString::fromUtf8(group.prompt)});
        entries.append(
            {QString::fromLatin1(group.fixLabel), T::Caption, QStringLiteral("Nachkommastellen:")});
    }
    entries.append({QStringLiteral("img_loeschen"), T::Hint, QStringLiteral("Löschen")});
    entries.append({QStringLiteral("img_in2"), T::Hint, QStringLiteral("Wert speichern")});
    entries.append({QStringLiteral("img_out2"), T::Hint, QStringLiteral("Wert auslesen")});
    entries.append({QStringLiteral("img_clear2"), T::Hint, QStringLiteral("Wert löschen")});
    entries.append({QStringLiteral("sgr_memoryblock2"), T::Hint, QStringLiteral("Speicherplätze")});
    entries.append(FormulaLegend::TwoLineCaptionTexts());
    return ControlTexts(entries);
}

FormulaPage::FormulaPage(SharedRegisters& calculator, const McStrings& captions,
                         KeyFilterServices services, ImageButtonEffect* effect, QWidget* parent)
    : QWidget(parent), m_calculator(calculator), m_captions(captions), m_services(services),
      m_effect(effect), m_pageModel(calculator.Display(), captions, calculator.Memory(), services)
{
    setObjectName(QStringLiteral("tsh_formelrechner"));
}

FormulaPage::~FormulaPage()
{
    // The controls go after the page model: what they signal on their way out (a last focus
    // change, a tab removed) must not reach it.
    disconnect(qApp, nullptr, this, nullptr);
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
        child->removeEventFilter(this);
    }
    for (AlignEdit* field : m_fields)
        if (field)
            field->OnKeyPress = nullptr;
}

void FormulaPage::showEvent(QShowEvent* event)
{
    if (!m_built)
        build();
    watchScreen();
    QWidget::showEvent(event);
}

void FormulaPage::watchScreen()
{
    QWindow* handle = window()->windowHandle();
    if (!handle || handle == m_watchedWindow)
        return;
    m_watchedWindow = handle;
    // On a screen of another pixel ratio the pictures are painted anew at that ratio.
    connect(handle, &QWindow::screenChanged, this, [this] {
        if (!m_built || devicePixelRatioF() == m_renderer.DevicePixelRatio())
            return;
        m_pageModel.DrawFormula(false, false); // a new image: both lines
        m_pageModel.LegendHeight = m_pageModel.DrawLegend();
        if (m_pageModel.DrawingVisible)
            showDrawing();
        Refresh();
    });
}

void FormulaPage::build()
{
    m_built = true;
    buildGroups();
    buildFormulaBox();
    buildLegendAndDrawing();
    buildMemory();
    connectHooks();
    SetLanguage(m_language);
    // Built while the page is being shown: the children are not shown with it.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->show();
    retranslate();
}

void FormulaPage::buildGroups()
{
    m_groups = new QTabWidget(this);
    m_groups->setObjectName(QStringLiteral("pco_formel"));
    m_groups->setGeometry(kGroupsPlace);
    for (int g = 0; g < FormulaPageModel::GroupCount; ++g) {
        const auto& info = FormulaCatalogue::Group(FormulaGroup(g));
        auto* tab = new QWidget;
        tab->setObjectName(QString::fromLatin1(info.tab));
        auto* prompt = new QLabel(tab);
        prompt->setObjectName(QString::fromLatin1(info.promptLabel));
        prompt->setGeometry(6, 4, 340, 16);
        auto* list = new QComboBox(tab);
        list->setObjectName(QString::fromLatin1(info.list));
        list->setGeometry(6, 24, 200, 22);
        list->addItems(FormulaCatalogue::GroupItems(FormulaGroup(g)));
        connect(list, &QComboBox::activated, this, [this](int index) {
            m_pageModel.FormulaChosen(index);
            Refresh();
        });
        auto* label = new QLabel(tab);
        label->setObjectName(QString::fromLatin1(info.fixLabel));
        label->setGeometry(212, 27, 98, 16);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* fix = new AlignEdit(tab);
        fix->setObjectName(QString::fromLatin1(info.fixEdit));
        fix->setGeometry(312, 24, 22, 22);
        fix->setReadOnly(true);
        fix->setFocusPolicy(Qt::NoFocus);
        fix->SetAlignment(AlignEdit::Alignment::eaCenter);
        fix->setText(QStringLiteral("5"));
        auto* upDown = new QSpinBox(tab);
        upDown->setObjectName(QString::fromLatin1(info.fixUpDown));
        upDown->setGeometry(334, 24, 16, 22);
        upDown->setRange(0, 9);
        upDown->setValue(5);
        upDown->setFocusPolicy(Qt::NoFocus);
        if (auto* edit = upDown->findChild<QLineEdit*>())
            edit->hide();
        connect(upDown, &QSpinBox::valueChanged, this, [this](int position) {
            m_pageModel.DecimalsChosen(position);
            Refresh();
        });
        m_lists[size_t(g)] = list;
        m_fixFields[size_t(g)] = fix;
        m_fixUpDowns[size_t(g)] = upDown;
        m_groups->addTab(tab, QString());
    }
    connect(m_groups, &QTabWidget::currentChanged, this, [this](int index) {
        if (index < 0 || FormulaGroup(index) == m_pageModel.ActiveGroup)
            return;
        m_pageModel.GroupLeaving();
        m_pageModel.GroupChosen(FormulaGroup(index));
        Refresh();
    });
}

void FormulaPage::buildFormulaBox()
{
    m_formulaBox = new QScrollArea(this);
    m_formulaBox->setObjectName(QStringLiteral("scx_formel"));
    m_formulaBox->setGeometry(kFormulaBoxPlace);
    m_formulaBox->setFrameShape(QFrame::NoFrame);
    m_formulaBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_formulaBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_formulaBox->setWidgetResizable(false);
    m_formulaSurface = new QWidget;
    m_formulaSurface->resize(m_pageModel.ScrollRange, FormulaRenderer::ImageHeight);
    m_formulaImage = new QLabel(m_formulaSurface);
    m_formulaImage->setObjectName(QStringLiteral("img_formel_front"));
    m_formulaImage->setGeometry(0, 0, FormulaRenderer::ImageWidth, FormulaRenderer::ImageHeight);

    const QFont fieldFont = FormulaFonts::Tahoma(14);
    const int fieldHeight = FormulaRenderer::FieldHeight();
    for (int i = 0; i < FormulaCatalogue::SlotCount; ++i) {
        auto* field = new AlignEdit(m_formulaSurface);
        field->setObjectName(QStringLiteral("edt_variable%1").arg(i));
        field->SetAlignment(AlignEdit::Alignment::eaCenter);
        field->setFrame(false);
        field->setFont(fieldFont);
        // The field is as wide as its text: the edit's own margins would hide part of it.
        field->setTextMargins(-2, 0, -2, 0);
        field->resize(9, fieldHeight);
        field->setAutoFillBackground(true);
        field->hide();
        field->installEventFilter(this);
        field->OnKeyPress = [this, i](AlignEdit& edit, char16_t& key) {
            FieldState state{edit.text(), edit.cursorPosition(),
                             edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition(),
                             int(edit.selectedText().size())};
            m_pageModel.FieldKeyTyped(i, state, key);
            key = KeyChar::None;
            edit.setText(state.text);
            if (state.selectionLength > 0)
                edit.setSelection(state.selectionStart, state.selectionLength);
            else
                edit.setCursorPosition(state.cursor);
            Refresh();
        };
        connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            m_pageModel.FieldTextChanged(i, text);
            Refresh();
        });
        connect(field, &AlignEdit::Exited, this, [this, i] {
            m_pageModel.FieldLeft(i);
            Refresh();
        });
        m_fields[size_t(i)] = field;
    }

    auto* clear = new ImageButton(QStringLiteral("C"), m_formulaSurface);
    clear->setObjectName(QStringLiteral("img_loeschen"));
    clear->setGeometry(kFormulaBoxPlace.width() - 26, 4, 22, 20);
    clear->SetEffect(m_effect);
    connect(clear, &ImageButton::clicked, this, [this] {
        m_pageModel.ClearPressed();
        Refresh();
    });

    m_notice = new QLabel(m_formulaSurface);
    m_notice->setObjectName(QStringLiteral("img_falscheEingabe"));
    m_notice->setGeometry(FormulaRenderer::X0, 2, 140, 19);
    m_notice->setFont(FormulaFonts::Tahoma(11));
    setTextColour(m_notice, kNoticeColour);
    m_notice->setAutoFillBackground(true);
    m_notice->hide();
    m_formulaBox->setWidget(m_formulaSurface);

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const int field = fieldIndex(now);
        if (field >= 0)
            m_pageModel.Model().FocusedField = field;
        else if (now)
            m_pageModel.Model().FocusedField = FormulaModel::NoField;
        // What had the focus as it left the page: a field, or something else of the page.
        if (old && isAncestorOf(old) && (!now || !isAncestorOf(now)))
            m_focusWhenLeaving = fieldIndex(old);
    });
}

void FormulaPage::buildLegendAndDrawing()
{
    const QRect legend = FormulaPageModel::LegendPlace;
    m_legendImage = new QLabel(this);
    m_legendImage->setObjectName(QStringLiteral("img_erklaer"));
    m_legendImage->setGeometry(legend);

    m_drawingPanel = new QFrame(this);
    m_drawingPanel->setObjectName(QStringLiteral("pnl_zeichnung"));
    m_drawingPanel->setGeometry(m_pageModel.DrawingPlace);
    m_drawingImage = new QLabel(m_drawingPanel);
    m_drawingImage->setObjectName(QStringLiteral("img_zeichnung"));
    m_drawingToggle = new ImageButton(QStringLiteral("+"), m_drawingPanel);
    m_drawingToggle->setObjectName(QStringLiteral("img_ShowZeichnung"));
    m_drawingToggle->SetEffect(m_effect);
    connect(m_drawingToggle, &ImageButton::clicked, this, [this] {
        m_pageModel.DrawingSizeToggled();
        Refresh();
    });
}

void FormulaPage::buildMemory()
{
    const int top = FormulaPageModel::LegendPlace.y();
    const char* const names[3] = {"img_in2", "img_out2", "img_clear2"};
    const char* const faces[3] = {"MS", "MR", "MC"};
    for (int i = 0; i < 3; ++i) {
        auto* key = new ImageButton(QString::fromLatin1(faces[i]), this);
        key->setObjectName(QString::fromLatin1(names[i]));
        key->setGeometry(kMemoryLeft + 56 * i, top, 52, 20);
        key->SetEffect(m_effect);
        connect(key, &ImageButton::clicked, this, [this, i] {
            if (i == 0)
                m_pageModel.StoreInMemory(selectedRow());
            else if (i == 1)
                m_pageModel.RecallFromMemory(selectedRow());
            else
                m_pageModel.ClearMemory(selectedRow());
            Refresh();
        });
    }

    m_memoryBox = new QScrollArea(this);
    m_memoryBox->setObjectName(QStringLiteral("scx_speicher2"));
    m_memoryBox->setGeometry(kMemoryLeft, top + 24, kPageWidth - 4 - kMemoryLeft,
                             FormulaPageModel::LegendPlace.height() - 24);
    m_memoryBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memoryBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_memory = new MemoryGridWidget(QStringLiteral("sgr_memoryblock2"));
    m_memory->installEventFilter(this);
    m_memoryBox->setWidget(m_memory);
}

void FormulaPage::connectHooks()
{
    m_pageModel.DrawFormula = [this](bool symbolLine, bool) {
        m_renderer.SetDevicePixelRatio(devicePixelRatioF());
        const int range = m_renderer.DrawFormula(m_pageModel.Model().Variables, symbolLine);
        m_formulaImage->setPixmap(QPixmap::fromImage(m_renderer.Image()));
        return range;
    };
    m_pageModel.ResetFieldWidths = [this] { m_renderer.ResetFieldWidths(); };
    m_pageModel.DrawLegend = [this] {
        const int height = FormulaLegend::DrawLegend(m_legend, m_pageModel.SelectedFormula(),
                                                     m_captions, devicePixelRatioF(),
                                                     FormulaLegend::TwoLineCaptionsOf(m_texts));
        m_legendImage->setPixmap(QPixmap::fromImage(m_legend));
        return height;
    };
    m_pageModel.ShowDrawing = [this] { return showDrawing(); };
    m_pageModel.FocusField = [this](int field) {
        // A field takes the keyboard only once it is shown where the renderer put it.
        refreshFields();
        m_fields[size_t(field)]->setFocus(Qt::OtherFocusReason);
        m_pageModel.Model().FocusedField = field;
    };
}

bool FormulaPage::showDrawing()
{
    const QString name = FormulaDrawing::FileName(m_pageModel.SelectedFormula());
    if (name.isEmpty())
        return false;
    QFile file(ProgramFolder::FilePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const PictureCodecs* codecs = ProgramPictureCodecs();
    const auto picture = codecs ? codecs->ReadGif(file.readAll()) : std::nullopt;
    if (!picture)
        return false;
    m_drawing =
        FormulaDrawing::DrawFitted(*picture, m_pageModel.DrawingPlace.size(), devicePixelRatioF());
    m_drawingImage->setPixmap(QPixmap::fromImage(m_drawing));
    return true;
}

int FormulaPage::fieldIndex(const QObject* object) const
{
    for (int i = 0; i < FormulaCatalogue::SlotCount; ++i)
        if (object && object == m_fields[size_t(i)])
            return i;
    return FormulaModel::NoField;
}

int FormulaPage::selectedRow() const
{
    return std::max(0, m_memory->CurrentRow());
}

void FormulaPage::pco_mainChange()
{
    if (!m_built)
        return;
    m_pageModel.PageShown();
    Refresh();
}

void FormulaPage::pco_mainChanging()
{
    if (m_built)
        m_pageModel.PageLeaving(m_focusWhenLeaving);
}

void FormulaPage::refreshFields()
{
    const FormulaModel& model = m_pageModel.Model();
    for (int i = 0; i < FormulaCatalogue::SlotCount; ++i) {
        AlignEdit* field = m_fields[size_t(i)];
        const VariableField& state = model.Fields[size_t(i)];
        const FieldPlace& place = m_renderer.Fields()[size_t(i)];
        if (field->text() != state.text) {
            field->setText(state.text);
            field->setCursorPosition(int(state.text.size()));
        }
        field->setGeometry(place.pos.x(), place.pos.y(), place.width, field->height());
        field->setFont(place.italic ? FormulaFonts::ArialItalic() : FormulaFonts::Tahoma(14));
        setTextColour(field, state.colour == FieldColour::Result ? kResultColour : kInputColour);
        field->setEnabled(state.enabled);
        field->setReadOnly(state.readOnly);
        field->setVisible(m_pageModel.FieldVisible[size_t(i)]);
        if (std::exchange(m_pageModel.SelectAllRequest[size_t(i)], false))
            field->selectAll();
    }
}

void FormulaPage::Refresh()
{
    if (!m_built)
        return;
    refreshFields();
    const FormulaModel& model = m_pageModel.Model();
    m_notice->setText(model.NoticeText());
    m_notice->setVisible(model.Notice != FormulaNotice::Hidden);
    m_notice->raise();
    m_formulaSurface->resize(m_pageModel.ScrollRange, FormulaRenderer::ImageHeight);

    const int group = int(m_pageModel.ActiveGroup);
    {
        const QSignalBlocker blocker(m_groups);
        m_groups->setCurrentIndex(group);
    }
    const CalcDisplay& display = m_calculator.Display();
    for (int g = 0; g < FormulaPageModel::GroupCount; ++g) {
        m_fixFields[size_t(g)]->setText(display.FixIndicator());
        // The up-down steps from the number shown.
        if (display.FixDecimals >= 0) {
            const QSignalBlocker blocker(m_fixUpDowns[size_t(g)]);
            m_fixUpDowns[size_t(g)]->setValue(display.FixDecimals);
        }
        const QSignalBlocker blocker(m_lists[size_t(g)]);
        m_lists[size_t(g)]->setCurrentIndex(m_pageModel.ListIndex[size_t(g)]);
    }

    m_drawingPanel->setGeometry(m_pageModel.DrawingPlace);
    m_drawingImage->setGeometry(0, 0, m_pageModel.DrawingPlace.width(),
                                m_pageModel.DrawingPlace.height());
    m_drawingToggle->setGeometry(m_pageModel.DrawingPlace.width() - kToggleSize - 2, 2, kToggleSize,
                                 kToggleSize);
    m_drawingToggle->SetFace(
        KeyFace{m_pageModel.DrawingSmall ? QStringLiteral("+") : QStringLiteral("\u2212"), {}, {}});
    m_drawingToggle->setToolTip(m_pageModel.DrawingToggleHint());
    m_drawingPanel->setVisible(m_pageModel.DrawingVisible);
    m_drawingPanel->raise();
    m_memoryBox->setVisible(m_pageModel.MemoryGridVisible());

    for (int row = 0; row < MemorySlots::Count; ++row)
        m_memory->SetValue(row, m_calculator.Memory().Value(row));
}

void FormulaPage::SetLanguage(int languageCode)
{
    m_language = languageCode;
    if (!m_built)
        return;
    // cbo_formelDropDown: the long building-services names get a wider list.
    QComboBox* list = m_lists[size_t(FormulaGroup::BuildingServices)];
    const int width = FormulaPageModel::DropDownWidth(languageCode);
    list->view()->setMinimumWidth(width > 0 ? width : list->width());
}

void FormulaPage::retranslate()
{
    if (!m_built)
        return;
    m_texts.ApplyTo(*this);
    for (int g = 0; g < FormulaPageModel::GroupCount; ++g) {
        const auto& info = FormulaCatalogue::Group(FormulaGroup(g));
        m_groups->setTabText(g, m_texts.Text(QString::fromLatin1(info.tab), TextProperty::Caption));
    }
    // New captions leave the legend's words behind; the lists keep their choice.
    if (m_pageModel.DrawLegend && isVisible())
        m_pageModel.LegendHeight = m_pageModel.DrawLegend();
    Refresh();
}

bool FormulaPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_memory && event->type() == QEvent::KeyPress) {
        const char16_t key = AlignEdit::KeyCharOf(static_cast<QKeyEvent*>(event));
        if (m_calculator.MemoryGridKey(selectedRow(), key)) {
            Refresh();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    const int field = fieldIndex(watched);
    if (field < 0)
        return QWidget::eventFilter(watched, event);
    AlignEdit* edit = m_fields[size_t(field)];
    // Every way of pasting (Shift+Insert, the context menu) goes where Ctrl+V goes: a number
    // is taken and solves at once, anything else is refused.
    const auto pasteAsCtrlV = [edit] {
        char16_t key = KeyChar::CtrlV;
        if (edit->OnKeyPress)
            edit->OnKeyPress(*edit, key);
    };
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste) &&
            AlignEdit::KeyCharOf(static_cast<QKeyEvent*>(event)) != KeyChar::CtrlV) {
            pasteAsCtrlV();
            return true;
        }
        break;
    case QEvent::ContextMenu: {
        QMenu* menu = edit->createStandardContextMenu();
        // The menu names its paste only by the shortcut after the tab.
        const QString pasteKey =
            QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction* paste : menu->actions()) {
            if (paste->text().section(u'\t', 1) != pasteKey)
                continue;
            disconnect(paste, &QAction::triggered, edit, nullptr);
            connect(paste, &QAction::triggered, this, pasteAsCtrlV);
            paste->setEnabled(!edit->isReadOnly() && !m_services.clipboard.Text().isEmpty());
        }
        menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        delete menu;
        return true;
    }
    case QEvent::FocusIn:
    case QEvent::MouseButtonRelease:
        // edt_Markieren: entering or clicking a field selects its whole text.
        m_fields[size_t(field)]->selectAll();
        break;
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            m_pageModel.FieldKeyReleased(field, true, m_fields[size_t(field)]->text());
            Refresh();
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
