// tshRohrauslegung ("Rohrauslegung"): sizing a heating pipe for water. The pipe table is read
// when the main window is made and again on every change of language; the controls are
// built when the page is first shown, so that the program's start pays nothing for them.
// Every rule lives in PipePageModel: the page turns each event into one call there and copies
// its texts back (Refresh).
#pragma once

#include "calculator/key_filter.h"
#include "pipes/pipe_circuit.h"
#include "pipes/pipe_page_model.h"

#include <QWidget>

#include <array>
#include <memory>

class ImageButton;
class HeatingCircuitWindow;
class ImageButtonEffect;
class PipeChartWindow;
class PipeDimensionsWindow;
class PipeSideWindow;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class AlignEdit;
class TextPrinter;
class ZetaPickerWindow;

class PipePage : public QWidget {
    Q_OBJECT
public:
    explicit PipePage(KeyFilterServices services, ImageButtonEffect* effect = nullptr,
                      QWidget* parent = nullptr);
    ~PipePage() override;

    PipePageModel& Sizing() { return m_sizing; }
    // Captions and hints; a translation replaces entries, then calls retranslate().
    ControlTexts& Texts() { return m_texts; }

    // Reads the pipe file of the language from the program folder, refills cbxRohre keeping
    // the selected pipe where it can, and recomputes: at start-up and after every change of
    // language. A missing or empty file is announced through PipeFileMissing, once until a
    // load finds pipes again; the page goes on with an empty table.
    void LoadPipeFile(int languageCode);
    // The same, at the latest when the page is first shown or ReadPendingPipeFile() is
    // called: the window comes up without reading the table. A LoadPipeFile() before then
    // takes its place.
    void LoadPipeFileLater(int languageCode);
    void ReadPendingPipeFile();
    // After a change of language: reads the language's file now, or, while the first read is
    // still pending, only changes its language.
    void ChangePipeFileLanguage(int languageCode);
    // Copies the engine's texts into the controls.
    void Refresh();
    void retranslate();

    void TemperatureOrLoadEntered(char16_t key, PipeField from = PipeField::edttv);
    void VolumeFlowEntered(char16_t key);
    void RunLengthChanged();
    void PipeChosen(int index);
    void StepPipe(UpDownButton button);
    void PressureUnitChosen(int index);
    void img_best_pipeClick();
    void FluidChosen(int index);
    void FrictionLawChosen(bool exact);
    // The dimensions table beside the main window, opened and closed by chk_rohrdimensionen.
    void chk_rohrdimensionenClick(bool open);
    void sgr_rohrdimensionenClick(int pipeIndex);
    void img_rohrdiagrammClick();
    void spb_zetawerteClick();
    void ZetaSumTaken(double zeta);
    // The page's inputs, results and dimensions through the print dialog.
    void img_rohrauslegung_druckenClick();
    // Asks for a file name, then ExportCsv.
    void img_rohrauslegung_csvClick();
    // The page as CSV (UTF-8 with byte-order mark, ";" between cells, the language's
    // decimal separator); false when the file cannot be written.
    bool ExportCsv(const QString& path) const;

    // The heating circuit. "Teilstrecke übernehmen" adds the page's run as a section, or,
    // while a section is open on the page (EditSection), writes the page back into it; the
    // circuit window opens with the first section.
    void spb_teilstreckeClick();
    void img_heizkreisClick();
    const QList<CircuitSection>& Circuit() const { return m_circuit; }
    int EditedSection() const { return m_editing; } // -1 when none is open on the page
    void EditSection(int row);
    void RenameSection(int row, const QString& name);
    void MoveSection(int row, int by);
    void RemoveSection(int row);
    // The circuit with the page's temperatures, fluid and law; false when it cannot be
    // written.
    bool SaveCircuit(const QString& path) const;
    // A circuit file replaces the circuit and sets the page's temperatures, fluid and law to
    // the file's. A file that cannot be read is said in a message and changes nothing.
    bool OpenCircuit(const QString& path);
    bool ExportCircuitCsv(const QString& path) const;
    void spb_kreis_oeffnenClick();
    void spb_kreis_speichernClick();
    void spb_kreis_druckenClick();
    void spb_kreis_csvClick();
    HeatingCircuitWindow* CircuitWindow() const { return m_circuitWindow; }

    // The windows, once opened (null before).
    PipeDimensionsWindow* DimensionsWindow() const { return m_dimensions; }
    PipeChartWindow* ChartWindow() const { return m_chart; }
    ZetaPickerWindow* ZetaWindow() const { return m_zeta; }
    // The printer the print dialog starts from (tests point it at a PDF file).
    TextPrinter& Printer();

signals:
    void PipeFileMissing(const QString& message);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString pageTitle() const;
    QString circuitName() const;
    void build();
    void buildFlowGroup();
    void buildPipeGroup();
    void buildTitleRow();
    void refreshWindows();
    // The windows the user opened and has not closed, in the order they stack.
    QList<PipeSideWindow*> openWindows() const;
    void openWindow(PipeSideWindow* window);
    // They show while the page does, docked at the main window's right edge.
    void showWindows(bool shown);
    void dockWindows();
    void watchMainWindow();
    AlignEdit* makeField(PipeField field, QWidget* parent, int x, int y, int width);
    QLabel* makeLabel(const char* name, QWidget* parent, int x, int y, int width);
    AlignEdit* field(PipeField f) const { return m_fields[size_t(f)]; }
    void fillPipeCombo();
    QList<QStringList> circuitReport() const;
    void refreshCircuit();
    void circuitMessage(const QString& text);
    void stepTo(int position);

    PipePageModel m_sizing;
    ControlTexts m_texts;
    KeyFilterServices m_services;
    ImageButtonEffect* m_effect;
    bool m_built = false;
    int m_language = 1;          // of the pipe file: the report's decimal separator follows it
    bool m_tableMissing = false; // the last load found no pipes, and said so
    int m_pendingLanguage = 0;   // a table still to read, in this language; 0: none
    std::array<AlignEdit*, PipeFieldCount> m_fields{};
    QComboBox* m_pipes = nullptr;
    QSpinBox* m_upDown = nullptr;
    QComboBox* m_units = nullptr;
    QLabel* m_rUnit = nullptr;
    QLabel* m_runUnit = nullptr;
    QLabel* m_totalUnit = nullptr;
    QComboBox* m_fluids = nullptr;
    QCheckBox* m_colebrook = nullptr;
    QCheckBox* m_dimensionsToggle = nullptr;
    QLabel* m_notice = nullptr;      // lbl_rohrhinweis: why results stay empty
    QWidget* m_mainWindow = nullptr; // watched for moves, minimising and restoring
    PipeDimensionsWindow* m_dimensions = nullptr;
    PipeChartWindow* m_chart = nullptr;
    ZetaPickerWindow* m_zeta = nullptr;
    HeatingCircuitWindow* m_circuitWindow = nullptr;
    QList<PipeSideWindow*> m_open; // opened by the user, not closed since
    QList<CircuitSection> m_circuit;
    int m_editing = -1; // the section open on the page
    std::unique_ptr<TextPrinter> m_printer;
};
