#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <atomic>
#include <functional>

namespace dorvo_preview {

// Page layout of the text widget's rich text: the paragraphs are laid out into
// pages of a given size, each page a complete rich-text HTML string as a
// word-wrapping rich-text item as wide as the page shows it.
//
// Rules, page by page:
// - Each paragraph opens with its head and closes with "</p>"; the lines of a
//   paragraph are joined by "<br>". A page ends with "</p>" and the next page
//   starts again with the head of the paragraph being laid out.
// - A run that fits is appended whole. A run that does not fit is cut: the
//   page takes the longest prefix that fits and is pushed; the rest goes on.
//   A page never begins with one of the marks (see isMark): the characters
//   before the mark go to the next page with it.
// - When not even one character fits on a page that holds nothing yet (a glyph
//   taller than the page), the page takes one line of that glyph's size.
// - An empty line (a single run " " or "") is a blank line in the run's style;
//   when it does not fit, the page is pushed first.
// - After each line the page is pushed when it is taller than the page, and
//   after the very last line.
//
// Heights are those of a word-wrapping rich-text item as wide as the page.
// Each page's paragraph is laid out once with Qt's text layout and the cut is
// read from the positions of its lines; the cut is then confirmed with the
// exact heights of the page with it and with one character more. Runs hold
// their HTML wrapping (open and close) already resolved; the text is escaped
// here. Thread: any (fonts are read through Qt's thread-safe font database);
// one object is used by one thread at a time.
class TextPageLayout
{
public:
    struct Run
    {
        QString text;
        QString open;  // "<span style=...>" and the style tags
        QString close; // the closing tags and "</span>"
    };
    struct Paragraph
    {
        QString head; // "<p style=...  align = ...>"
        QVector<QVector<Run>> lines;
    };

    // Reads [{ head, lines: [[{ text, open, close }]] }] as built by the
    // text components; anything that is not of that shape reads as empty.
    static QVector<Paragraph> fromVariant(const QVariant& paragraphs);

    // The run text as HTML: markup characters escaped and every whitespace
    // character a non-breaking space.
    static QString escapeText(const QString& text);

    // The marks that must not begin a page.
    static bool isMark(uint codePoint);

    // Lays the paragraphs out into pages width x height (pixels, > 0); stops
    // after maxPages pages when maxPages > 0. onPage, when set, is called
    // with each page as soon as it is complete; cancel, when set and true,
    // ends the layout early (the pages so far are returned).
    QStringList layout(const QVector<Paragraph>& paragraphs, int width, int height, int maxPages = 0,
                       const std::function<void(const QString&)>& onPage = {},
                       const std::atomic_bool* cancel = nullptr);

    // How many heights were measured by the last layout (for logs and figures).
    int measurements() const { return m_measurements; }

private:
    int m_measurements = 0;
};

} // namespace dorvo_preview
