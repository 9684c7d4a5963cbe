#include "pipes/ui/pipe_page.h"

#include "common/key_chars.h"
#include "pipes/engine/fluid_tables.h"
#include "pipes/engine/pressure_units.h"
#include "pipes/ui/pipe_windows.h"
#include "platform/printing.h"
#include "platform/program_folder.h"
#include "widgets/align_edit.h"
#include "widgets/image_button.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <functional>

namespace {

constexpr int kMargin = 6;
constexpr int kGroupWidth = 360;
constexpr int kRow = 26; // distance of two rows
constexpr int kFieldHeight = 22;
constexpr int kLabelX = 8;   // captions on the left
constexpr int kFieldX = 122; // fields of the left column
constexpr int kFieldWidth = 70;
constexpr int kRightLabelX = 214;
constexpr int kRightFieldX = 272;
constexpr int kRightFieldWidth = 56;
constexpr int kComboItemsShown = 20;

const QColor kOverLimit(0xC0, 0x00, 0x00);

// UpDown1: only the two arrows. An arrow (or the Up/Down key) steps the pipe; the page says
// where it stands. Both arrows stay live at the ends, since a step there still recomputes.
class UpDownArrows : public QSpinBox {
public:
    using QSpinBox::QSpinBox;
    std::function<void(UpDownButton)> OnClick;

    void stepBy(int steps) override
    {
        if (OnClick && steps != 0)
            OnClick(steps > 0 ? UpDownButton::Up : UpDownButton::Down);
    }

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

// The picture of img_best_pipe: a pipe seen from its end under a magnifying glass.
QImage drawSearchPicture()
{
    QImage image = PictureCanvas({30, 26});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x55, 0x5F, 0x66), 3));
    p.setBrush(QColor(0xD8, 0xE6, 0xF0));
    p.drawEllipse(QPointF(12, 11), 8, 8);
    p.setPen(QPen(QColor(0x1F, 0x5F, 0x99), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 11), 4, 4);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 17), QPointF(26, 23));
    return image;
}

// The pictures of the title row's buttons, 22 × 18: a table, a chart, a printer, a CSV file.
QImage blankPicture(QPainter& p, QImage& image)
{
    image.fill(Qt::transparent);
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    return image;
}

QImage drawTablePicture()
{
    QImage image = PictureCanvas({22, 18});
    QPainter p;
    blankPicture(p, image);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 2.5, 15, 13));
    p.fillRect(QRectF(4, 3, 14, 3), QColor(0x9C, 0xD6, 0x9C));
    for (const double y : {6.5, 9.5, 12.5})
        p.drawLine(QPointF(3.5, y), QPointF(18.5, y));
    p.drawLine(QPointF(8.5, 2.5), QPointF(8.5, 15.5));
    return image;
}

QImage drawChartPicture()
{
    QImage image = PictureCanvas({22, 18});
    QPainter p;
    blankPicture(p, image);
    p.drawLine(QPointF(3.5, 2), QPointF(3.5, 15.5));
    p.drawLine(QPointF(3.5, 15.5), QPointF(20, 15.5));
    p.setPen(QPen(QColor(0x1F, 0x5F, 0x99), 1.5));
    p.drawLine(QPointF(5, 13), QPointF(19, 3));
    p.drawLine(QPointF(9, 14), QPointF(20, 7));
    p.setPen(QPen(QColor(0xC0, 0x00, 0x00), 1));
    p.setBrush(QColor(0xC0, 0x00, 0x00));
    p.drawEllipse(QPointF(12, 8), 1.8, 1.8);
    return image;
}

QImage drawPrinterPicture()
{
    QImage image = PictureCanvas({22, 18});
    QPainter p;
    blankPicture(p, image);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 1.5, 9, 6));
    p.setBrush(QColor(0xA0, 0xA8, 0xB0));
    p.drawRect(QRectF(2.5, 6.5, 17, 7));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 11.5, 9, 5));
    return image;
}

