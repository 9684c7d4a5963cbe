#include "pipes/ui/pipe_windows.h"

#include "common/number_text.h"
#include "widgets/image_button.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const QColor kWithinLimit(0xE2, 0xF2, 0xE2);
const QColor kBest(0x9C, 0xD6, 0x9C);
const QColor kCurve(0x30, 0x30, 0x30);
const QColor kSelected(0x1F, 0x5F, 0x99);
const QColor kVelocity(0x2E, 0x8B, 0x57);
const QColor kOperating(0xC0, 0x00, 0x00);
const QColor kGrid(0xD8, 0xD8, 0xD8);
const QColor kFrame(0x97, 0xA4, 0xA1); // the main window's own colour
const QColor kFrameEdge(0x55, 0x5F, 0x5D);
constexpr int kCloseSize = 18;

QTableWidget* makeTable(QWidget* parent, const char* name)
{
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(20);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    return table;
}

QTableWidgetItem* cellItem(const QString& text, Qt::Alignment alignment)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

// A number of a logarithmic axis: "0,01", "1", "1000".
QString axisText(double value)
{
    return GeneralText(value);
}

} // namespace

PipeSideWindow::PipeSideWindow(const char* name, const char* closeName, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QString::fromLatin1(name));
    // Shown beside the main window, the windows leave the keyboard where it is.
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_caption = new QLabel(this);
    m_caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("_titel"));
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_close = new ImageButton(QStringLiteral("×"), this);
    m_close->setObjectName(QString::fromLatin1(closeName));
    connect(m_close, &ImageButton::clicked, this, &QWidget::close);
}

void PipeSideWindow::SetEffect(ImageButtonEffect* effect)
{
    m_close->SetEffect(effect);
}

void PipeSideWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowTitleChange)
        m_caption->setText(windowTitle());
    QWidget::changeEvent(event);
}

void PipeSideWindow::resizeEvent(QResizeEvent* event)
{
    m_caption->setGeometry(6, 2, width() - kCloseSize - 14, ContentTop - 4);
    m_close->setGeometry(width() - kCloseSize - 3, 2, kCloseSize, kCloseSize);
    QWidget::resizeEvent(event);
}

void PipeSideWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kFrame);
    p.setPen(kFrameEdge);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

PipeDimensionsWindow::PipeDimensionsWindow(QWidget* parent)
    : PipeSideWindow("Tfrm_rohrdimensionen", "img_rohrdimensionen_schliessen", parent)
{
    m_table = makeTable(this, "sgr_rohrdimensionen");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Border, ContentTop, Border, Border);
    layout->addWidget(m_table);
    resize(340, 440);
    connect(m_table, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (row >= 0 && row < m_pipeOfRow.size())
            emit PipeClicked(m_pipeOfRow[row]);
    });
    // A cell made current from the keyboard (or a script) selects as a click does.
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous) {
        if (row != previous && row >= 0 && row < m_pipeOfRow.size() && m_table->hasFocus())
            emit PipeClicked(m_pipeOfRow[row]);
    });
}

void PipeDimensionsWindow::Show(const QStringList& headers, const QList<DimensionRow>& rows,
                                const QList<QStringList>& cells, int selectedPipe)
{
    const QSignalBlocker blocker(m_table);
    m_table->clear();
    m_table->setColumnCount(int(headers.size()));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setRowCount(int(rows.size()));
    m_pipeOfRow.clear();
    for (int r = 0; r < rows.size(); ++r) {
        m_pipeOfRow.append(rows[r].index);
        for (int c = 0; c < cells[r].size() && c < headers.size(); ++c) {
            auto* item = cellItem(cells[r][c], c == 0 ? Qt::AlignLeft : Qt::AlignRight);
            if (rows[r].best) {
                item->setBackground(kBest);
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            } else if (rows[r].withinLimit) {
                item->setBackground(kWithinLimit);
            }
            m_table->setItem(r, c, item);
        }
        if (rows[r].index == selectedPipe)
            m_table->setCurrentCell(r, 0);
    }
    m_table->resizeColumnsToContents();
}

PipeChartView::PipeChartView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pbx_rohrdiagramm"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void PipeChartView::SetChart(PipeChart chart, int selectedPipe, const QString& rCaption,
                             const QString& flowCaption)
{
    m_chart = std::move(chart);
    m_selected = selectedPipe;
    m_rCaption = rCaption;
    m_flowCaption = flowCaption;
    update();
}

