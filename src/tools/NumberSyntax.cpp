#include "tools/NumberSyntax.h"

#include <QByteArray>
#include <QString>

#include <cctype>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>

std::optional<qint64> parseInteger(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    qsizetype start = 0;
    if (text.front() == u'+' || text.front() == u'-')
        start = 1;
    if (start == text.size())
        return std::nullopt;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
    }
    // from_chars takes "-" but not "+".
    const QByteArray digits = text.sliced(text.front() == u'+' ? 1 : 0).toLatin1();
    qint64 value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::optional<double> parseDouble(QStringView text)
{
    if (text.isEmpty() || text.front().isSpace())
        return std::nullopt;
    for (QChar c : text) {
        if (c.unicode() > 0x7f)
            return std::nullopt;
    }
    // The program's own locale may use a decimal comma; the tools never do.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const QByteArray bytes = text.toLatin1();
    char *end = nullptr;
    const double value = strtod_l(bytes.constData(), &end, cLocale);
    if (end != bytes.constData() + bytes.size())
        return std::nullopt;
    return value;
}
