// The pipe page's windows beside the main window: the dimensions table, the pipe friction
// chart and the ζ picker. Each is made when first opened; the page feeds them from the
// engine (PipePageModel), docks them (window_dock.h) and they hand clicks back by signal.
#pragma once

#include "pipes/fitting_catalogue.h"
#include "pipes/pipe_page_model.h"

#include <QList>
#include <QWidget>

class ImageButton;
class ImageButtonEffect;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

// The frame of the page's windows: borderless as the main window, with a caption bar that
// shows the window title and a close button (objectName `closeName`). The content lies
// below the bar (ContentTop) inside a border of one pixel.
class PipeSideWindow : public QWidget {
    Q_OBJECT
public:
    PipeSideWindow(const char* name, const char* closeName, QWidget* parent);

    static constexpr int ContentTop = 22;
    static constexpr int Border = 1;
    ImageButton* CloseButton() const { return m_close; }
    void SetEffect(ImageButtonEffect* effect);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_caption;
    ImageButton* m_close;
};

// Tfrm_rohrdimensionen: every pipe of the series at the page's flow; the rows within the
// maximum velocity are marked, the pipe the search takes is highlighted, the selected one
// is current. A click on a row selects that pipe.
class PipeDimensionsWindow : public PipeSideWindow {
    Q_OBJECT
public:
    explicit PipeDimensionsWindow(QWidget* parent = nullptr);

    void Show(const QStringList& headers, const QList<DimensionRow>& rows,
              const QList<QStringList>& cells, int selectedPipe);

signals:
    void PipeClicked(int pipeIndex);

private:
    QTableWidget* m_table;
    QList<int> m_pipeOfRow;
};

// The chart itself: log-log R over volume flow, drawn with QPainter.
class PipeChartView : public QWidget {
    Q_OBJECT
public:
    explicit PipeChartView(QWidget* parent = nullptr);

    void SetChart(PipeChart chart, int selectedPipe, const QString& rCaption,
                  const QString& flowCaption);
    // The chart as a picture of the view's size.
    QImage Picture();

    // Where a value lies in the view; for the marks and for tests.
    QPointF Position(ChartPoint point) const;

    static constexpr double MinR = 1;     // Pa/m
    static constexpr double MaxR = 10000; // Pa/m

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paint(QPainter& painter);
    QRectF plotArea() const;

    PipeChart m_chart;
    int m_selected = -1;
    QString m_rCaption;
    QString m_flowCaption;
};

// Tfrm_rohrdiagramm: the chart and its PNG export.
class PipeChartWindow : public PipeSideWindow {
    Q_OBJECT
public:
    explicit PipeChartWindow(QWidget* parent = nullptr);

    PipeChartView* View() const { return m_view; }
    // Saves the chart as PNG; false when the file cannot be written.
    bool SavePng(const QString& path);
    // The file a name from the save dialog stands for: ".png" added when it has no ending.
    static QString PngPath(const QString& chosen);

private:
    void spb_diagramm_pngClick();

    PipeChartView* m_view;
};

// Tfrm_zetawerte: a count per fitting of the catalogue, their ζ for the selected pipe's DN,
// and the sum; "Übernehmen" hands the sum to the page.
class ZetaPickerWindow : public PipeSideWindow {
    Q_OBJECT
public:
    explicit ZetaPickerWindow(QWidget* parent = nullptr);

    // The ζ of each fitting follows the DN of the selected pipe.
    void SetDn(int dn);
    double Sum() const;

signals:
    void SumTaken(double zeta);

protected:
    // Esc closes the picker, as it closes a dialog; the counts stay for its next showing.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();

    int m_dn = 0;
    QTableWidget* m_table;
    QList<QSpinBox*> m_counts;
    QLineEdit* m_sum;
};

// Tfrm_heizkreis: the sections of the heating circuit in order, a total row and the totals
// for the pump below, and the buttons that edit, order, save, open, print and export it. A
// section's name is edited in its cell.
class HeatingCircuitWindow : public PipeSideWindow {
    Q_OBJECT
public:
    explicit HeatingCircuitWindow(QWidget* parent = nullptr);

    // `rows`: a row of cells per section, then the total row; `totals`: lines below.
    void Show(const QStringList& headers, const QList<QStringList>& rows, const QStringList& totals,
              int editedRow);
    int CurrentRow() const; // -1 when no section is current
    void SetCurrentRow(int row);

signals:
    void Renamed(int row, const QString& name);
    void Moved(int row, int by);
    void Removed(int row);
    void Edited(int row);
    void OpenClicked();
    void SaveClicked();
    void PrintClicked();
    void CsvClicked();

private:
    QTableWidget* m_table;
    QLabel* m_totals;
    int m_sections = 0;
};
