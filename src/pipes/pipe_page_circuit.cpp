// The pipe page's heating circuit: taking the page's run as a section, the circuit window,
// the circuit file, its print and CSV. Every number comes from the page's engine through
// Evaluate; the page keeps the sections' inputs only.
#include "pipe_page.h"

#include "calculator/number_text.h"
#include "pipes/pipe_windows.h"
#include "shell/platform/printing.h"

#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLayout>
#include <QMessageBox>

QList<QStringList> PipePage::circuitReport() const
{
    return CircuitReport(Evaluate(m_sizing, m_circuit), m_sizing, m_texts,
                         ReportSeparator(m_language));
}

void PipePage::refreshCircuit()
{
    if (!m_circuitWindow || !m_circuitWindow->isVisible())
        return;
    const QList<QStringList> report = circuitReport();
    QList<QStringList> rows = report.mid(2, m_circuit.size());
    rows.append(CircuitTotalRow(report, m_texts));
    m_circuitWindow->Show(report[1], rows, CircuitTotalLines(report), m_editing);
}

void PipePage::spb_teilstreckeClick()
{
    const bool editing = m_editing >= 0 && m_editing < m_circuit.size();
    const auto section =
        SectionFromPage(m_sizing, editing ? m_circuit[m_editing].name : NextSectionName(m_circuit));
    // A run without losses (no load, impossible temperatures) is no section.
    if (!section) {
        m_services.feedback.ErrorSignal(2);
        return;
    }
    if (editing)
        m_circuit[m_editing] = *section;
    else
        m_circuit.append(*section);
    m_editing = -1;
    img_heizkreisClick();
}

void PipePage::img_heizkreisClick()
{
    if (!m_circuitWindow) {
        m_circuitWindow = new HeatingCircuitWindow(this);
        auto* w = m_circuitWindow;
        connect(w, &HeatingCircuitWindow::Renamed, this, &PipePage::RenameSection);
        connect(w, &HeatingCircuitWindow::Moved, this, &PipePage::MoveSection);
        connect(w, &HeatingCircuitWindow::Removed, this, &PipePage::RemoveSection);
        connect(w, &HeatingCircuitWindow::Edited, this, &PipePage::EditSection);
        connect(w, &HeatingCircuitWindow::OpenClicked, this, &PipePage::spb_kreis_oeffnenClick);
        connect(w, &HeatingCircuitWindow::SaveClicked, this, &PipePage::spb_kreis_speichernClick);
        connect(w, &HeatingCircuitWindow::PrintClicked, this, &PipePage::spb_kreis_druckenClick);
        connect(w, &HeatingCircuitWindow::CsvClicked, this, &PipePage::spb_kreis_csvClick);
        m_texts.ApplyTo(*w);
    }
    openWindow(m_circuitWindow);
    m_circuitWindow->raise();
    refreshWindows();
    // Its captions and rows may widen it: docked again at the size it takes.
    m_circuitWindow->layout()->activate();
    dockWindows();
}

void PipePage::EditSection(int row)
{
    if (row < 0 || row >= m_circuit.size())
        return;
    m_editing = row;
    ShowSection(m_sizing, m_circuit[row]);
    Refresh();
}

void PipePage::RenameSection(int row, const QString& name)
{
    if (row >= 0 && row < m_circuit.size())
        m_circuit[row].name = CleanSectionName(name);
    refreshWindows();
}

void PipePage::MoveSection(int row, int by)
{
    const int to = row + by;
    if (row < 0 || row >= m_circuit.size() || to < 0 || to >= m_circuit.size())
        return;
    m_circuit.move(row, to);
    // The section open on the page moves with its row.
    if (m_editing == row)
        m_editing = to;
    else if (m_editing == to)
        m_editing = row;
    refreshWindows();
    if (m_circuitWindow)
        m_circuitWindow->SetCurrentRow(to);
}

void PipePage::RemoveSection(int row)
{
    if (row < 0 || row >= m_circuit.size())
        return;
    m_circuit.removeAt(row);
    if (m_editing == row)
        m_editing = -1;
    else if (m_editing > row)
        --m_editing;
    refreshWindows();
}

