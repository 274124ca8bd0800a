#pragma once

class QCoreApplication;

#include <QString>

// Installs Vireo's catalogue for the user's languages (built into the
// executable, or from folder) and Qt's own (dialog buttons, the command-line
// parser).
void installTranslations(QCoreApplication &app, const QString &folder = QStringLiteral(":/i18n"));
