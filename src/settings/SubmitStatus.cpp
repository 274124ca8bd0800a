#include "settings/SubmitStatus.h"

SubmitStatus::SubmitStatus(Kind kind, const QString &message)
    : m_kind(kind)
    , m_message(message)
{
}

SubmitStatus SubmitStatus::failure(const QString &message)
{
    return SubmitStatus(Kind::failure, message);
}