bool PipePage::SaveCircuit(const QString& path) const
{
    CircuitFile circuit;
    circuit.fluid = m_sizing.Fluid();
    circuit.tv = FieldFloat(m_sizing.Text(PipeField::edttv));
    circuit.tr = FieldFloat(m_sizing.Text(PipeField::edttr));
    circuit.law = m_sizing.Law();
    circuit.sections = m_circuit;
    const QByteArray bytes = WriteCircuitFile(circuit);
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

bool PipePage::OpenCircuit(const QString& path)
{
    QFile file(path);
    // A circuit file is a few kilobytes; a much larger one is not one.
    constexpr qint64 kLargest = 1 << 20;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargest) {
        circuitMessage(m_texts.Text(u"msg_kreis_lesen", TextProperty::Caption));
        return false;
    }
    const CircuitFileRead read =
        ReadCircuitFile(file.read(kLargest + 1), int(m_sizing.Pipes().size()));
    if (!read.file) {
        const auto text = [this](const char16_t* key) {
            return m_texts.Text(QStringView(key), TextProperty::Caption);
        };
        using E = CircuitFileError;
        switch (read.error) {
        case E::Empty:
            circuitMessage(text(u"msg_kreis_leer"));
            break;
        case E::NotACircuit:
            circuitMessage(text(u"msg_kreis_fremd"));
            break;
        case E::Version:
            circuitMessage(text(u"msg_kreis_version"));
            break;
        case E::TooMany:
            circuitMessage(text(u"msg_kreis_zuviele"));
            break;
        case E::Truncated:
            circuitMessage(text(u"msg_kreis_unvollstaendig"));
            break;
        default:
            circuitMessage(text(u"msg_kreis_wert") + u' ' + QString::number(read.line));
        }
        return false;
    }
    const CircuitFile& circuit = *read.file;
    m_sizing.SetText(PipeField::edttv, FixedText(circuit.tv, InfoOf(PipeField::edttv).decimals));
    m_sizing.SetText(PipeField::edttr, FixedText(circuit.tr, InfoOf(PipeField::edttr).decimals));
    m_sizing.FrictionLawChosen(circuit.law == FrictionLaw::Colebrook);
    m_sizing.FluidChosen(circuit.fluid); // the flow follows the temperatures, then the pipe
    m_circuit = circuit.sections;
    m_editing = -1;
    Refresh();
    img_heizkreisClick();
    return true;
}

void PipePage::circuitMessage(const QString& text)
{
    auto* box =
        new QMessageBox(QMessageBox::Warning, window()->windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

bool PipePage::ExportCircuitCsv(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = "\xEF\xBB\xBF" + CircuitCsv(circuitReport()).toUtf8();
    return file.write(bytes) == bytes.size() && file.flush();
}

// The circuit's files are offered under its name in the language chosen.
QString PipePage::circuitName() const
{
    const QString name = m_texts.Text(u"Tfrm_heizkreis", TextProperty::Caption);
    return name.isEmpty() ? QStringLiteral("Heizkreis") : name;
}

void PipePage::spb_kreis_oeffnenClick()
{
    const QString path =
        QFileDialog::getOpenFileName(this, m_texts.Text(u"spb_kreis_oeffnen", TextProperty::Hint),
                                     QString(), circuitName() + QStringLiteral(" (*.qvc)"));
    if (!path.isEmpty())
        OpenCircuit(path);
}

void PipePage::spb_kreis_speichernClick()
{
    QString path = QFileDialog::getSaveFileName(
        this, m_texts.Text(u"spb_kreis_speichern", TextProperty::Hint),
        circuitName() + QStringLiteral(".qvc"), circuitName() + QStringLiteral(" (*.qvc)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".qvc");
    if (!SaveCircuit(path))
        circuitMessage(m_texts.Text(u"msg_kreis_schreiben", TextProperty::Caption));
}

void PipePage::spb_kreis_druckenClick()
{
    Printer().Print(this, m_texts.Text(u"Tfrm_heizkreis", TextProperty::Caption),
                    CircuitPrintText(circuitReport(),
                                     QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))));
}

void PipePage::spb_kreis_csvClick()
{
    const QString path = QFileDialog::getSaveFileName(
        this, m_texts.Text(u"spb_kreis_csv", TextProperty::Hint),
        circuitName() + QStringLiteral(".csv"), QStringLiteral("CSV (*.csv)"));
    if (!path.isEmpty() && !ExportCircuitCsv(path))
        m_services.feedback.ErrorSignal(2);
}