QImage drawCsvPicture()
{
    QImage image = PictureCanvas({22, 18});
    QPainter p;
    blankPicture(p, image);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 19, 15));
    QFont small = p.font();
    small.setPixelSize(8);
    small.setBold(true);
    p.setFont(small);
    p.setPen(QColor(0x2E, 0x8B, 0x57));
    p.drawText(QRectF(1, 1, 20, 16), Qt::AlignCenter, QStringLiteral("csv"));
    return image;
}

// A circuit: a boiler on the left, the supply along the top, a radiator, the return below.
QImage drawCircuitPicture()
{
    QImage image = PictureCanvas({22, 18});
    QPainter p;
    blankPicture(p, image);
    p.setBrush(QColor(0xA0, 0xA8, 0xB0));
    p.drawRect(QRectF(1.5, 5.5, 5, 8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(14.5, 5.5, 6, 8));
    p.setPen(QPen(QColor(0xC0, 0x00, 0x00), 1.5));
    p.drawPolyline(QPolygonF{{4, 5.5}, {4, 2.5}, {17.5, 2.5}, {17.5, 5.5}});
    p.setPen(QPen(QColor(0x1F, 0x5F, 0x99), 1.5));
    p.drawPolyline(QPolygonF{{4, 13.5}, {4, 16}, {17.5, 16}, {17.5, 13.5}});
    return image;
}

char16_t releasedKey(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return KeyChar::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyChar::Enter;
    default:
        return KeyChar::None;
    }
}

} // namespace

PipePage::PipePage(KeyFilterServices services, ImageButtonEffect* effect, QWidget* parent)
    : QWidget(parent), m_texts(PipeControlTexts()), m_services(services), m_effect(effect)
{
    setObjectName(QStringLiteral("tshRohrauslegung"));
}

PipePage::~PipePage() = default;

void PipePage::LoadPipeFileLater(int languageCode)
{
    m_pendingLanguage = languageCode;
    m_language = languageCode;
}

void PipePage::ChangePipeFileLanguage(int languageCode)
{
    m_language = languageCode;
    if (m_pendingLanguage != 0)
        m_pendingLanguage = languageCode;
    else
        LoadPipeFile(languageCode);
}

void PipePage::ReadPendingPipeFile()
{
    if (m_pendingLanguage != 0)
        LoadPipeFile(m_pendingLanguage);
}

void PipePage::LoadPipeFile(int languageCode)
{
    m_pendingLanguage = 0;
    m_language = languageCode;
    const bool loaded = m_sizing.LoadPipeFile(ProgramFolder::Path(), languageCode);
    fillPipeCombo();
    m_sizing.UpdatePipe();
    Refresh();
    // Said when the table becomes empty, not again on each reload while it stays so (the
    // language is applied right after start-up, and reloads the file).
    if (!loaded && !m_tableMissing)
        emit PipeFileMissing(QStringLiteral("Rohrdatei fehlt"));
    m_tableMissing = !loaded;
}

void PipePage::showEvent(QShowEvent* event)
{
    ReadPendingPipeFile();
    if (!m_built)
        build();
    QWidget::showEvent(event);
    watchMainWindow();
    showWindows(true);
    // Entering the page, not the window coming back from the task bar.
    if (event->spontaneous())
        return;
    m_sizing.PageEntered();
    Refresh();
    field(PipeField::edttv)->setFocus(Qt::OtherFocusReason);
}

// Another page, or the main window put away: the page's windows go with it and come back
// with it.
void PipePage::hideEvent(QHideEvent* event)
{
    showWindows(false);
    QWidget::hideEvent(event);
}

void PipePage::build()
{
    m_built = true;
    auto* title = makeLabel("Label28", this, kMargin + 2, 2, 200);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    buildFlowGroup();
    buildPipeGroup();
    buildTitleRow();
    m_notice = makeLabel("lbl_rohrhinweis", this, kMargin + 2, 418, kGroupWidth - 4);
    QPalette red = m_notice->palette();
    red.setColor(QPalette::WindowText, kOverLimit);
    m_notice->setPalette(red);
    auto* notice = makeLabel("Label27", this, kMargin + 2, 440, kGroupWidth - 4);
    notice->setWordWrap(true);
    notice->setFixedHeight(34);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    for (AlignEdit* edit : m_fields)
        connect(edit, &AlignEdit::errorSignal, this,
                [this](int n) { m_services.feedback.ErrorSignal(n); });
    // Children made while the page is being shown are not shown with it.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->show();
    fillPipeCombo();
    retranslate();
}

