#pragma once

#include <QString>

#include <string>

namespace dorvo_preview {

// The URL under which QML finds a file the host named. A local path (absolute,
// or relative to the working folder) becomes a file URL with every character
// that URLs reserve encoded, so blanks, '#', '?', '%' and non-ASCII names
// survive; a text that already is a URL (a scheme of two or more letters, a
// colon and a slash: "file:/", "qrc:/", "http://") is returned unchanged; an
// empty text stays empty.
QString hostPathToUrl(const QString& path);
QString hostPathToUrl(const std::string& path);

// The file a URL names, as QFile opens it: a file URL gives its local path,
// a "qrc:" URL its resource path (":/..."); any other text is taken as a path
// and returned as it is.
QString urlToHostPath(const QString& url);

} // namespace dorvo_preview
