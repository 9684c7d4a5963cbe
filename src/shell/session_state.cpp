#include "shell/session_state.h"

namespace {
const QByteArray kVersionPrefix = "Quorvanta state ";

QString escaped(const QString& line)
{
    QString out;
    out.reserve(line.size());
    for (const QChar c : line) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

std::optional<QString> unescaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        if (text[i] == u'\\')
            out += u'\\';
        else if (text[i] == u'n')
            out += u'\n';
        else if (text[i] == u'r')
            out += u'\r';
        else
            return std::nullopt;
    }
    return out;
}

std::optional<int> intIn(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// Takes one "key=value" line into `state`. False: a known key whose value cannot be read.
// Unknown keys are skipped.
bool takeLine(const QString& key, const QString& value, SessionState& state)
{
    if (key == u"tape") {
        const auto line = unescaped(value);
        if (!line)
            return false;
        state.tape.append(*line);
    } else if (key == u"fix") {
        const auto fix = intIn(value, -1, 9);
        if (!fix)
            return false;
        state.fixDecimals = *fix;
    } else if (key == u"angle") {
        const auto angle = intIn(value, 0, 2);
        if (!angle)
            return false;
        state.angleMode = *angle;
    } else if (key == u"page") {
        const auto page = intIn(value, 0, 99);
        if (!page)
            return false;
        state.page = *page;
    } else if (key == u"tape_shown") {
        const auto shown = intIn(value, 0, 1);
        if (!shown)
            return false;
        state.tapeShown = *shown == 1;
    } else if (key == u"window") {
        const QStringList xy = value.split(u',');
        const auto x = xy.size() == 2 ? intIn(xy[0], -100000, 100000) : std::nullopt;
        const auto y = xy.size() == 2 ? intIn(xy[1], -100000, 100000) : std::nullopt;
        if (!x || !y)
            return false;
        state.windowPosition = QPoint(*x, *y);
    } else if (key == u"formulas") {
        state.formulas.clear();
        for (const QString& part : value.split(u',', Qt::SkipEmptyParts)) {
            const auto index = intIn(part, 0, 999);
            if (!index)
                return false;
            state.formulas.push_back(*index);
        }
    } else if (key.startsWith(u"memory.")) {
        const auto slot = intIn(key.mid(7), 1, SessionState::SlotCount);
        if (!slot)
            return false;
        const auto text = unescaped(value);
        if (!text)
            return false;
        state.memory[*slot - 1] = *text;
    }
    return true;
}
} // namespace

QByteArray WriteSessionState(const SessionState& state)
{
    QString text =
        QString::fromLatin1(kVersionPrefix) + QString::number(SessionState::FormatVersion) + u'\n';
    text += QStringLiteral("fix=%1\nangle=%2\npage=%3\ntape_shown=%4\n")
                .arg(state.fixDecimals)
                .arg(state.angleMode)
                .arg(state.page)
                .arg(state.tapeShown ? 1 : 0);
    QStringList formulas;
    for (const int index : state.formulas)
        formulas.append(QString::number(index));
    text += QStringLiteral("formulas=") + formulas.join(u',') + u'\n';
    if (state.windowPosition)
        text += QStringLiteral("window=%1,%2\n")
                    .arg(state.windowPosition->x())
                    .arg(state.windowPosition->y());
    for (int slot = 0; slot < SessionState::SlotCount; ++slot)
        if (!state.memory[slot].isEmpty())
            text +=
                QStringLiteral("memory.%1=").arg(slot + 1) + escaped(state.memory[slot]) + u'\n';
    const qsizetype first = std::max<qsizetype>(0, state.tape.size() - SessionState::KeptTapeLines);
    for (qsizetype i = first; i < state.tape.size(); ++i)
        text += QStringLiteral("tape=") + escaped(state.tape[i]) + u'\n';
    return text.toUtf8();
}

SessionReadResult ReadSessionState(const QByteArray& bytes)
{
    SessionReadResult result;
    const qsizetype end = bytes.indexOf('\n');
    const QByteArray first = bytes.left(end < 0 ? bytes.size() : end).trimmed();
    if (!first.startsWith(kVersionPrefix))
        return result;
    bool ok = false;
    const int version = first.mid(kVersionPrefix.size()).toInt(&ok);
    if (!ok || version < 1)
        return result;
    const bool newer = version > SessionState::FormatVersion;

    const QString text = QString::fromUtf8(bytes.mid(end < 0 ? bytes.size() : end + 1));
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const qsizetype eq = line.indexOf(u'=');
        const bool taken = eq > 0 && takeLine(line.left(eq), line.mid(eq + 1), result.state);
        // A newer version may give a known key a form this one cannot read: skip that line.
        if (!taken && !newer)
            return SessionReadResult{};
    }
    result.status = newer ? SessionReadStatus::Newer : SessionReadStatus::Read;
    return result;
}