QLabel* PipePage::makeLabel(const char* name, QWidget* parent, int x, int y, int width)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, width, kFieldHeight);
    return label;
}

AlignEdit* PipePage::makeField(PipeField f, QWidget* parent, int x, int y, int width)
{
    const PipeFieldInfo& info = InfoOf(f);
    auto* edit = new AlignEdit(parent);
    edit->setObjectName(QString::fromLatin1(info.name));
    edit->setGeometry(x, y, width, kFieldHeight);
    edit->SetAlignment(AlignEdit::Alignment::eaRight);
    edit->SetEditType(EditType::etFloat);
    edit->SetDecimals(info.decimals);
    edit->SetEmptyIfZero(info.emptyIfZero);
    edit->setText(m_sizing.Text(f));
    if (info.readOnly) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus); // Tab and Enter pass the results by
    } else {
        connect(edit, &QLineEdit::textChanged, this, [this, f, edit](const QString& text) {
            // A value beyond what the results can show is refused as a wrong key is.
            if (!WithinInputLimit(f, text)) {
                const QString before = m_sizing.Text(f);
                // The cursor goes back to where the refused characters were put in.
                const int cursor =
                    std::clamp(edit->cursorPosition() - int(text.size() - before.size()), 0,
                               int(before.size()));
                const QSignalBlocker blocker(edit);
                edit->setText(before);
                edit->setCursorPosition(cursor);
                m_services.feedback.ErrorSignal(2);
                return;
            }
            m_sizing.SetText(f, text);
        });
    }
    m_fields[size_t(f)] = edit;
    return edit;
}

void PipePage::buildFlowGroup()
{
    using F = PipeField;
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox2"));
    group->setGeometry(kMargin, 20, kGroupWidth, 104);
    const int y0 = 22;
    makeLabel("lbl_temperaturen", group, kLabelX, y0, kFieldX - kLabelX);
    makeField(F::edttv, group, kFieldX, y0, kFieldWidth);
    makeLabel("lbl_tv_einheit", group, kFieldX + kFieldWidth + 4, y0, 20);
    makeLabel("lbl_tr", group, kRightLabelX, y0, 50);
    makeField(F::edttr, group, kRightFieldX, y0, kRightFieldWidth);
    makeLabel("lbl_tr_einheit", group, kRightFieldX + kRightFieldWidth + 4, y0, 24);

    const int y1 = y0 + kRow;
    makeLabel("lbl_leistung", group, kLabelX, y1, kFieldX - kLabelX);
    makeField(F::edtLeistung, group, kFieldX, y1, kFieldWidth);
    makeLabel("lbl_leistung_einheit", group, kFieldX + kFieldWidth + 4, y1, 40);

    const int y2 = y1 + kRow;
    makeLabel("lbl_volumenstrom", group, kLabelX, y2, kFieldX - kLabelX);
    AlignEdit* flow = makeField(F::edtVP, group, kFieldX, y2, kFieldWidth);
    makeLabel("lbl_vp_einheit", group, kFieldX + kFieldWidth + 4, y2, 40);
    makeField(F::edtVP1, group, kRightFieldX, y2, kRightFieldWidth);

    // The fluid: water and the mixtures with values (see AvailableFluids).
    m_fluids = new QComboBox(group);
    m_fluids->setObjectName(QStringLiteral("cbxMedium"));
    const int fluidX = kRightFieldX - 32; // after the load's unit
    m_fluids->setGeometry(fluidX, y1, kGroupWidth - kLabelX - fluidX, kFieldHeight + 2);
    for (const int fluid : AvailableFluids())
        m_fluids->addItem(FluidNames()[fluid].toString());
    // The box is narrower than the mixtures' names: the open list shows them whole, and the
    // chosen one is its hint.
    m_fluids->view()->setMinimumWidth(m_fluids->view()->sizeHintForColumn(0) + 24);
    m_fluids->setToolTip(m_fluids->currentText());
    connect(m_fluids, &QComboBox::currentTextChanged, m_fluids, &QWidget::setToolTip);
    connect(m_fluids, &QComboBox::activated, this, &PipePage::FluidChosen);
    makeLabel("lbl_vp1_einheit", group, kRightFieldX + kRightFieldWidth + 4, y2, 24);

    // Enter in the volume flow goes on to the length, past the read-only l/s.
    flow->SetJumpOnReturn(false);
    flow->OnKeyPress = [this](AlignEdit&, char16_t& key) {
        if (key != KeyChar::Enter)
            return;
        key = KeyChar::None;
        field(PipeField::edtLang)->setFocus(Qt::TabFocusReason);
    };
    for (const F f : {F::edttv, F::edttr, F::edtLeistung, F::edtVP})
        field(f)->installEventFilter(this);
}

