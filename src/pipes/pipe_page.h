// tshRohrauslegung ("Rohrauslegung"): sizing a heating pipe for water. The pipe table is read
// when the main window is made and again on every change of language; the controls are
// built when the page is first shown, so that the program's start pays nothing for them.
// Every rule lives in PipeSizing: the page turns each event into one call there and copies
// its texts back (Refresh).
#pragma once

#include "calculator/key_filter.h"
#include "pipes/pipe_sizing.h"

#include <QWidget>

#include <array>

class ImageButton;
class ImageButtonEffect;
class QComboBox;
class QLabel;
class QSpinBox;
class TAlignEdit;

class PipePage : public QWidget {
    Q_OBJECT
public:
    explicit PipePage(KeyFilterServices services, ImageButtonEffect* effect = nullptr,
                      QWidget* parent = nullptr);

    PipeSizing& Sizing() { return m_sizing; }
    // Captions and hints; a translation replaces entries, then calls retranslate().
    ControlTexts& Texts() { return m_texts; }

    // Reads the pipe file of the language from the program folder, refills cbxRohre keeping
    // the selected pipe where it can, and recomputes: at start-up and after every change of
    // language. A missing or empty file is announced once through PipeFileMissing, and the
    // page goes on with an empty table.
    void LoadPipeFile(int languageCode);
    // Copies the engine's texts into the controls.
    void Refresh();
    void retranslate();

    void edttvKeyUp(char16_t key);
    void edtVPKeyUp(char16_t key);
    void edtLangChange();
    void cbxRohreClick(int index);
    void UpDown1Click(UpDownButton button);
    void cbxDruckangabeClick(int index);
    void img_best_pipeClick();

signals:
    void PipeFileMissing(const QString& message);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildFlowGroup();
    void buildPipeGroup();
    TAlignEdit* makeField(PipeField field, QWidget* parent, int x, int y, int width);
    QLabel* makeLabel(const char* name, QWidget* parent, int x, int y, int width);
    TAlignEdit* field(PipeField f) const { return m_fields[size_t(f)]; }
    void fillPipeCombo();
    void stepTo(int position);

    PipeSizing m_sizing;
    ControlTexts m_texts;
    KeyFilterServices m_services;
    ImageButtonEffect* m_effect;
    bool m_built = false;
    std::array<TAlignEdit*, PipeFieldCount> m_fields{};
    QComboBox* m_pipes = nullptr;
    QSpinBox* m_upDown = nullptr;
    QComboBox* m_units = nullptr;
    QLabel* m_rUnit = nullptr;
    QLabel* m_runUnit = nullptr;
    QLabel* m_totalUnit = nullptr;
};
