#include "hosturl.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace dorvo_preview {

namespace {

// "scheme:/" with a scheme of two or more characters; a one-letter scheme
// would be a drive letter, which this system never sees.
bool isUrl(const QString& text)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    if (colon < 2 || colon + 1 >= text.size() || text.at(colon + 1) != QLatin1Char('/'))
        return false;
    if (!text.at(0).isLetter() || text.at(0).unicode() > 127)
        return false;
    for (int i = 1; i < colon; ++i) {
        const QChar c = text.at(i);
        const bool allowed = c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('+') ||
                                                   c == QLatin1Char('-') || c == QLatin1Char('.'));
        if (!allowed)
            return false;
    }
    return true;
}

} // namespace

QString hostPathToUrl(const QString& path)
{
    if (path.isEmpty() || isUrl(path))
        return path;
    const QString absolute = QDir::isAbsolutePath(path) ? path : QFileInfo(path).absoluteFilePath();
    return QString::fromLatin1(QUrl::fromLocalFile(absolute).toEncoded());
}

QString hostPathToUrl(const std::string& path)
{
    return hostPathToUrl(QString::fromStdString(path));
}

QString urlToHostPath(const QString& url)
{
    if (url.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return QUrl(url).toLocalFile();
    if (url.startsWith(QLatin1String("qrc:"), Qt::CaseInsensitive))
        return url.mid(3); // ":/..." as QFile reads resources
    return url;
}

} // namespace dorvo_preview
