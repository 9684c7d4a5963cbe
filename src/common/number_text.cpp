#include "common/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

// A finite double as decimal digits: value = ±d1.d2d3… × 10^exponent.
// An empty digit string stands for zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool isZero() const { return digits.empty(); }
};

Decimal toDecimal(double value)
{
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0.0)
        return d;
    char buf[64];
    // The shortest text that reads back as the same double: the digits a user would write.
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    std::string text(buf, res.ptr);
    const auto ePos = text.find('e');
    for (size_t i = 0; i < ePos; ++i)
        if (text[i] != '.')
            d.digits += text[i];
    d.exponent = std::stoi(text.substr(ePos + 1));
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Keeps `keep` significant digits, rounding half away from zero.
void roundDigits(Decimal& d, int keep)
{
    if (d.isZero() || keep >= int(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool carry = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (carry) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.exponent += 1;
        } else {
            d.digits[i] += 1;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

std::string fixedDigits(Decimal d, int decimals)
{
    roundDigits(d, d.exponent + 1 + decimals);
    std::string intPart;
    std::string fracPart;
    if (d.isZero()) {
        intPart = "0";
    } else if (d.exponent < 0) {
        intPart = "0";
        fracPart = std::string(-d.exponent - 1, '0') + d.digits;
    } else {
        const size_t intLen = size_t(d.exponent) + 1;
        if (d.digits.size() <= intLen) {
            intPart = d.digits + std::string(intLen - d.digits.size(), '0');
        } else {
            intPart = d.digits.substr(0, intLen);
            fracPart = d.digits.substr(intLen);
        }
    }
    fracPart.resize(size_t(decimals), '0');
    std::string out = (d.negative && !d.isZero()) ? "-" : "";
    out += intPart;
    if (decimals > 0)
        out += "," + fracPart;
    return out;
}

QString nonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

QString ToPoint(QString text)
{
    return text.replace(u',', u'.');
}

QString ToComma(QString text)
{
    return text.replace(u'.', u',');
}

std::optional<double> ParseNumber(const QString& text, QChar separator)
{
    const QString t = text.trimmed();
    std::string ascii;
    ascii.reserve(size_t(t.size()));
    int i = 0;
    const int n = int(t.size());
    if (i < n && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-')
            ascii += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool separatorSeen = false;
    for (; i < n; ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            ascii += char(c.unicode());
            ++mantissaDigits;
        } else if (c == separator && !separatorSeen) {
            ascii += '.';
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (t[i] == u'E' || t[i] == u'e')) {
        ascii += 'e';
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-')) {
            ascii += char(t[i].unicode());
            ++i;
        }
        int expDigits = 0;
        for (; i < n && t[i] >= u'0' && t[i] <= u'9'; ++i, ++expDigits)
            ascii += char(t[i].unicode());
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    double value = 0;
    const char* first = ascii.data();
    const char* last = first + ascii.size();
    const bool hasMinus = *first == '-';
    auto res = std::from_chars(first, last, value);
    if (res.ec == std::errc::result_out_of_range) {
        // Below the smallest double the value is zero; above the largest it does not fit.
        const auto e = ascii.find('e');
        if (e != std::string::npos && ascii[e + 1] == '-')
            return hasMinus ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (res.ec != std::errc() || res.ptr != last)
        return std::nullopt;
    return value;
}

QString GeneralText(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    Decimal d = toDecimal(value);
    roundDigits(d, 15);
    if (d.isZero())
        return QStringLiteral("0");
    if (d.exponent >= -4 && d.exponent < 15) {
        const int decimals = std::max(0, int(d.digits.size()) - 1 - d.exponent);
        return QString::fromStdString(fixedDigits(d, decimals));
    }
    std::string out = d.negative ? "-" : "";
    {
        out += d.digits.substr(0, 1);
        if (d.digits.size() > 1)
            out += "," + d.digits.substr(1);
        out += "E" + std::to_string(d.exponent);
    }
    return QString::fromStdString(out);
}

QString FixedText(double value, int decimals)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    return QString::fromStdString(fixedDigits(toDecimal(value), std::clamp(decimals, 0, 18)));
}

QString FixedTextWithPrecision(double value, int precision, int decimals)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    Decimal d = toDecimal(value);
    roundDigits(d, precision);
    if (!d.isZero() && d.exponent + 1 > precision)
        return GeneralText(value);
    return QString::fromStdString(fixedDigits(d, std::clamp(decimals, 0, 18)));
}

QString ResultText(double value)
{
    return ToPoint(GeneralText(value)).trimmed();
}

QString StripTrailingZeros(QString text)
{
    if (!(text.contains(u'.') || text.contains(u',')) || text.contains(u'E'))
        return text;
    while (text.endsWith(u'0'))
        text.chop(1);
    return text;
}

bool IsNumberText(const QString& text)
{
    if (text.isEmpty())
        return false;
    return ParseNumber(ToComma(text)).has_value();
}

namespace {

QString formatPlain(QString text, int fix, MantissaStyle style)
{
    const bool display = style != MantissaStyle::Written;
    if (fix != -1 && !text.isEmpty()) {
        int separator = int(text.indexOf(u'.'));
        if (separator < 0)
            separator = int(text.indexOf(u','));
        const int decimalsTyped = separator < 0 ? 0 : int(text.size()) - separator - 1;
        if (decimalsTyped < fix || display) {
            if (const auto v = ParseNumber(ToComma(text))) {
                const int precision = fix + int(GeneralText(*v).size()) + 1;
                text = ToPoint(FixedTextWithPrecision(*v, precision, fix));
            }
        }
    }

    if (style != MantissaStyle::Formula && !text.contains(u'E')) {
        if (const auto v = ParseNumber(ToComma(text)); v && std::trunc(*v) == *v)
            text = ToPoint(GeneralText(*v));
    }

    int lead = 0;
    while (lead < text.size() && text[lead] == u' ')
        ++lead;
    text.remove(0, lead);

    if (display)
        return text;
    return StripTrailingZeros(text);
}

} // namespace

std::optional<OwnPowerOfTen> SplitPowerOfTen(const QString& text)
{
    const qsizetype e = text.indexOf(u'E');
    if (e <= 0)
        return std::nullopt;
    bool read = false;
    const int power = text.mid(e + 1).toInt(&read);
    if (!read)
        return std::nullopt;
    return OwnPowerOfTen{text.left(e), power};
}

QString FormatMantissa(QString text, int fixDecimals, MantissaStyle style)
{
    const qsizetype e = text.indexOf(u'E');
    if (e > 0 && fixDecimals != -1) {
        const double value = ParseNumber(ToComma(text)).value_or(0.0);
        const QString plain = formatPlain(text, fixDecimals, style);
        if (value != 0 && ParseNumber(ToComma(plain)).value_or(0.0) == 0) {
            const QString mantissa = formatPlain(text.left(e), fixDecimals, style);
            if (const auto own = SplitPowerOfTen(mantissa))
                return own->mantissa + u'E' + QString::number(own->power + text.mid(e + 1).toInt());
            return mantissa + text.mid(e);
        }
        return plain;
    }
    return formatPlain(std::move(text), fixDecimals, style);
}

void CarryIntoPowerOfTen(QString& mantissa, QString& power, int fixDecimals, MantissaStyle style)
{
    if (power.isEmpty())
        return;
    bool powerRead = false;
    const int exponent = power.toInt(&powerRead);
    const auto value = ParseNumber(mantissa, u'.');
    if (!powerRead || mantissa.contains(u'E') || !value || std::fabs(*value) < 10)
        return;
    mantissa = FormatMantissa(ResultText(*value / 10), fixDecimals, style);
    power = QString::number(exponent + 1);
}
