#include "htmltotext.h"

#include <QSet>
#include <QStringDecoder>
#include <QTextDocumentFragment>

namespace quizmark {

namespace {
const QSet<QString> Blocks = {
    QStringLiteral("address"),  QStringLiteral("article"),    QStringLiteral("aside"),  QStringLiteral("blockquote"),
    QStringLiteral("caption"),  QStringLiteral("center"),     QStringLiteral("dd"),     QStringLiteral("details"),
    QStringLiteral("dialog"),   QStringLiteral("div"),        QStringLiteral("dl"),     QStringLiteral("dt"),
    QStringLiteral("fieldset"), QStringLiteral("figcaption"), QStringLiteral("figure"), QStringLiteral("footer"),
    QStringLiteral("form"),     QStringLiteral("h1"),         QStringLiteral("h2"),     QStringLiteral("h3"),
    QStringLiteral("h4"),       QStringLiteral("h5"),         QStringLiteral("h6"),     QStringLiteral("header"),
    QStringLiteral("hr"),       QStringLiteral("legend"),     QStringLiteral("li"),     QStringLiteral("main"),
    QStringLiteral("nav"),      QStringLiteral("ol"),         QStringLiteral("p"),      QStringLiteral("pre"),
    QStringLiteral("section"),  QStringLiteral("summary"),    QStringLiteral("table"),  QStringLiteral("tbody"),
    QStringLiteral("tfoot"),    QStringLiteral("thead"),      QStringLiteral("tr"),     QStringLiteral("ul"),
};

// Elements whose content is no text of the page: code, styles, media and their fallbacks.
const QSet<QString> Dropped = {
    QStringLiteral("script"), QStringLiteral("style"),  QStringLiteral("template"), QStringLiteral("title"),
    QStringLiteral("iframe"), QStringLiteral("object"), QStringLiteral("video"),    QStringLiteral("audio"),
    QStringLiteral("canvas"), QStringLiteral("svg"),    QStringLiteral("math"),     QStringLiteral("noscript"),
};

constexpr qsizetype DeepestIndent = 8;

// The longest name of a named character reference HTML 4 knows ("thetasym").
constexpr qsizetype LongestReferenceName = 8;

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) { }

// The document complains of font sizes it never uses without a display; only its text is wanted.
class QuietFonts
{
public:
    QuietFonts()
        : m_previous(qInstallMessageHandler(dropMessage))
    {
    }
    ~QuietFonts() { qInstallMessageHandler(m_previous); }

private:
    QtMessageHandler m_previous;
};

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isNameCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u':'
        || c == u'_';
}

bool isDigit(QChar c, bool hex)
{
    return (c >= u'0' && c <= u'9') || (hex && ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')));
}

bool isLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The value of one attribute of a tag, or nothing when the tag has none of that name.
std::optional<QString> attribute(QStringView attributes, QStringView wanted)
{
    qsizetype i = 0;
    const qsizetype size = attributes.size();
    while (i < size) {
        while (i < size && (isSpace(attributes[i]) || attributes[i] == u'/'))
            ++i;
        const qsizetype nameStart = i;
        while (i < size && !isSpace(attributes[i]) && attributes[i] != u'=' && attributes[i] != u'/')
            ++i;
        const QStringView name = attributes.mid(nameStart, i - nameStart);
        while (i < size && isSpace(attributes[i]))
            ++i;
        QStringView value;
        if (i < size && attributes[i] == u'=') {
            ++i;
            while (i < size && isSpace(attributes[i]))
                ++i;
            if (i < size && (attributes[i] == u'"' || attributes[i] == u'\'')) {
                const QChar quote = attributes[i++];
                const qsizetype valueStart = i;
                while (i < size && attributes[i] != quote)
                    ++i;
                value = attributes.mid(valueStart, i - valueStart);
                ++i;
            } else {
                const qsizetype valueStart = i;
                while (i < size && !isSpace(attributes[i]))
                    ++i;
                value = attributes.mid(valueStart, i - valueStart);
            }
        }
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return value.toString();
        if (name.isEmpty() && i == nameStart)
            ++i;
    }
    return std::nullopt;
}

// A character by its number, as browsers read it: the C1 range as Windows-1252.
std::optional<QString> numberedCharacter(char32_t code)
{
    if (code >= 0x80 && code <= 0x9F) {
        const char byte = char(code);
        QStringDecoder windows1252("windows-1252");
        const QString decoded = windows1252.decode(QByteArrayView(&byte, 1));
        if (windows1252.hasError() || decoded.size() != 1 || decoded[0] == QChar::ReplacementCharacter)
            return std::nullopt;
        return decoded;
    }
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || (code < 0x20 && !isSpace(QChar(code))))
        return std::nullopt;
    return QString::fromUcs4(&code, 1);
}
} // namespace

HtmlToText::HtmlToText(QStringView html)
    : m_html(html)
{
}

