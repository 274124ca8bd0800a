#include "ui/main/FileDrop.h"

#include <QMimeData>
#include <QUrl>

namespace FileDrop {

namespace {

bool isFile(const QUrl &url)
{
    return url.isValid() && url.isLocalFile() && !url.toLocalFile().isEmpty();
}

} // namespace

bool carriesFiles(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.cbegin(), urls.cend(), isFile);
}

QStringList files(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (isFile(url))
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace FileDrop