QRectF PipeChartView::plotArea() const
{
    return QRectF(52, 12, width() - 52 - 14, height() - 12 - 40);
}

QPointF PipeChartView::Position(ChartPoint point) const
{
    const QRectF area = plotArea();
    const double x = (std::log10(point.flow) - std::log10(m_chart.minFlow)) /
                     (std::log10(m_chart.maxFlow) - std::log10(m_chart.minFlow));
    const double y =
        (std::log10(point.r) - std::log10(MinR)) / (std::log10(MaxR) - std::log10(MinR));
    return {area.left() + x * area.width(), area.bottom() - y * area.height()};
}

QImage PipeChartView::Picture()
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter);
    return image;
}

void PipeChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter);
}

void PipeChartView::paint(QPainter& p)
{
    if (!(m_chart.maxFlow > m_chart.minFlow) || m_chart.minFlow <= 0)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = plotArea();
    const QFontMetrics metrics(font());

    // Decades and the 2 and 5 between them; numbers at the decades.
    for (double decade = m_chart.minFlow; decade <= m_chart.maxFlow * 1.001; decade *= 10)
        for (const double step : {1.0, 2.0, 5.0}) {
            const double flow = decade * step;
            if (flow > m_chart.maxFlow * 1.001)
                break;
            const double x = Position({flow, MinR}).x();
            p.setPen(QPen(step == 1 ? kGrid.darker(130) : kGrid, 1));
            p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
            if (step == 1) {
                p.setPen(Qt::black);
                const QString text = axisText(flow);
                p.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2.0, area.bottom() + 14),
                           text);
            }
        }
    for (double decade = MinR; decade <= MaxR * 1.001; decade *= 10)
        for (const double step : {1.0, 2.0, 5.0}) {
            const double r = decade * step;
            if (r > MaxR * 1.001)
                break;
            const double y = Position({m_chart.minFlow, r}).y();
            p.setPen(QPen(step == 1 ? kGrid.darker(130) : kGrid, 1));
            p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
            if (step == 1) {
                p.setPen(Qt::black);
                const QString text = axisText(r);
                p.drawText(QPointF(area.left() - 4 - metrics.horizontalAdvance(text), y + 4), text);
            }
        }
    p.setPen(Qt::black);
    p.drawRect(area);
    p.drawText(QRectF(area.left(), area.bottom() + 18, area.width(), 18), Qt::AlignCenter,
               m_flowCaption);
    p.save();
    p.translate(12, area.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-area.height() / 2, -10, area.height(), 18), Qt::AlignCenter, m_rCaption);
    p.restore();

    p.setClipRect(area);
    const auto pathOf = [&](const QList<ChartPoint>& points) {
        QPainterPath path;
        for (const ChartPoint& point : points) {
            if (!(point.r > 0))
                continue;
            if (path.elementCount() == 0)
                path.moveTo(Position(point));
            else
                path.lineTo(Position(point));
        }
        return path;
    };
    // The label of a line where it leaves the plot at the top, or at its end.
    const auto labelAt = [&](const QList<ChartPoint>& points, const QString& text) {
        QPointF at;
        for (const ChartPoint& point : points)
            if (point.r > 0 && point.r <= MaxR && point.flow <= m_chart.maxFlow)
                at = Position(point);
        if (!at.isNull())
            p.drawText(at + QPointF(-metrics.horizontalAdvance(text) - 2, 12), text);
    };
    for (const PipeChart::VelocityLine& line : m_chart.velocities) {
        p.setPen(QPen(kVelocity, 1, Qt::DashLine));
        p.drawPath(pathOf(line.points));
        p.setPen(kVelocity);
        if (!line.points.isEmpty())
            p.drawText(Position(line.points.first()) + QPointF(4, -4),
                       FixedText(line.velocity, 1) + QStringLiteral(" m/s"));
    }
    for (const PipeChart::Curve& curve : m_chart.pipes) {
        const bool selected = curve.index == m_selected;
        p.setPen(QPen(selected ? kSelected : kCurve, selected ? 2.5 : 1));
        p.drawPath(pathOf(curve.points));
        labelAt(curve.points, QString::number(curve.dn));
    }
    if (m_chart.operating && m_chart.operating->r > 0) {
        const QPointF at = Position(*m_chart.operating);
        p.setPen(QPen(kOperating, 2));
        p.setBrush(kOperating);
        p.drawEllipse(at, 4, 4);
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(at.x(), area.bottom()), at);
        p.drawLine(QPointF(area.left(), at.y()), at);
    }
}

