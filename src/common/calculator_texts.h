// The calculator's own words. German is the default; the translation replaces them.
#pragma once

#include <QString>
#include <QStringList>

struct CalculatorTexts {
    // "error_message": the texts of the arithmetic errors 1 … 5.
    QStringList errorMessages{
        QStringLiteral("Division durch Null nicht möglich"),
        QStringLiteral("Gleitkommaüberlauf"),
        QStringLiteral("Gleitkommaunterlauf"),
        QStringLiteral("Argument außerhalb Wertebereichs"),
        QStringLiteral("Argument außerhalb Definitionsbereich"),
    };
    QString fixPrompt = QStringLiteral("Anzahl der Nachkommastellen");

    QString ErrorMessage(int n) const
    {
        return (n >= 1 && n <= errorMessages.size()) ? errorMessages[n - 1] : QString();
    }
};
