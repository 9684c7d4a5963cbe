// Tfrm_rechenstreifen: the calculation tape, a window of its own docked to the main
// window's left edge. It shows the tape lines the calculator keeps.
#pragma once

#include <QWidget>

class QPlainTextEdit;

class Tfrm_rechenstreifen : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_rechenstreifen(QWidget* parent = nullptr);

    void ShowLines(const QStringList& lines);

private:
    QPlainTextEdit* m_tape;
};