PipeChartWindow::PipeChartWindow(QWidget* parent)
    : PipeSideWindow("Tfrm_rohrdiagramm", "img_rohrdiagramm_schliessen", parent)
{
    constexpr int width = 600;
    constexpr int viewHeight = 446;
    resize(width + 2 * Border, ContentTop + viewHeight + 34);
    m_view = new PipeChartView(this);
    m_view->setGeometry(Border, ContentTop, width, viewHeight);
    auto* png = new QPushButton(this);
    png->setObjectName(QStringLiteral("spb_diagramm_png"));
    png->setGeometry(width - 126, ContentTop + viewHeight + 4, 120, 26);
    connect(png, &QPushButton::clicked, this, &PipeChartWindow::spb_diagramm_pngClick);
}

bool PipeChartWindow::SavePng(const QString& path)
{
    return m_view->Picture().save(path, "PNG");
}

QString PipeChartWindow::PngPath(const QString& chosen)
{
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty())
        return chosen;
    return chosen + QStringLiteral(".png");
}

void PipeChartWindow::spb_diagramm_pngClick()
{
    // A desktop's own dialog may hand back the name as typed, without the filter's ending.
    const QString path = PngPath(
        QFileDialog::getSaveFileName(this, windowTitle(), windowTitle() + QStringLiteral(".png"),
                                     QStringLiteral("PNG (*.png)")));
    if (!path.isEmpty())
        SavePng(path);
}

ZetaPickerWindow::ZetaPickerWindow(QWidget* parent)
    : PipeSideWindow("Tfrm_zetawerte", "img_zetawerte_schliessen", parent)
{
    const FittingCatalogue& catalogue = Fittings();
    m_table = makeTable(this, "sgr_formstuecke");
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->horizontalHeader()->hide();
    m_table->setColumnCount(3);
    m_table->setRowCount(int(catalogue.fittings.size()));
    const int height = int(catalogue.fittings.size()) * 20 + 4;
    m_table->setGeometry(4, ContentTop + 2, 292, height);
    for (int i = 0; i < catalogue.fittings.size(); ++i) {
        // A label per name, so that the translation reaches it by its name.
        auto* name = new QLabel(catalogue.fittings[i].name);
        name->setObjectName(QStringLiteral("lbl_formstueck%1").arg(i));
        name->setContentsMargins(4, 0, 0, 0);
        m_table->setCellWidget(i, 0, name);
        auto* count = new QSpinBox;
        count->setObjectName(QStringLiteral("udo_formstueck%1").arg(i));
        count->setRange(0, 99);
        connect(count, &QSpinBox::valueChanged, this, &ZetaPickerWindow::refresh);
        m_table->setCellWidget(i, 2, count);
        m_counts.append(count);
    }
    m_table->setColumnWidth(0, 170);
    m_table->setColumnWidth(1, 50);
    m_table->setColumnWidth(2, 66);

    auto* caption = new QLabel(this);
    caption->setObjectName(QStringLiteral("lbl_zetasumme"));
    const int below = ContentTop + 2 + height;
    caption->setGeometry(4, below + 6, 90, 22);
    m_sum = new QLineEdit(this);
    m_sum->setObjectName(QStringLiteral("edt_zetasumme"));
    m_sum->setReadOnly(true);
    m_sum->setAlignment(Qt::AlignRight);
    m_sum->setGeometry(96, below + 6, 70, 22);
    auto* take = new QPushButton(this);
    take->setObjectName(QStringLiteral("spb_zeta_uebernehmen"));
    take->setGeometry(176, below + 4, 120, 26);
    connect(take, &QPushButton::clicked, this, [this] { emit SumTaken(Sum()); });
    resize(300, below + 36);
    refresh();
}

void ZetaPickerWindow::SetDn(int dn)
{
    m_dn = dn;
    refresh();
}

double ZetaPickerWindow::Sum() const
{
    QList<int> counts;
    for (const QSpinBox* count : m_counts)
        counts.append(count->value());
    return ZetaSum(Fittings(), counts, m_dn);
}

void ZetaPickerWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ZetaPickerWindow::refresh()
{
    const FittingCatalogue& catalogue = Fittings();
    const double friction = FullyRoughFriction(catalogue, m_dn);
    for (int i = 0; i < catalogue.fittings.size(); ++i)
        m_table->setItem(i, 1,
                         cellItem(FixedText(FittingZeta(catalogue.fittings[i], friction, m_dn), 2),
                                  Qt::AlignRight));
    m_sum->setText(FixedText(Sum(), 2));
}