PlainText HtmlToText::convert()
{
    while (m_position < m_html.size()) {
        const QChar c = m_html[m_position];
        if (c == u'<' && markup())
            continue;
        if (c == u'&' && reference())
            continue;
        text(c);
        ++m_position;
    }
    return { m_text.trimmed(), m_notes };
}

bool HtmlToText::markup()
{
    const QStringView rest = m_html.mid(m_position);
    if (rest.startsWith(u"<!--")) {
        const qsizetype end = m_html.indexOf(u"-->", m_position + 4);
        if (end < 0) {
            note(m_position, QStringLiteral("a comment that is not closed left out with the rest of the text"));
            m_position = m_html.size();
        } else {
            m_position = end + 3;
        }
        return true;
    }
    const QChar next = rest.size() > 1 ? rest[1] : QChar();
    if (next == u'!' || next == u'?') {
        const qsizetype end = nextGreater(m_position);
        if (end < 0)
            return false;
        m_position = end + 1;
        return true;
    }
    if (isLetter(next))
        return startTag(tagEnd(m_position + 1));
    if (next == u'/' && rest.size() > 2 && isLetter(rest[2])) {
        const qsizetype end = nextGreater(m_position);
        if (end < 0)
            return false;
        endTag(end);
        return true;
    }
    return false;
}

bool HtmlToText::startTag(qsizetype end)
{
    if (end < 0)
        return false;
    qsizetype nameEnd = m_position + 1;
    while (nameEnd < end && isNameCharacter(m_html[nameEnd]))
        ++nameEnd;
    const QString name = m_html.mid(m_position + 1, nameEnd - m_position - 1).toString().toLower();
    const QStringView attributes = m_html.mid(nameEnd, end - nameEnd);
    const qsizetype start = m_position;
    m_position = end + 1;
    if (Dropped.contains(name)) {
        m_position = start;
        dropElement(name);
        return true;
    }
    element(name, attributes);
    return true;
}

void HtmlToText::endTag(qsizetype end)
{
    qsizetype nameEnd = m_position + 2;
    while (nameEnd < end && isNameCharacter(m_html[nameEnd]))
        ++nameEnd;
    const QString name = m_html.mid(m_position + 2, nameEnd - m_position - 2).toString().toLower();
    m_position = end + 1;
    closeElement(name);
}

void HtmlToText::element(const QString& name, QStringView attributes)
{
    if (name == u"br") {
        lineBreak();
    } else if (name == u"img") {
        image(attributes);
    } else if (name == u"li") {
        listItem();
    } else if (name == u"td" || name == u"th") {
        tableCell();
    } else if (Blocks.contains(name)) {
        blockBreak();
        if (name == u"pre") {
            ++m_preformatted;
            m_skipNewline = true;
        } else if (name == u"ul" || name == u"ol") {
            m_lists.append({ name == u"ol", 0 });
        } else if (name == u"tr") {
            m_cellInRow = false;
        }
    }
}

void HtmlToText::closeElement(const QString& name)
{
    if (!Blocks.contains(name))
        return;
    blockBreak();
    if (name == u"pre" && m_preformatted > 0)
        --m_preformatted;
    else if ((name == u"ul" || name == u"ol") && !m_lists.isEmpty())
        m_lists.removeLast();
    else if (name == u"tr")
        m_cellInRow = false;
}

void HtmlToText::dropElement(const QString& name)
{
    note(m_position, QStringLiteral("<%1> element left out").arg(name));
    const qsizetype close = m_html.indexOf(QStringLiteral("</") + name, m_position + 1, Qt::CaseInsensitive);
    const qsizetype end = close < 0 ? -1 : nextGreater(close);
    m_position = end < 0 ? m_html.size() : end + 1;
}

void HtmlToText::image(QStringView attributes)
{
    const QString alt = attribute(attributes, u"alt").value_or(QString()).simplified();
    if (alt.isEmpty()) {
        note(m_position - 1, QStringLiteral("image replaced by [image]"));
        visible(QStringLiteral("[image]"));
        return;
    }
    note(m_position - 1, QStringLiteral("image replaced by its alt text"));
    // The alt text's references are decoded as any text's.
    const QString plainAlt = HtmlToText(alt).convert().text.simplified();
    visible(u'[' + plainAlt + u']');
}

void HtmlToText::listItem()
{
    blockBreak();
    // Items of a list within a list are indented two spaces a level, up to a bound that keeps the
    // text's length linear in the markup's however deep the nesting.
    const QString indent(2 * std::clamp<qsizetype>(m_lists.size() - 1, 0, DeepestIndent), u' ');
    if (m_lists.isEmpty() || !m_lists.last().ordered) {
        visible(indent + QStringLiteral("- "));
        return;
    }
    visible(indent + QStringLiteral("%1. ").arg(++m_lists.last().items));
}

void HtmlToText::tableCell()
{
    if (m_cellInRow && !m_text.isEmpty() && !m_text.endsWith(u'\n')) {
        m_space = false;
        m_text += u'\t';
    }
    m_cellInRow = true;
}

