#include "textpagelayout.h"

#include <QAbstractTextDocumentLayout>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace dorvo_preview {

namespace {

// 。？！，、；：“”‘’
const uint kMarks[] = {0x3002, 0xFF1F, 0xFF01, 0xFF0C, 0x3001, 0xFF1B,
                       0xFF1A, 0x201C, 0x201D, 0x2018, 0x2019};

// Whitespace as the text components' scripts see it.
bool isSpace(uint c)
{
    return (c >= 9 && c <= 13) || c == 32 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

const QString kEnd = QStringLiteral("</p>");
const QString kBreak = QStringLiteral("<br>");
const QString kHeadStart = QStringLiteral("<p style");
const QRegularExpression kHead(QStringLiteral("<p style=\"[^\"]*\"  align = \"[A-Z]*\">"));
const QRegularExpression kWholeHead(QStringLiteral("^<p style=\"[^\"]*\"  align = \"[A-Z]*\">$"));

int nextSerial()
{
    static std::atomic_int serial{0};
    return ++serial;
}

// The characters of one run from a starting character on; characters are
// code points (a surrogate pair is one character).
struct Chars
{
    const TextPageLayout::Run* run = nullptr;
    QVector<int> at; // UTF-16 index of every character, then the text length
    int serial;      // tells runs apart that come to live at the same address

    explicit Chars(const TextPageLayout::Run& r) : run(&r), serial(nextSerial())
    {
        const QString& t = r.text;
        at.reserve(t.size() + 1);
        for (int i = 0; i < t.size(); ++i) {
            at.push_back(i);
            if (t.at(i).isHighSurrogate() && i + 1 < t.size() && t.at(i + 1).isLowSurrogate())
                ++i;
        }
        at.push_back(t.size());
    }
    int count() const { return at.size() - 1; }
    uint code(int i) const
    {
        const QString& t = run->text;
        const QChar c = t.at(at[i]);
        if (c.isHighSurrogate() && at[i + 1] - at[i] == 2)
            return QChar::surrogateToUcs4(c, t.at(at[i] + 1));
        return c.unicode();
    }
    QString text(int from, int to) const { return run->text.mid(at[from], at[to] - at[from]); }
    // The text as the rich-text document holds it: whitespace becomes a
    // non-breaking space.
    QString documentText(int from, int to) const
    {
        QString out = text(from, to);
        for (QChar& c : out)
            if (isSpace(c.unicode()))
                c = QChar(0xA0);
        return out;
    }
    QString span(int from, int to) const
    {
        return run->open + TextPageLayout::escapeText(text(from, to)) + run->close;
    }
};

// The remainder of a run still to be laid out: characters [start, chars.count()).
struct Rest
{
    const Chars* chars;
    int start;
    int length() const { return chars->count() - start; }
    uint code(int k) const { return chars->code(start + k); }
    QString span(int k) const { return chars->span(start, start + k); }
};

void configure(QTextDocument& doc, int width)
{
    // As a rich-text item shows it: no document margin, the default font,
    // word wrap (anywhere when a word is longer than the line), design metrics.
    doc.setUndoRedoEnabled(false);
    doc.setDocumentMargin(0);
    doc.setDefaultFont(QFont());
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setUseDesignMetrics(true);
    doc.setDefaultTextOption(option);
    doc.setPageSize(QSizeF());
    doc.setTextWidth(width);
}

// The largest k in [lo, hi) for which pred holds, pred(lo) being taken as true
// and pred(hi) as false. Starts at the estimate n, gallops, then halves.
template <typename Pred> int largestTrue(Pred pred, int lo, int hi, int n)
{
    n = std::max(lo + 1, std::min(hi - 1, n));
    int step = 1;
    if (n <= lo || n >= hi)
        return lo;
    if (pred(n)) {
        lo = n;
        while (lo + step < hi) {
            if (pred(lo + step)) {
                lo = lo + step;
                step *= 2;
            } else {
                hi = lo + step;
                break;
            }
        }
    } else {
        hi = n;
        while (hi - step > lo) {
            if (pred(hi - step)) {
                lo = hi - step;
                break;
            }
            hi = hi - step;
            step *= 2;
        }
    }
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (pred(mid))
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

// Heights of "base + a prefix of a run + </p>" as a word-wrapping rich-text
// item of the page width shows them. The base with as much of the run as may
// be needed is laid out once, and the height with a shorter prefix is
// estimated from it: the lines up to the line before the one where the
// prefix ends, plus the text from there on laid out alone (a line's breaks
// depend mostly on the text from its start to the next break opportunity).
// Qt's line breaking also looks beyond that in places (a word's later glyphs
// can raise a line, the breaks at a line's start depend on what precedes
// it), so the estimate only finds where a cut lies; the cut is then checked
// with exact heights of the page as it would be, which is two measurements
// when the estimate was right.
class Heights
{
public:
    explicit Heights(int width) : m_width(width)
    {
        configure(m_doc, width);
        configure(m_tail, width);
        configure(m_scratch, width);
    }

    int measurements = 0;

    // Height of an arbitrary HTML string.
    qreal direct(const QString& html)
    {
        if (html == m_lastHtml)
            return m_lastHeight;
        ++measurements;
        m_scratch.setHtml(html);
        remember(html, m_scratch.size().height());
        return m_lastHeight;
    }

    void remember(const QString& html, qreal height)
    {
        m_lastHtml = html;
        m_lastHeight = height;
    }

    // Lays "base + first `window` characters of rest + </p>" out (whatever
    // was laid out before no longer counts) and returns its height.
    qreal layOut(const QString& base, const Rest& rest, int window)
    {
        if (continues(base, rest))
            return moveOn(base, rest, window);
        ++measurements;
        m_base = base;
        m_rest = rest;
        m_serial = rest.chars->serial;
        m_window = window;
        m_html = base + rest.span(window) + kEnd;
        m_doc.setHtml(m_html);
        m_height = m_doc.size().height();
        m_block = m_doc.lastBlock();
        const QString expected = rest.chars->documentText(rest.start, rest.start + window);
        const QString blockText = m_block.text();
        m_valid = m_block.layout() && blockText.endsWith(expected);
        m_runAt = blockText.size() - expected.size();
        // The run is one span: all its characters share one format.
        m_uniform = m_valid && window > 0;
        if (m_uniform) {
            QTextCursor first(&m_doc);
            first.setPosition(m_block.position() + m_runAt + 1);
            m_runFormat = first.charFormat();
            for (QTextBlock::iterator it = m_block.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (f.position() + f.length() > m_block.position() + m_runAt && f.charFormat() != m_runFormat)
                    m_uniform = false;
            }
        }
        return m_height;
    }

    // Whether the laid-out page is the same paragraph alone with the same run
    // from an earlier character on: then it is edited rather than laid out
    // from its HTML again.
    bool continues(const QString& base, const Rest& rest) const
    {
        return m_uniform && base == m_base && m_serial == rest.chars->serial && rest.start >= m_rest.start &&
               rest.start <= m_rest.start + m_window && m_doc.blockCount() == 1;
    }

    // Drops the characters before rest.start and ends the run after `window`
    // characters of rest (one edit, one layout of the paragraph).
    qreal moveOn(const QString& base, const Rest& rest, int window)
    {
        ++measurements;
        const QVector<int>& at = rest.chars->at;
        const int runAt = m_block.position() + m_runAt;
        const int have = m_rest.start + m_window - rest.start;
        QTextCursor cursor(&m_doc);
        cursor.beginEditBlock();
        if (have > window) {
            cursor.setPosition(runAt + (at[rest.start + window] - at[m_rest.start]));
            cursor.setPosition(runAt + (at[m_rest.start + m_window] - at[m_rest.start]),
                               QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        } else if (have < window) {
            cursor.setPosition(runAt + (at[m_rest.start + m_window] - at[m_rest.start]));
            cursor.insertText(rest.chars->documentText(rest.start + have, rest.start + window), m_runFormat);
        }
        cursor.setPosition(runAt);
        cursor.setPosition(runAt + (at[rest.start] - at[m_rest.start]), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        cursor.endEditBlock();
        m_rest = rest;
        m_window = window;
        m_html = base + rest.span(window) + kEnd;
        m_height = m_doc.size().height();
        m_block = m_doc.lastBlock();
        return m_height;
    }

    bool holds(const QString& base, const Rest& rest, int k) const
    {
        return m_serial == rest.chars->serial && m_rest.start == rest.start && k <= m_window &&
               m_base == base;
    }
    const QString& html() const { return m_html; }
    qreal height() const { return m_height; }
    int window() const { return m_window; }

    // Exact height with the first k characters of rest (1 <= k). The laid-out
    // document is cut to (or extended by) the characters in question, so only
    // its last paragraph is laid out again; it then holds exactly that page.
    qreal exact(const QString& base, const Rest& rest, int k)
    {
        if (!holds(base, rest, std::min(k, m_window)) || !m_uniform)
            return direct(base + rest.span(k) + kEnd);
        if (k == m_window)
            return m_height;
        ++measurements;
        const int blockAt = m_block.position() + m_runAt;
        const QVector<int>& at = rest.chars->at;
        QTextCursor cursor(&m_doc);
        // One edit block: the cursor does not lay the text out on its own.
        cursor.beginEditBlock();
        if (k < m_window) {
            cursor.setPosition(blockAt + (at[rest.start + k] - at[rest.start]));
            cursor.setPosition(blockAt + (at[rest.start + m_window] - at[rest.start]),
                               QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        } else {
            cursor.setPosition(blockAt + (at[rest.start + m_window] - at[rest.start]));
            cursor.insertText(rest.chars->documentText(rest.start + m_window, rest.start + k), m_runFormat);
        }
        cursor.endEditBlock();
        m_window = k;
        m_html = base + rest.span(k) + kEnd;
        m_height = m_doc.size().height();
        return m_height;
    }

    // Height with the first k characters of rest (1 <= k): exact when k is
    // the whole laid-out window, else an estimate that is nearly always
    // right (see above).
    qreal estimate(const QString& base, const Rest& rest, int k, int windowHint)
    {
        if (!holds(base, rest, k))
            layOut(base, rest, std::min(rest.length(), std::max(k, windowHint)));
        if (k == m_window)
            return m_height;
        if (!m_valid)
            return direct(base + rest.span(k) + kEnd);
        m_block = m_doc.lastBlock();
        const int end = m_runAt + (rest.chars->at[rest.start + k] - rest.chars->at[rest.start]);
        QTextLayout* tl = m_block.layout();
        const QTextLine last = tl->lineForTextPosition(end - 1);
        if (!last.isValid())
            return direct(base + rest.span(k) + kEnd);
        const QTextLine from = tl->lineAt(std::max(0, last.lineNumber() - 1));
        const int start = from.textStart();
        ++measurements;
        m_tail.clear();
        configure(m_tail, m_width);
        QTextCursor cursor(&m_tail);
        cursor.beginEditBlock();
        cursor.setBlockFormat(m_block.blockFormat());
        cursor.setBlockCharFormat(m_block.charFormat());
        const int blockAt = m_block.position();
        for (QTextBlock::iterator it = m_block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int fs = f.position() - blockAt;
            const int a = std::max(fs, start);
            const int b = std::min(fs + f.length(), end);
            if (a < b)
                cursor.insertText(f.text().mid(a - fs, b - a), f.charFormat());
        }
        cursor.endEditBlock();
        const qreal tailHeight = m_tail.size().height();
        const QTextBlock tb = m_tail.firstBlock();
        if (!tb.layout() || tb.layout()->lineCount() == 0)
            return direct(base + rest.span(k) + kEnd);
        const qreal tailTop = tb.layout()->position().y() + tb.layout()->lineAt(0).y();
        return tl->position().y() + from.y() + (tailHeight - tailTop);
    }

    // Where the laid-out text first reaches below `limit`: the number of
    // characters of the run before that line (an estimate for a cut).
    int charsAbove(qreal limit) const
    {
        if (!m_valid)
            return m_window / 2;
        QTextLayout* tl = m_block.layout();
        const qreal top = tl->position().y();
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            if (top + line.y() + line.height() > limit)
                return toChars(line.textStart());
        }
        return m_window;
    }

    // Characters of the run on the first line that holds any of it.
    int charsOnFirstLine() const
    {
        if (!m_valid)
            return 1;
        QTextLayout* tl = m_block.layout();
        const QTextLine line = tl->lineForTextPosition(m_runAt);
        if (!line.isValid())
            return 1;
        return toChars(line.textStart() + line.textLength());
    }

private:
    // Characters of the run before a position in the block.
    int toChars(int blockPos) const
    {
        const int utf16 = blockPos - m_runAt;
        if (utf16 <= 0)
            return 0;
        const QVector<int>& at = m_rest.chars->at;
        const int base = at[m_rest.start];
        const auto it = std::upper_bound(at.begin() + m_rest.start, at.begin() + m_rest.start + m_window + 1,
                                         base + utf16);
        return int(it - (at.begin() + m_rest.start)) - 1;
    }

    int m_width;
    QTextDocument m_doc;
    QTextDocument m_tail;
    QTextDocument m_scratch;
    QString m_base;
    QString m_html;
    Rest m_rest{nullptr, 0};
    int m_serial = 0;
    int m_window = 0;
    qreal m_height = 0;
    QTextBlock m_block;
    QTextCharFormat m_runFormat; // the run's characters' format in the document
    bool m_valid = false;
    bool m_uniform = false;
    int m_runAt = 0;
    QString m_lastHtml;
    qreal m_lastHeight = 0;
};

class Pager
{
public:
    Pager(int width, int height, int maxPages, const std::function<void(const QString&)>& onPage,
          const std::atomic_bool* cancel)
        : m_heights(width), m_pageHeight(height), m_maxPages(maxPages), m_onPage(onPage), m_cancel(cancel)
    {}

    QStringList run(const QVector<TextPageLayout::Paragraph>& paragraphs)
    {
        for (int i = 0; i < paragraphs.size() && !full(); ++i) {
            const TextPageLayout::Paragraph& p = paragraphs[i];
            m_head = p.head;
            m_page += m_head;
            for (int j = 0; j < p.lines.size() && !full(); ++j)
                lineStep(p.lines[j], j > 0, i == paragraphs.size() - 1 && j == p.lines.size() - 1);
            m_page += kEnd;
        }
        if (hasContent() && !full())
            push();
        return m_pages;
    }

    int measurements() const { return m_heights.measurements; }

private:
    bool full() const
    {
        return (m_maxPages > 0 && m_pages.size() >= m_maxPages) || (m_cancel && m_cancel->load());
    }

    bool fits(qreal h) const { return h <= m_pageHeight; }

    bool hasContent() const
    {
        QString s = m_page;
        s.remove(kHead);
        s.remove(kEnd);
        s.remove(kBreak);
        return !s.isEmpty();
    }

    bool endsWithHead() const
    {
        const int at = m_page.lastIndexOf(kHeadStart);
        return at >= 0 && kWholeHead.match(m_page.midRef(at)).hasMatch();
    }

    void cutEmptyHead()
    {
        if (endsWithHead())
            m_page.truncate(m_page.lastIndexOf(kHeadStart));
    }

    void push()
    {
        cutEmptyHead();
        if (hasContent()) {
            m_pages.push_back(m_page + kEnd);
            if (m_onPage)
                m_onPage(m_pages.back());
            m_window = std::max(64, m_charsOnPage + m_charsOnPage / 32 + 8);
        }
        m_charsOnPage = 0;
        m_page = m_head;
    }

    void append(const Rest& rest, int k)
    {
        m_page += rest.span(k);
        m_charsOnPage += k;
    }

    void lineStep(const QVector<TextPageLayout::Run>& segs, bool needsBreak, bool isLast)
    {
        if (needsBreak && !endsWithHead())
            m_page += kBreak;
        if (segs.size() == 1 && (segs[0].text == QLatin1String(" ") || segs[0].text.isEmpty())) {
            const TextPageLayout::Run blank{QStringLiteral(" "), segs[0].open, segs[0].close};
            const Chars chars(blank);
            const Rest rest{&chars, 0};
            if (!fits(m_heights.exact(m_page, rest, 1))) {
                // The break that led here belongs to the page that ends.
                if (m_page.endsWith(kBreak))
                    m_page.chop(kBreak.size());
                push();
            }
            append(rest, 1);
            return;
        }
        for (int k = 0; k < segs.size() && !full(); ++k)
            runStep(segs[k]);
        if (!full() && hasContent() && !endsWithHead()) {
            if (!fits(m_heights.direct(m_page + kEnd)) || isLast)
                push();
        }
    }

    // Whether the whole rest fits on the page. Lays out a window of it first:
    // when the window already overflows, so does the whole; when it fits, the
    // next window is sized from how much of the page it filled.
    bool fitsWhole(const Rest& rest)
    {
        const int len = rest.length();
        int window = std::min(len, m_window);
        for (;;) {
            if (m_heights.holds(m_page, rest, len))
                window = len;
            const qreal h = m_heights.holds(m_page, rest, window) && m_heights.window() == window
                                ? m_heights.height()
                                : m_heights.layOut(m_page, rest, window);
            if (!fits(h))
                return false;
            if (window == len) {
                m_heights.remember(m_heights.html(), h);
                return true;
            }
            const qreal grow = h > 0 ? std::min<qreal>(8, 1.25 * m_pageHeight / h) : 8;
            window = std::min(len, std::max(window + 64, int(window * grow)));
        }
    }

    void runStep(const TextPageLayout::Run& seg)
    {
        if (seg.text.isEmpty())
            return;
        const Chars chars(seg);
        Rest rest{&chars, 0};
        if (fitsWhole(rest)) {
            append(rest, rest.length());
            return;
        }
        // Every round either takes characters or pushes a page holding text,
        // so this ends; the guard only protects against heights that lie.
        int guard = 2 * rest.length() + 8;
        while (rest.length() > 0 && !full() && !fitsWhole(rest)) {
            if (--guard < 0)
                break;
            rest = splitStep(rest);
        }
        if (rest.length() > 0 && !full())
            append(rest, rest.length());
    }

    // Fills the current page with a prefix of rest, pushes it and returns the
    // rest (the page with the whole rest is known not to fit).
    Rest splitStep(const Rest& rest)
    {
        const int len = rest.length();
        // The laid-out window overflows the page (fitsWhole just said so).
        const int hi = std::min(len, m_heights.window());
        const int guess = m_heights.charsAbove(m_pageHeight);
        const QString page = m_page;
        const int estimated = largestTrue(
            [&](int n) { return fits(m_heights.estimate(page, rest, n, m_window)); }, 0, hi, guess);
        int k = largestTrue([&](int n) { return fits(m_heights.exact(page, rest, n)); }, 0, hi, estimated);
        // A mark never begins the next page: the characters before it go with it.
        while (k > 0 && TextPageLayout::isMark(rest.code(k)) && (k > 1 || hasContent()))
            --k;
        if (k > 0) {
            append(rest, k);
            push();
            return Rest{rest.chars, rest.start + k};
        }
        if (hasContent()) {
            push();
            return rest;
        }
        return oversizedStep(rest);
    }

    // Nothing fits on an empty page: a glyph taller than the page. The page
    // takes the characters of one line of it.
    Rest oversizedStep(const Rest& rest)
    {
        const int len = rest.length();
        const QString base = m_head;
        m_heights.estimate(base, rest, 1, std::min(len, m_window)); // lays the run out
        const int guess = m_heights.charsOnFirstLine();
        const qreal one = m_heights.exact(base, rest, 1);
        const int estimated = largestTrue(
            [&](int n) { return m_heights.estimate(base, rest, n, m_window) == one; }, 1, len + 1, guess);
        int m =
            largestTrue([&](int n) { return m_heights.exact(base, rest, n) == one; }, 1, len + 1, estimated);
        while (m > 1 && m < len && TextPageLayout::isMark(rest.code(m)))
            --m;
        append(rest, m);
        if (m < len)
            push();
        return Rest{rest.chars, rest.start + m};
    }

    Heights m_heights;
    qreal m_pageHeight;
    int m_maxPages;
    const std::function<void(const QString&)>& m_onPage;
    const std::atomic_bool* m_cancel;
    QStringList m_pages;
    QString m_page;
    QString m_head;
    int m_window = 512; // characters laid out at first for a page
    int m_charsOnPage = 0;
};

QString stringOf(const QVariantMap& m, const char* key)
{
    const QVariant v = m.value(QLatin1String(key));
    return v.type() == QVariant::String ? v.toString() : QString();
}

} // namespace

QString TextPageLayout::escapeText(const QString& text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u == '&')
            out += QLatin1String("&amp;");
        else if (u == '<')
            out += QLatin1String("&lt;");
        else if (u == '>')
            out += QLatin1String("&gt;");
        else if (isSpace(u))
            out += QLatin1String("&nbsp;");
        else
            out += c;
    }
    return out;
}

bool TextPageLayout::isMark(uint codePoint)
{
    return std::find(std::begin(kMarks), std::end(kMarks), codePoint) != std::end(kMarks);
}

QVector<TextPageLayout::Paragraph> TextPageLayout::fromVariant(const QVariant& paragraphs)
{
    QVector<Paragraph> out;
    for (const QVariant& pv : paragraphs.toList()) {
        const QVariantMap pm = pv.toMap();
        Paragraph p;
        p.head = stringOf(pm, "head");
        for (const QVariant& lv : pm.value(QStringLiteral("lines")).toList()) {
            QVector<Run> line;
            for (const QVariant& rv : lv.toList()) {
                const QVariantMap rm = rv.toMap();
                line.push_back(Run{stringOf(rm, "text"), stringOf(rm, "open"), stringOf(rm, "close")});
            }
            p.lines.push_back(line);
        }
        out.push_back(p);
    }
    return out;
}

QStringList TextPageLayout::layout(const QVector<Paragraph>& paragraphs, int width, int height, int maxPages,
                                   const std::function<void(const QString&)>& onPage,
                                   const std::atomic_bool* cancel)
{
    m_measurements = 0;
    if (width <= 0 || height <= 0)
        return {};
    Pager pager(width, height, maxPages, onPage, cancel);
    const QStringList pages = pager.run(paragraphs);
    m_measurements = pager.measurements();
    return pages;
}

} // namespace dorvo_preview