namespace {
constexpr int kPipeColumn = 3;
} // namespace

HeatingCircuitWindow::HeatingCircuitWindow(QWidget* parent)
    : PipeSideWindow("Tfrm_heizkreis", "img_heizkreis_schliessen", parent)
{
    m_table = makeTable(this, "sgr_heizkreis");
    // The name is edited in place: a double click or F2. The window takes the keyboard only
    // when clicked: the next section is typed on the page while it shows.
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_table->setFocusPolicy(Qt::ClickFocus);
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 0 && item->row() < m_sections)
            emit Renamed(item->row(), item->text());
    });
    m_totals = new QLabel(this);
    m_totals->setObjectName(QStringLiteral("lbl_kreis_summen"));
    m_totals->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_totals->setContentsMargins(4, 2, 4, 2);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    const auto button = [&](const char* name, auto signal) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFocusPolicy(Qt::ClickFocus);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, signal);
    };
    button("spb_kreis_hoch", [this] { emit Moved(CurrentRow(), -1); });
    button("spb_kreis_runter", [this] { emit Moved(CurrentRow(), 1); });
    button("spb_kreis_bearbeiten", [this] { emit Edited(CurrentRow()); });
    button("spb_kreis_entfernen", [this] { emit Removed(CurrentRow()); });
    buttons->addStretch();
    button("spb_kreis_oeffnen", [this] { emit OpenClicked(); });
    button("spb_kreis_speichern", [this] { emit SaveClicked(); });
    button("spb_kreis_drucken", [this] { emit PrintClicked(); });
    button("spb_kreis_csv", [this] { emit CsvClicked(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Border + 2, ContentTop, Border + 2, Border + 2);
    layout->setSpacing(2);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_totals);
    layout->addLayout(buttons);
    resize(QSize(600, 300).expandedTo(minimumSizeHint()));
}

int HeatingCircuitWindow::CurrentRow() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < m_sections ? row : -1;
}

void HeatingCircuitWindow::SetCurrentRow(int row)
{
    if (row >= 0 && row < m_sections)
        m_table->setCurrentCell(row, 0);
}

void HeatingCircuitWindow::Show(const QStringList& headers, const QList<QStringList>& rows,
                                const QStringList& totals, int editedRow)
{
    const QSignalBlocker blocker(m_table);
    const int current = m_table->currentRow();
    m_table->clear();
    // Each caption over its unit, so that the columns are as narrow as their numbers.
    QStringList captions;
    for (const QString& header : headers) {
        QString caption = header;
        const qsizetype space = caption.lastIndexOf(u' ');
        if (space > 0)
            caption[space] = u'\n';
        captions.append(caption);
    }
    m_table->setColumnCount(int(headers.size()));
    m_table->setHorizontalHeaderLabels(captions);
    m_table->setRowCount(int(rows.size()));
    m_sections = int(rows.size()) - 1; // the last is the total row
    for (int r = 0; r < rows.size(); ++r) {
        const bool totalRow = r == m_sections;
        for (int c = 0; c < headers.size(); ++c) {
            const QString cell = c < rows[r].size() ? rows[r][c] : QString();
            auto* item =
                cellItem(cell, c == 0 || c == kPipeColumn ? Qt::AlignLeft : Qt::AlignRight);
            // A pipe by its size ("DN 20 (26,9 × 2,6)"); its whole name is the hint.
            if (c == kPipeColumn && cell.indexOf(QLatin1String("DN ")) > 0)
                item->setText(cell.mid(cell.indexOf(QLatin1String("DN "))));
            if (c != 0 || totalRow)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (totalRow || r == editedRow) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            if (r == editedRow)
                item->setBackground(kWithinLimit);
            if (c == kPipeColumn)
                item->setToolTip(cell);
            m_table->setItem(r, c, item);
        }
    }
    m_table->resizeColumnsToContents();
    // A long name without a DN is cut; the hint shows it whole.
    if (headers.size() > kPipeColumn)
        m_table->setColumnWidth(kPipeColumn, std::min(m_table->columnWidth(kPipeColumn), 150));
    if (current >= 0 && current < m_sections)
        m_table->setCurrentCell(current, 0);
    m_totals->setText(totals.join(u'\n'));
}
