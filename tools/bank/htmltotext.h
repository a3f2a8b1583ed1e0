#pragma once

#include "markup.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

namespace quizmark {

// Turns one HTML text into plain text in a single pass, in time linear in its length whatever its
// nesting: blocks become line breaks, <pre> keeps its spacing, entities are decoded, a '<' that opens
// no tag stays a '<', an image becomes its alt text in brackets. What it leaves out or replaces is
// noted with its line.
class HtmlToText
{
public:
    explicit HtmlToText(QStringView html);

    PlainText convert();

private:
    struct List
    {
        bool ordered = false;
        int items = 0;
    };

    // Reads the markup starting at a '<'; false when it opens no tag, so the '<' is text.
    bool markup();
    bool startTag(qsizetype end);
    void endTag(qsizetype end);
    void element(const QString& name, QStringView attributes);
    void closeElement(const QString& name);
    // Leaves out everything up to the element's end tag; its name goes into the notes.
    void dropElement(const QString& name);
    void image(QStringView attributes);
    void listItem();
    void tableCell();
    // Reads the character reference starting at a '&'; false when there is none.
    bool reference();
    std::optional<QString> namedReference(const QString& name);

    void text(QChar c);
    void visible(const QString& text);
    void lineBreak();
    void blockBreak();

    // The end of the tag that opens at from: the '>' outside quoted values, or -1.
    qsizetype tagEnd(qsizetype from);
    qsizetype nextGreater(qsizetype from);
    int lineAt(qsizetype position);
    void note(qsizetype position, const QString& what);

    QStringView m_html;
    qsizetype m_position = 0;
    QString m_text;
    QList<MarkupNote> m_notes;
    bool m_space = false;
    int m_preformatted = 0;
    bool m_skipNewline = false;
    bool m_cellInRow = false;
    QList<List> m_lists;
    // Once a quoted value runs to the end, quotes are no longer trusted: tags end at the next '>'.
    bool m_quotesUnreliable = false;
    qsizetype m_greater = -2;
    qsizetype m_countedTo = 0;
    int m_line = 1;
    QHash<QString, QString> m_references;
};

} // namespace quizmark