bool HtmlToText::reference()
{
    qsizetype i = m_position + 1;
    const qsizetype size = m_html.size();
    std::optional<QString> character;
    if (i < size && m_html[i] == u'#') {
        ++i;
        const bool hex = i < size && (m_html[i] == u'x' || m_html[i] == u'X');
        if (hex)
            ++i;
        const qsizetype digitsStart = i;
        while (i < size && i - digitsStart < 8 && isDigit(m_html[i], hex))
            ++i;
        if (i == digitsStart || i - digitsStart >= 8)
            return false;
        character
            = numberedCharacter(char32_t(m_html.mid(digitsStart, i - digitsStart).toUInt(nullptr, hex ? 16 : 10)));
        if (i < size && m_html[i] == u';')
            ++i;
    } else {
        const qsizetype nameStart = i;
        while (i < size && i - nameStart <= LongestReferenceName
               && ((m_html[i] >= u'a' && m_html[i] <= u'z') || (m_html[i] >= u'A' && m_html[i] <= u'Z')
                   || (m_html[i] >= u'0' && m_html[i] <= u'9')))
            ++i;
        if (i == nameStart || i - nameStart > LongestReferenceName || i >= size || m_html[i] != u';')
            return false;
        character = namedReference(m_html.mid(nameStart, i - nameStart).toString());
        ++i;
    }
    if (!character)
        return false;
    m_position = i;
    for (QChar c : *character)
        text(c);
    return true;
}

std::optional<QString> HtmlToText::namedReference(const QString& name)
{
    // Qt's HTML reader knows the names; asked one reference alone, it has nothing else to parse.
    auto known = m_references.constFind(name);
    if (known == m_references.constEnd()) {
        const QuietFonts quiet;
        const QString reference = u'&' + name + u';';
        // Its plain text makes a no-break space an ordinary one, which would collapse.
        const QString decoded
            = name == u"nbsp" ? QString(QChar(0x00A0)) : QTextDocumentFragment::fromHtml(reference).toPlainText();
        known = m_references.insert(name, decoded == reference ? QString() : decoded);
    }
    if (known->isEmpty())
        return std::nullopt;
    return *known;
}

void HtmlToText::text(QChar c)
{
    if (m_skipNewline) {
        m_skipNewline = false;
        if (c == u'\n')
            return;
    }
    switch (c.unicode()) {
    case 0x00A0: // no-break spaces: a space that does not collapse
    case 0x2007:
    case 0x202F:
        visible(QStringLiteral(" "));
        return;
    case 0x2028: // line and paragraph separators
    case 0x2029:
        lineBreak();
        return;
    case 0x00AD: // invisible: soft hyphen, zero-width space and joiner, object replacement
    case 0x200B:
    case 0x2060:
    case 0xFEFF:
    case 0xFFFC:
        return;
    default:
        break;
    }
    if (m_preformatted > 0) {
        if (c == u'\n')
            lineBreak();
        else if (c != u'\r')
            m_text += c;
        return;
    }
    if (isSpace(c))
        m_space = true;
    else
        visible(QString(c));
}

void HtmlToText::visible(const QString& text)
{
    if (m_space && !m_text.isEmpty() && !m_text.endsWith(u'\n'))
        m_text += u' ';
    m_space = false;
    m_text += text;
}

void HtmlToText::lineBreak()
{
    m_space = false;
    while (m_text.endsWith(u' '))
        m_text.chop(1);
    m_text += u'\n';
}

void HtmlToText::blockBreak()
{
    if (!m_text.isEmpty() && !m_text.endsWith(u'\n'))
        lineBreak();
    m_space = false;
}

qsizetype HtmlToText::tagEnd(qsizetype from)
{
    if (m_quotesUnreliable)
        return nextGreater(from);
    QChar quote;
    bool afterEquals = false;
    for (qsizetype i = from; i < m_html.size(); ++i) {
        const QChar c = m_html[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'>') {
            return i;
        } else if (c == u'=') {
            afterEquals = true;
        } else if ((c == u'"' || c == u'\'') && afterEquals) {
            quote = c;
            afterEquals = false;
        } else if (!isSpace(c)) {
            afterEquals = false;
        }
    }
    m_quotesUnreliable = true;
    return nextGreater(from);
}

qsizetype HtmlToText::nextGreater(qsizetype from)
{
    // Asked for ever later places, the answer found last serves until it lies behind.
    if (m_greater == -1 || (m_greater >= from))
        return m_greater;
    m_greater = m_html.indexOf(u'>', from);
    return m_greater;
}

int HtmlToText::lineAt(qsizetype position)
{
    if (position < m_countedTo) {
        m_countedTo = 0;
        m_line = 1;
    }
    m_line += int(m_html.mid(m_countedTo, position - m_countedTo).count(u'\n'));
    m_countedTo = position;
    return m_line;
}

void HtmlToText::note(qsizetype position, const QString& what)
{
    m_notes.append({ lineAt(position), what });
}

} // namespace quizmark
