// Colours and paths as the host gives them: window and text background
// colours go through QColor; any host text is made valid UTF-8 before it is
// put into a record; a host path becomes the URL QML loads and back.

#include "core/appcommon/jsonread.h"
#include "fuzzsupport.h"
#include "utils/hosturl.h"

#include <QColor>
#include <QString>

void fuzzsupport::fuzzOne(const std::string& text)
{
    const QColor colour(QString::fromStdString(text));
    if (colour.isValid() && colour.name(QColor::HexArgb).size() != 9)
        __builtin_trap();
    const std::string repaired = ns::jsonread::validUtf8(text);
    if (!ns::jsonread::isValidUtf8(repaired) || (ns::jsonread::isValidUtf8(text) && repaired != text))
        __builtin_trap();
    // A path comes back as the file it names; a URL is left as it is.
    const QString path = QString::fromStdString(repaired);
    const QString url = dorvo_preview::hostPathToUrl(path);
    if (url.startsWith(QLatin1String("file:///")) && path.startsWith(QLatin1Char('/')) &&
        dorvo_preview::urlToHostPath(url) != path)
        __builtin_trap();
}