void PipePage::buildPipeGroup()
{
    using F = PipeField;
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(kMargin, 128, kGroupWidth, 288);
    const int rightUnitX = kRightFieldX + kRightFieldWidth + 4;

    int y = 22;
    makeLabel("lbl_laenge", group, kLabelX, y, kFieldX - kLabelX);
    makeField(F::edtLang, group, kFieldX, y, kFieldWidth);
    makeLabel("lbl_laenge_einheit", group, kFieldX + kFieldWidth + 4, y, 20);
    makeLabel("lbl_zetawert", group, kRightLabelX, y, kRightFieldX - kRightLabelX);
    makeField(F::edtZetawert, group, kRightFieldX, y, kRightFieldWidth);
    auto* pick = new ImageButton(QStringLiteral("ζ"), group);
    pick->setObjectName(QStringLiteral("spb_zetawerte"));
    pick->setGeometry(kRightFieldX + kRightFieldWidth + 2, y, 22, kFieldHeight);
    pick->SetEffect(m_effect);
    pick->SetKeyboardReachable();
    connect(pick, &ImageButton::clicked, this, &PipePage::spb_zetawerteClick);

    y += kRow;
    makeLabel("lbl_maxvp", group, kLabelX, y, kRightLabelX - kLabelX);
    makeField(F::edtMaxvp, group, kRightLabelX, y, kRightFieldWidth - 8);
    makeLabel("lbl_maxvp_einheit", group, kRightLabelX + kRightFieldWidth - 4, y, 30);
    auto* best = new ImageButton(QString(), group);
    best->setObjectName(QStringLiteral("img_best_pipe"));
    best->setGeometry(kGroupWidth - 8 - 34, y - 3, 34, 28);
    best->SetPicture(drawSearchPicture());
    best->SetEffect(m_effect);
    best->SetKeyboardReachable();
    connect(best, &ImageButton::clicked, this, &PipePage::img_best_pipeClick);
    // F3 searches from anywhere on the page, as the magnifier does.
    auto* search = new QShortcut(QKeySequence(Qt::Key_F3), this);
    search->setContext(Qt::WidgetWithChildrenShortcut);
    connect(search, &QShortcut::activated, best, &ImageButton::click);

    for (const F f : {F::edtLang, F::edtZetawert, F::edtMaxvp})
        connect(field(f), &QLineEdit::textChanged, this, &PipePage::RunLengthChanged);
    for (const F f : {F::edtZetawert, F::edtMaxvp})
        connect(field(f), &AlignEdit::Exited, this, &PipePage::RunLengthChanged);

    y += kRow;
    makeLabel("lbl_rohrbezeichnung", group, kLabelX, y, 200);
    y += 18;
    m_pipes = new QComboBox(group);
    m_pipes->setObjectName(QStringLiteral("cbxRohre"));
    m_pipes->setGeometry(kLabelX, y, kGroupWidth - 2 * kLabelX - 22, kFieldHeight + 2);
    m_pipes->setMaxVisibleItems(kComboItemsShown);
    connect(m_pipes, &QComboBox::activated, this, &PipePage::PipeChosen);
    auto* arrows = new UpDownArrows(group);
    arrows->setObjectName(QStringLiteral("UpDown1"));
    arrows->setGeometry(kGroupWidth - kLabelX - 18, y, 18, kFieldHeight + 2);
    arrows->OnClick = [this](UpDownButton button) { StepPipe(button); };
    // A position set from outside (a script's select) is reached step by step.
    connect(arrows, &QSpinBox::valueChanged, this, &PipePage::stepTo);
    m_upDown = arrows;

    y += kRow + 4;
    makeLabel("lbl_dn", group, kLabelX, y, kFieldX - kLabelX);
    makeField(F::edtDN, group, kFieldX, y, kFieldWidth);
    makeLabel("lbl_volumen", group, kRightLabelX, y, kRightFieldX - kRightLabelX);
    makeField(F::edt_rohrvolumen, group, kRightFieldX, y, kRightFieldWidth);
    makeLabel("lbl_volumen_einheit", group, rightUnitX, y, 20);

    y += kRow;
    makeLabel("lbl_durchfl", group, kLabelX, y, kRightLabelX - kLabelX);
    makeField(F::edtDurchfl, group, kRightLabelX, y, kRightFieldWidth - 8);
    makeLabel("lbl_durchfl_einheit", group, kRightLabelX + kRightFieldWidth - 4, y, 30);

    y += kRow + 4;
    makeLabel("lbl_rohr", group, kLabelX, y, 50);
    makeLabel("lbl_rohr_dp", group, 64, y, 30);
    makeField(F::edtRohrDP, group, kFieldX, y, kFieldWidth);
    m_runUnit = makeLabel("lbl_rohreinheit", group, kFieldX + kFieldWidth + 4, y, 60);
    m_units = new QComboBox(group);
    m_units->setObjectName(QStringLiteral("cbxDruckangabe"));
    m_units->setGeometry(kRightFieldX - 14, y, kGroupWidth - kLabelX - kRightFieldX + 14,
                         kFieldHeight + 2);
    for (int unit = Millibar; unit < PressureUnitCount; ++unit)
        m_units->addItem(PressureUnitName(unit));
    m_units->setMaxVisibleItems(PressureUnitCount);
    connect(m_units, &QComboBox::activated, this, &PipePage::PressureUnitChosen);

    y += kRow;
    makeLabel("lbl_zeta", group, kLabelX, y, 50);
    makeLabel("lbl_zeta_dp", group, 64, y, 30);
    makeField(F::edtZetaDP, group, kFieldX, y, kFieldWidth);
    makeLabel("lbl_kv", group, kRightLabelX, y, kRightFieldX - kRightLabelX - 4)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // m³/h is the widest unit of the column: its field gives way, so that the unit ends inside
    // the frame at every scale of the screen (hinted text grows at 1.5 device pixels a pixel).
    const int kvFieldWidth = kRightFieldWidth - 6;
    makeField(F::edtkv, group, kRightFieldX, y, kvFieldWidth);
    makeLabel("lbl_kv_einheit", group, kRightFieldX + kvFieldWidth + 4, y, 30);

    y += kRow;
    makeLabel("lbl_rwert", group, kLabelX, y, kFieldX - kLabelX);
    makeField(F::edtrwert, group, kFieldX, y, kFieldWidth);
    m_rUnit = makeLabel("lbl_rwert_einheit", group, kFieldX + kFieldWidth + 4, y, 80);
    m_colebrook = new QCheckBox(group);
    m_colebrook->setObjectName(QStringLiteral("chk_colebrook"));
    m_colebrook->setGeometry(kGroupWidth - kLabelX - 100, y, 100, kFieldHeight);
    connect(m_colebrook, &QCheckBox::clicked, this, &PipePage::FrictionLawChosen);

    y += kRow;
    makeLabel("lbl_diffdruck", group, kLabelX, y, kFieldX - kLabelX);
    makeField(F::edtDP, group, kFieldX, y, kFieldWidth);
    m_totalUnit = makeLabel("lbl_diffdruckeinheit", group, kFieldX + kFieldWidth + 4, y, 60);
    // The run as a section of the heating circuit.
    auto* take = new QPushButton(group);
    take->setObjectName(QStringLiteral("spb_teilstrecke"));
    const int takeX = kFieldX + kFieldWidth + 44;
    take->setGeometry(takeX, y - 2, kGroupWidth - kLabelX - takeX, kFieldHeight + 4);
    connect(take, &QPushButton::clicked, this, &PipePage::spb_teilstreckeClick);
}

