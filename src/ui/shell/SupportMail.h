#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// Help > Contact Support: a new message to the maker's support address in the
// user's mail program, with a subject and the start of a body.
namespace SupportMail {

// The mailto URL for the program named applicationName ("App" when empty).
// Without a subject it is the name followed by " Support Request". Subject
// and body are percent-encoded in full, and the body's line breaks are CRLF,
// as mailto URLs require. Invalid when the address makes no URL.
QUrl url(const QString &applicationName, const std::optional<QString> &subject,
         const QString &address);

} // namespace SupportMail

// Asks the desktop to open the support mail for this program (its application
// name, the build's support address). Does nothing when no URL can be made.
void composeSupportMail(const std::optional<QString> &subject = std::nullopt);
