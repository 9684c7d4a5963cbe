#include "common/mc_strings.h"

McStrings::McStrings() : m_entries(GermanDefaults()) {}

QString McStrings::Entry(int entry) const
{
    return entry >= 0 && entry < m_entries.size() ? m_entries[entry] : QString();
}

void McStrings::SetEntries(const QStringList& entries)
{
    // A shorter table keeps the German words for the entries it lacks.
    QStringList merged = GermanDefaults();
    for (int i = 0; i < Count && i < entries.size(); ++i)
        if (!entries[i].isEmpty())
            merged[i] = entries[i];
    m_entries = merged;
}

QStringList McStrings::GermanDefaults()
{
    static const char* const texts[Count] = {
        "Einige Programmdateien konnten nicht gefunden werden. Bitte installieren Sie das "
        "Programm neu.",
        "Quorvanta - Fehler",
        "Anzahl der Nachkommastellen",
        "Variablen",
        "Volumenstrom",
        "Wärmebedarf",
        "Vorlauf-",
        "temperatur",
        "Rücklauf-",
        "spez. Wärme-",
        "kapazität",
        "spez. Dichte",
        "Massenstrom",
        "Wärmebedarf",
        "kv-Wert",
        "Druckdifferenz",
        "Konstanten",
        "Einheitsdruckverlust",
        "Wasser bei 15°C",
        "Summe der",
        "Zeta Werte",
        "Durchfluss-",
        "geschw.",
        "geodätische",
        "Höhe",
        "Gravitationskonstante",
        "Raum-",
        "Heizkörperexponent",
        "für Platten-HK",
        "Heizkörper-",
        "vergrößerungsfaktor",
        "Fläche",
        "Seitenlänge",
        "der Hypotenuse",
        "Radius",
        "äußerer Durchmesser",
        "innerer Durchmesser",
        "gesamte Fläche",
        "innere Fläche",
        "Bogenlänge",
        "Durchmesser",
        "Sehne",
        "Höhe des Kreisabschnitts",
        "Umfang",
        "Schlüsselweite",
        "Eckenmaß",
        "Volumen",
        "Fläche unteres Rechteck",
        "Fläche oberes Rechteck",
        "Durchmesser unterer Kreis",
        "Durchmesser oberer Kreis",
        "Durchmesser Kugel",
        "Durchmesser Mitte",
        "Durchmesser Boden",
        "Ein nützliches und kostenloses Programm",
        "Hier wird der Quorvanta kostenlos zum Download angeboten",
        "Zeichnung verkleinern",
        "Zeichnung vergrössern",
        "Traditionellen Rechenstreifen ausblenden",
        "Traditionellen Rechenstreifen einblenden",
        "Quorvanta Internetaktualisierung läuft",
        "Ungültige Eingabe",
        "Berechnung nicht möglich",
        "temperatur",
        "Höhe",
    };
    QStringList list;
    list.reserve(Count);
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

ProgramMessage McStrings::MissingFilesMessage(int code) const
{
    return ProgramMessage{Entry(1), Entry(0) + QString::number(code)};
}