void PipePage::buildTitleRow()
{
    const int y = 1;
    int x = kMargin + kGroupWidth - 3 * 24;
    auto* circuit = new ImageButton(QString(), this);
    circuit->setObjectName(QStringLiteral("img_heizkreis"));
    circuit->setGeometry(x - 82 - 26, y, 22, 18);
    circuit->SetPicture(drawCircuitPicture());
    circuit->SetEffect(m_effect);
    circuit->SetKeyboardReachable();
    connect(circuit, &ImageButton::clicked, this, &PipePage::img_heizkreisClick);
    m_dimensionsToggle = new QCheckBox(this);
    m_dimensionsToggle->setObjectName(QStringLiteral("chk_rohrdimensionen"));
    m_dimensionsToggle->setGeometry(x - 82, y, 80, 18);
    m_dimensionsToggle->setIcon(QIcon(QPixmap::fromImage(drawTablePicture())));
    connect(m_dimensionsToggle, &QCheckBox::clicked, this, &PipePage::chk_rohrdimensionenClick);
    const struct {
        const char* name;
        QImage picture;
        void (PipePage::*click)();
    } buttons[] = {
        {"img_rohrdiagramm", drawChartPicture(), &PipePage::img_rohrdiagrammClick},
        {"img_rohrauslegung_drucken", drawPrinterPicture(),
         &PipePage::img_rohrauslegung_druckenClick},
        {"img_rohrauslegung_csv", drawCsvPicture(), &PipePage::img_rohrauslegung_csvClick},
    };
    for (const auto& b : buttons) {
        auto* button = new ImageButton(QString(), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(x, y, 22, 18);
        button->SetPicture(b.picture);
        button->SetEffect(m_effect);
        button->SetKeyboardReachable();
        connect(button, &ImageButton::clicked, this, b.click);
        x += 24;
    }
}

void PipePage::fillPipeCombo()
{
    if (!m_built)
        return;
    const QSignalBlocker blocker(m_pipes);
    m_pipes->clear();
    m_pipes->addItems(m_sizing.PipeNames());
    const QSignalBlocker arrows(m_upDown);
    m_upDown->setRange(0, std::max(int(m_sizing.Pipes().size()) - 1, 0));
    Refresh();
}

void PipePage::Refresh()
{
    if (!m_built)
        return;
    for (int i = 0; i < PipeFieldCount; ++i) {
        AlignEdit* edit = m_fields[size_t(i)];
        const QString text = m_sizing.Text(PipeField(i));
        if (edit->text() != text) {
            const QSignalBlocker blocker(edit);
            edit->setText(text);
        }
    }
    QPalette palette = field(PipeField::edtDurchfl)->palette();
    palette.setColor(QPalette::Text, m_sizing.VelocityOverLimit()
                                         ? kOverLimit
                                         : this->palette().color(QPalette::Text));
    field(PipeField::edtDurchfl)->setPalette(palette);
    switch (m_sizing.Notice()) {
    case PipeNotice::None:
        m_notice->clear();
        break;
    case PipeNotice::NoTemperatureDifference:
        m_notice->setText(m_texts.Text(u"msg_keine_spreizung", TextProperty::Caption));
        break;
    case PipeNotice::NoFluidProperties:
        m_notice->setText(m_texts.Text(u"msg_keine_stoffwerte", TextProperty::Caption));
        break;
    }

    const int selected = m_sizing.SelectedPipe();
    if (m_pipes->currentIndex() != selected) {
        const QSignalBlocker blocker(m_pipes);
        m_pipes->setCurrentIndex(selected);
    }
    if (m_upDown->value() != std::max(selected, 0)) {
        const QSignalBlocker blocker(m_upDown);
        m_upDown->setValue(std::max(selected, 0));
    }
    if (m_units->currentIndex() != m_sizing.PressureUnit() - 1) {
        const QSignalBlocker blocker(m_units);
        m_units->setCurrentIndex(m_sizing.PressureUnit() - 1);
    }
    m_rUnit->setText(m_sizing.RUnitLabel());
    m_runUnit->setText(m_sizing.RunUnitLabel());
    m_totalUnit->setText(m_sizing.TotalUnitLabel());
    const int fluid = int(AvailableFluids().indexOf(m_sizing.Fluid()));
    if (m_fluids->currentIndex() != fluid) {
        const QSignalBlocker blocker(m_fluids);
        m_fluids->setCurrentIndex(fluid);
    }
    m_colebrook->setChecked(m_sizing.Law() == FrictionLaw::Colebrook);
    refreshWindows();
}

void PipePage::FluidChosen(int index)
{
    const QList<int> fluids = AvailableFluids();
    if (index >= 0 && index < fluids.size())
        m_sizing.FluidChosen(fluids[index]);
    Refresh();
}

void PipePage::FrictionLawChosen(bool exact)
{
    m_sizing.FrictionLawChosen(exact);
    Refresh();
}

void PipePage::retranslate()
{
    if (!m_built)
        return;
    m_texts.ApplyTo(*this);
    // The report names the fluid as the list shows it, in the language chosen.
    QStringList fluidNames;
    const QList<int> fluids = AvailableFluids();
    for (int i = 0; i < fluids.size(); ++i) {
        while (fluidNames.size() <= fluids[i])
            fluidNames.append(FluidNames()[fluidNames.size()].toString());
        fluidNames[fluids[i]] = m_fluids->itemText(i);
    }
    m_sizing.SetFluidNames(fluidNames);
    for (QWidget* window : {static_cast<QWidget*>(m_dimensions), static_cast<QWidget*>(m_chart),
                            static_cast<QWidget*>(m_zeta), static_cast<QWidget*>(m_circuitWindow)})
        if (window)
            m_texts.ApplyTo(*window);
    Refresh();
}

bool PipePage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mainWindow) {
        if (event->type() == QEvent::Move)
            dockWindows();
        else if (event->type() == QEvent::WindowStateChange)
            showWindows(isVisible() && !m_mainWindow->isMinimized());
        return QWidget::eventFilter(watched, event);
    }
    // A window's own close button (or Esc) closes it for good; the table's clears the toggle.
    if (auto* side = qobject_cast<PipeSideWindow*>(watched)) {
        if (event->type() == QEvent::Close) {
            m_open.removeAll(side);
            if (side == m_dimensions)
                m_dimensionsToggle->setChecked(false);
            dockWindows();
        }
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyRelease) {
        const char16_t key = releasedKey(static_cast<QKeyEvent*>(event));
        if (watched == field(PipeField::edtVP))
            VolumeFlowEntered(key);
        else
            TemperatureOrLoadEntered(key, watched == field(PipeField::edtLeistung)
                                              ? PipeField::edtLeistung
                                              : PipeField::edttv);
    }
    return QWidget::eventFilter(watched, event);
}

