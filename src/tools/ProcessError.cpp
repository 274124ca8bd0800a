#include "tools/ProcessError.h"

#include <QCoreApplication>

QString ProcessError::errorDescription() const
{
    switch (kind) {
    case Kind::failedToLaunch:
        return message.isEmpty()
            ? QCoreApplication::translate("ProcessError", "The tool could not be started")
            : message;
    case Kind::cancelled:
        return QCoreApplication::translate("ProcessError", "Cancelled");
    }
    return {};
}
