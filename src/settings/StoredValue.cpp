#include "settings/StoredValue.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QStringList>

#include <cmath>

namespace StoredValue {

std::optional<bool> toBool(const QVariant &stored)
{
    if (stored.typeId() == QMetaType::Bool)
        return stored.toBool();
    if (stored.typeId() == QMetaType::QString) {
        // QVariant's own conversion takes every other text for true.
        const QString text = stored.toString().trimmed();
        if (text.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(u"false", Qt::CaseInsensitive) == 0)
            return false;
    }
    return std::nullopt;
}

std::optional<qint64> toInteger(const QVariant &stored)
{
    bool ok = false;
    qint64 number = 0;
    switch (stored.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        number = stored.toLongLong(&ok);
        break;
    case QMetaType::QString:
        number = stored.toString().toLongLong(&ok);
        break;
    default:
        break;
    }
    return ok ? std::optional<qint64>(number) : std::nullopt;
}

std::optional<double> toDouble(const QVariant &stored)
{
    bool ok = false;
    double number = 0;
    switch (stored.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        number = stored.toDouble(&ok);
        break;
    case QMetaType::QString:
        number = stored.toString().toDouble(&ok);
        break;
    default:
        break;
    }
    // "nan" and "inf" parse, but no consumer can use them.
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

std::optional<QString> toText(const QVariant &stored)
{
    if (stored.typeId() != QMetaType::QString)
        return std::nullopt;
    return stored.toString();
}

std::optional<QList<QJsonObject>> toJsonObjects(const QVariant &stored)
{
    QStringList texts;
    if (stored.typeId() == QMetaType::QStringList)
        texts = stored.toStringList();
    else if (stored.typeId() == QMetaType::QString)
        texts = QStringList {stored.toString()};
    else
        return std::nullopt;

    QList<QJsonObject> objects;
    objects.reserve(texts.size());
    for (const QString &text : texts) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
        if (error.error == QJsonParseError::NoError && document.isObject())
            objects.append(document.object());
    }
    return objects;
}

} // namespace StoredValue
