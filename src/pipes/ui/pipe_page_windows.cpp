// The pipe page's windows beside the main window and its report: opening, docking, showing
// with the page, and the printed and saved report.
#include "pipes/ui/pipe_page.h"

#include "pipes/engine/pressure_units.h"
#include "pipes/engine/window_dock.h"
#include "pipes/ui/pipe_windows.h"
#include "platform/printing.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QScreen>
#include <QTabWidget>

TextPrinter& PipePage::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<TextPrinter>();
    return *m_printer;
}

void PipePage::refreshWindows()
{
    const auto caption = [this](const char* component) {
        return m_texts.Text(QString::fromLatin1(component), TextProperty::Caption);
    };
    const QString unit = PressureUnitName(m_sizing.PressureUnit());
    if (m_dimensions && m_dimensions->isVisible()) {
        const QList<DimensionRow> rows = m_sizing.DimensionRows();
        QList<QStringList> cells;
        for (const DimensionRow& row : rows)
            cells.append(m_sizing.DimensionCells(row));
        m_dimensions->Show({caption("hdr_dn"), caption("hdr_di"), caption("hdr_v"),
                            caption("hdr_r") + u' ' + unit + QStringLiteral("/m"),
                            caption("hdr_dp") + u' ' + unit},
                           rows, cells, m_sizing.SelectedPipe());
    }
    if (m_chart && m_chart->isVisible())
        m_chart->View()->SetChart(m_sizing.Chart(), m_sizing.SelectedPipe(),
                                  caption("lbl_diagramm_r") + QStringLiteral(" Pa/m"),
                                  caption("lbl_diagramm_vp"));
    if (m_zeta && m_zeta->isVisible() && m_sizing.SelectedPipe() >= 0)
        m_zeta->SetDn(m_sizing.Pipes()[m_sizing.SelectedPipe()].dn);
    refreshCircuit();
}

QList<PipeSideWindow*> PipePage::openWindows() const
{
    QList<PipeSideWindow*> windows;
    for (PipeSideWindow* window :
         {static_cast<PipeSideWindow*>(m_dimensions), static_cast<PipeSideWindow*>(m_chart),
          static_cast<PipeSideWindow*>(m_zeta), static_cast<PipeSideWindow*>(m_circuitWindow)})
        if (window && m_open.contains(window))
            windows.append(window);
    return windows;
}

void PipePage::openWindow(PipeSideWindow* window)
{
    if (!m_open.contains(window))
        m_open.append(window);
    window->SetEffect(m_effect);
    window->installEventFilter(this);
    dockWindows();
    if (isVisible())
        window->show();
}

void PipePage::showWindows(bool shown)
{
    if (shown)
        dockWindows();
    for (PipeSideWindow* window : openWindows())
        window->setVisible(shown);
    if (shown)
        refreshWindows();
}

void PipePage::dockWindows()
{
    const QWidget* main = window();
    const QList<PipeSideWindow*> windows = openWindows();
    if (windows.isEmpty() || main == this)
        return;
    const QScreen* screen = main->screen();
    QList<QSize> sizes;
    for (const PipeSideWindow* w : windows)
        sizes.append(w->size());
    const QList<QPoint> places =
        DockBeside(main->frameGeometry(), sizes,
                   screen ? screen->availableGeometry() : QRect(QPoint(), QSize(1 << 20, 1 << 20)));
    for (int i = 0; i < windows.size(); ++i)
        windows[i]->move(places[i]);
}

// The windows follow the main window as the tape does: its moves, its minimising.
void PipePage::watchMainWindow()
{
    QWidget* main = window();
    if (main == this || main == m_mainWindow)
        return;
    if (m_mainWindow)
        m_mainWindow->removeEventFilter(this);
    m_mainWindow = main;
    main->installEventFilter(this);
}

void PipePage::chk_rohrdimensionenClick(bool open)
{
    if (!open) {
        if (m_dimensions)
            m_dimensions->close();
        return;
    }
    if (!m_dimensions) {
        m_dimensions = new PipeDimensionsWindow(this);
        connect(m_dimensions, &PipeDimensionsWindow::PipeClicked, this,
                &PipePage::sgr_rohrdimensionenClick);
        m_texts.ApplyTo(*m_dimensions);
    }
    openWindow(m_dimensions);
    refreshWindows();
}

void PipePage::sgr_rohrdimensionenClick(int pipeIndex)
{
    m_sizing.PipeChosen(pipeIndex);
    Refresh();
}

void PipePage::img_rohrdiagrammClick()
{
    if (!m_chart) {
        m_chart = new PipeChartWindow(this);
        m_texts.ApplyTo(*m_chart);
    }
    openWindow(m_chart);
    m_chart->raise();
    refreshWindows();
}

void PipePage::spb_zetawerteClick()
{
    if (!m_zeta) {
        m_zeta = new ZetaPickerWindow(this);
        connect(m_zeta, &ZetaPickerWindow::SumTaken, this, &PipePage::ZetaSumTaken);
        m_texts.ApplyTo(*m_zeta);
    }
    openWindow(m_zeta);
    m_zeta->raise();
    refreshWindows();
}

void PipePage::ZetaSumTaken(double zeta)
{
    m_sizing.SetZetaSum(zeta);
    Refresh();
}

QString PipePage::pageTitle() const
{
    // The page's name as its tab shows it, in the language chosen.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            if (const int i = tabs->indexOf(const_cast<PipePage*>(this)); i >= 0)
                return tabs->tabText(i).remove(u'&');
    return QStringLiteral("Rohrauslegung");
}

void PipePage::img_rohrauslegung_druckenClick()
{
    Printer().Print(this, pageTitle(), m_sizing.PrintText(m_texts, ReportSeparator(m_language)));
}

void PipePage::img_rohrauslegung_csvClick()
{
    const QString path = QFileDialog::getSaveFileName(
        this, m_texts.Text(u"img_rohrauslegung_csv", TextProperty::Hint),
        pageTitle() + QStringLiteral(".csv"), QStringLiteral("CSV (*.csv)"));
    if (!path.isEmpty() && !ExportCsv(path))
        m_services.feedback.ErrorSignal(2);
}

bool PipePage::ExportCsv(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes =
        "\xEF\xBB\xBF" + m_sizing.CsvText(m_texts, ReportSeparator(m_language)).toUtf8();
    return file.write(bytes) == bytes.size() && file.flush();
}
