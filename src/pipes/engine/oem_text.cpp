#include "pipes/engine/oem_text.h"

#include <iconv.h>

#include <array>

namespace {

constexpr const char* kOemCodePage = "CP850";

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != kInvalid)
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The whole input converted; nothing when any of it does not convert.
    std::optional<QByteArray> run(QByteArray input)
    {
        if (m_cd == kInvalid)
            return std::nullopt;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        QByteArray out(input.size() * 4 + 16, '\0');
        char* in = input.data();
        size_t inLeft = size_t(input.size());
        char* to = out.data();
        size_t toLeft = size_t(out.size());
        if (iconv(m_cd, &in, &inLeft, &to, &toLeft) == size_t(-1) || inLeft != 0)
            return std::nullopt;
        out.truncate(int(to - out.data()));
        return out;
    }

private:
    static inline const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);
    iconv_t m_cd;
};

} // namespace

QString OemToText(const QByteArray& oem)
{
    // The upper half of the code page, asked of iconv once: each byte is one character,
    // and a byte without one becomes U+FFFD in its place.
    static const std::array<QChar, 128> upper = [] {
        std::array<QChar, 128> chars;
        Converter converter("UTF-16LE", kOemCodePage);
        for (int i = 0; i < 128; ++i) {
            const auto utf16 = converter.run(QByteArray(1, char(0x80 + i)));
            chars[size_t(i)] = utf16 && utf16->size() == 2
                                   ? QChar(char16_t(uchar((*utf16)[0]) | uchar((*utf16)[1]) << 8))
                                   : QChar(QChar::ReplacementCharacter);
        }
        return chars;
    }();
    QString text(oem.size(), Qt::Uninitialized);
    for (int i = 0; i < oem.size(); ++i) {
        const uchar byte = uchar(oem[i]);
        text[i] = byte < 0x80 ? QChar(char16_t(byte)) : upper[byte - 0x80];
    }
    return text;
}

std::optional<QByteArray> TextToOem(const QString& text)
{
    Converter converter(kOemCodePage, "UTF-8");
    return converter.run(text.toUtf8());
}