void PipePage::TemperatureOrLoadEntered(char16_t key, PipeField from)
{
    m_sizing.TemperatureOrLoadEntered(key, from);
    Refresh();
}

void PipePage::VolumeFlowEntered(char16_t key)
{
    m_sizing.VolumeFlowEntered(key);
    Refresh();
}

void PipePage::RunLengthChanged()
{
    m_sizing.RunLengthChanged();
    Refresh();
}

void PipePage::PipeChosen(int index)
{
    m_sizing.PipeChosen(index);
    Refresh();
}

void PipePage::StepPipe(UpDownButton button)
{
    m_sizing.StepPipe(button);
    Refresh();
}

void PipePage::PressureUnitChosen(int index)
{
    m_sizing.PressureUnitChosen(index);
    Refresh();
}

void PipePage::img_best_pipeClick()
{
    m_sizing.FindBestPipe();
    Refresh();
}

void PipePage::stepTo(int position)
{
    while (m_sizing.SelectedPipe() >= 0 && m_sizing.SelectedPipe() != position) {
        const int before = m_sizing.SelectedPipe();
        m_sizing.StepPipe(position > before ? UpDownButton::Up : UpDownButton::Down);
        if (m_sizing.SelectedPipe() == before)
            break;
    }
    Refresh();
}
