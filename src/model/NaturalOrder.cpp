#include "model/NaturalOrder.h"

#include <QCollator>

namespace NaturalOrder {

int compare(QStringView a, QStringView b, const QCollator &collator)
{
    const auto isDigit = [](QChar c) {
        return c >= u'0' && c <= u'9';
    };
    const auto runEnd = [&](QStringView text, qsizetype from) {
        const bool digits = isDigit(text.at(from));
        while (from < text.size() && isDigit(text.at(from)) == digits)
            ++from;
        return from;
    };
    const auto withoutLeadingZeros = [](QStringView number) {
        while (number.size() > 1 && number.front() == u'0')
            number = number.sliced(1);
        return number;
    };
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitsA = isDigit(a.at(i));
        if (digitsA != isDigit(b.at(j)))
            return collator.compare(a.sliced(i), b.sliced(j));
        const qsizetype endA = runEnd(a, i);
        const qsizetype endB = runEnd(b, j);
        const QStringView runA = a.sliced(i, endA - i);
        const QStringView runB = b.sliced(j, endB - j);
        int order = 0;
        if (digitsA) {
            const QStringView numberA = withoutLeadingZeros(runA);
            const QStringView numberB = withoutLeadingZeros(runB);
            order = numberA.size() != numberB.size() ? (numberA.size() < numberB.size() ? -1 : 1)
                                                     : numberA.compare(numberB);
        } else {
            order = collator.compare(runA, runB);
        }
        if (order != 0)
            return order;
        i = endA;
        j = endB;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return collator.compare(a, b);
}

} // namespace NaturalOrder
