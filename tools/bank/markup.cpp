#include "markup.h"

#include <QTextDocument>
#include <QTextDocumentFragment>

namespace quizmark {

namespace {
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
} // namespace

QString Markup::htmlToPlain(const QString& html)
{
    const QuietFonts quiet;
    return QTextDocumentFragment::fromHtml(html).toPlainText().trimmed();
}

QString Markup::markdownToPlain(const QString& markdown)
{
    const QuietFonts quiet;
    QTextDocument document;
    document.setMarkdown(markdown);
    return document.toPlainText().trimmed();
}

} // namespace quizmark
