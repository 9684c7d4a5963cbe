#include "shell/message_rules.h"

#include <algorithm>
#include <cmath>

namespace {

struct KindRow {
    MessageKind kind;
    MessageKindLook look;
};

using B = MessageButtons;
using I = MessageIcon;
constexpr KindRow kKinds[] = {
    {MessageKind::Notice, {0, I::Meldung, 0, B::None, false}},
    {MessageKind::Warning, {1, I::Problem, 1, B::None, false}},
    {MessageKind::Problem, {2, I::Problem, 3, B::None, false}},
    {MessageKind::Error, {3, I::Fehler, 2, B::Ok, true}},
    {MessageKind::Question, {4, I::Abfrage, 0, B::OkAndNo, true}},
    {MessageKind::NoticeModal, {0, I::Meldung, 4, B::Ok, true}},
    {MessageKind::WarningModal, {1, I::Problem, 1, B::Ok, true}},
    {MessageKind::ProblemModal, {2, I::Problem, 3, B::Ok, true}},
};

enum WmeldungEntry { Ausnahmefehler, Weiter, Ok };
enum JaNeinEntry { Nein, Ja };

int scaled(double scale, int x)
{
    return int(std::lround(x * scale));
}

} // namespace

std::optional<MessageKind> MessageKindFromNumber(int number)
{
    if (number == 0)
        return MessageKind::Close;
    for (const KindRow& row : kKinds)
        if (int(row.kind) == number)
            return row.kind;
    return std::nullopt;
}

MessageKindLook LookOf(MessageKind kind)
{
    for (const KindRow& row : kKinds)
        if (row.kind == kind)
            return row.look;
    return kKinds[0].look;
}

MessageDialogTexts MessageDialogTexts::GermanDefaults()
{
    return {
        {QStringLiteral("Hinweis"), QStringLiteral("Warnung"), QStringLiteral("Problem"),
         QStringLiteral("Fehler"), QStringLiteral("Frage")},
        {QStringLiteral("Ausnahmefehler"), QStringLiteral("Weiter"), QStringLiteral("OK")},
        {QStringLiteral("nein"), QStringLiteral("ja")},
    };
}

QString MessageDialogTexts::Caption(MessageKind kind) const
{
    if (kind == MessageKind::Close)
        return QString();
    return t_ueber.value(LookOf(kind).captionEntry);
}

QString MessageDialogTexts::OkCaption(MessageKind kind) const
{
    if (int(kind) < 0)
        return ausgabe_wmeldung.value(Weiter);
    if (kind == MessageKind::Question)
        return ja_nein.value(Ja);
    return ausgabe_wmeldung.value(Ok);
}

QString MessageDialogTexts::NoCaption() const
{
    return ja_nein.value(Nein);
}

MessageKeyEffect KeyEffect(QChar key, const QString& okCaption, const QString& noCaption)
{
    if (key == u' ')
        return MessageKeyEffect::Nothing;
    if (!okCaption.isEmpty() && key == okCaption.front())
        return MessageKeyEffect::PressOk;
    if (!noCaption.isEmpty() && key == noCaption.front())
        return MessageKeyEffect::PressNo;
    return MessageKeyEffect::RefuseWithSound;
}

MessageLayout LayOutMessage(const MessageLayoutInput& in)
{
    const auto s = [&](int x) { return scaled(in.scale, x); };
    MessageLayout out;
    int textHeight = s(40);
    int labelTop = 0;
    if (textHeight < in.label.height()) {
        textHeight = in.label.height();
        labelTop = 15;
    } else {
        labelTop = (textHeight - in.label.height()) / 2 + 15;
    }
    out.label = QRect(QPoint(in.labelLeft, labelTop), in.label);
    const int width = std::max(s(15) + in.labelLeft + in.label.width(), 2 * in.ok.width());
    out.client = QSize(width, s(75) + textHeight);

    const int buttonTop = s(15) + textHeight;
    if (in.buttons == MessageButtons::Ok) {
        out.ok = QRect(QPoint((width - in.ok.width()) / 2, buttonTop), in.ok);
    } else if (in.buttons == MessageButtons::OkAndNo) {
        // Both buttons as wide as bbn_nein, side by side under the middle of the text.
        const QSize size(in.no.width(), in.ok.height());
        const int gap = s(8);
        const int left = out.label.left() + (out.label.width() - 2 * size.width() - gap) / 2;
        out.ok = QRect(QPoint(left, buttonTop), size);
        out.no = QRect(QPoint(left + size.width() + gap, buttonTop), size);
    }
    return out;
}
