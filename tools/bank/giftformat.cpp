#include "giftformat.h"

#include "categorypaths.h"
#include "markup.h"
#include "sourcetext.h"

#include "data/fixedfield.h"

#include <QRegularExpression>

namespace quizmark {

namespace {
const QString Specials = QStringLiteral("~=#{}:");

// The position of the first unescaped occurrence of text at or after from, or -1.
qsizetype findUnescaped(const QString& text, const QString& what, qsizetype from = 0)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == u'\\') {
            ++i;
            continue;
        }
        if (QStringView(text).mid(i).startsWith(what))
            return i;
    }
    return -1;
}

qsizetype findLastUnescaped(const QString& text, QChar what)
{
    qsizetype last = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (text[i] == what)
            last = i;
    }
    return last;
}

QString unescaped(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            if (next == u'n')
                plain += u'\n';
            else if (Specials.contains(next) || next == u'\\')
                plain += next;
            else
                plain += QStringLiteral("\\") + next;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

QString escaped(const QString& text)
{
    QString gift;
    for (QChar c : text) {
        if (c == u'\n')
            gift += QStringLiteral("\\n");
        else if (Specials.contains(c) || c == u'\\')
            gift += QStringLiteral("\\") + c;
        else
            gift += c;
    }
    return gift;
}

enum class TextFormat
{
    Plain,
    Html,
    Markdown
};

struct Answer
{
    QString text;
    // Where the answer starts within the text between the braces.
    qsizetype offset = 0;
};

// Splits the answers between the braces into their texts, each starting with its = or ~.
QList<Answer> answerTexts(const QString& answers)
{
    QList<Answer> list;
    for (qsizetype i = 0; i < answers.size(); ++i) {
        if (answers[i] == u'\\') {
            if (!list.isEmpty())
                list.last().text += answers.mid(i, 2);
            ++i;
        } else if (answers[i] == u'=' || answers[i] == u'~') {
            list.append({ QString(answers[i]), i });
        } else if (!list.isEmpty()) {
            list.last().text += answers[i];
        }
    }
    return list;
}

int lineBreaks(QStringView text)
{
    return int(text.count(u'\n'));
}

class GiftReader
{
public:
    GiftReader(const QString& origin)
        : m_origin(origin)
    {
    }

    ImportedExam read(const QString& text)
    {
        const QStringList lines = text.split(u'\n');
        QStringList block;
        int blockLine = 0;
        for (int n = 0; n <= lines.size(); ++n) {
            const QString line = n < lines.size() ? lines[n] : QString();
            if (line.trimmed().isEmpty()) {
                if (!block.isEmpty())
                    paragraph(block.join(u'\n'), blockLine);
                block.clear();
            } else if (line.trimmed().startsWith(QStringLiteral("//"))) {
                comment(line.trimmed().mid(2).trimmed(), n + 1);
            } else {
                if (block.isEmpty())
                    blockLine = n + 1;
                block.append(line);
            }
        }
        m_categories.apply(m_exam);
        return m_exam;
    }

private:
    void comment(const QString& text, int line)
    {
        static const QRegularExpression directive(QStringLiteral("^(bank|description|questionTotal):\\s*(.*)$"));
        const auto match = directive.match(text);
        if (!match.hasMatch())
            return;
        const QString value = match.captured(2).trimmed();
        if (match.captured(1) == u"bank") {
            m_exam.bank = value;
        } else if (match.captured(1) == u"description") {
            m_exam.description = unescaped(value);
        } else {
            bool whole = false;
            m_exam.questionTotal = value.toInt(&whole);
            if (!whole)
                m_exam.errors.append(QStringLiteral("%1:%2: questionTotal \"%3\" is not a whole number")
                                         .arg(m_origin)
                                         .arg(line)
                                         .arg(value));
        }
    }

    void paragraph(const QString& text, int line)
    {
        if (text.startsWith(QStringLiteral("$CATEGORY:"))) {
            m_categories.declare(text.mid(10).trimmed());
            return;
        }
        ImportedQuestion question;
        question.where = QStringLiteral("%1:%2").arg(m_origin).arg(line);
        QString body = text.trimmed();
        if (body.startsWith(QStringLiteral("::"))) {
            const qsizetype end = findUnescaped(body, QStringLiteral("::"), 2);
            body = end < 0 ? body : body.mid(end + 2).trimmed();
        }
        const int bodyLine = line + lineBreaks(QStringView(text).left(std::max<qsizetype>(text.indexOf(body), 0)));
        const TextFormat format = marker(body, TextFormat::Plain);
        const qsizetype open = findUnescaped(body, QStringLiteral("{"));
        const qsizetype close = findLastUnescaped(body, u'}');
        if (open < 0 || close < open) {
            question.unfit = QStringLiteral("no answers in braces");
            m_exam.questions.append(question);
            m_categories.addQuestion();
            return;
        }
        const QString after = body.mid(close + 1).trimmed();
        question.question = plainText(body.left(open), format, bodyLine);
        if (!after.isEmpty())
            question.question += QStringLiteral(" _____ ")
                + plainText(after, format, bodyLine + lineBreaks(QStringView(body).left(close)));
        answers(body.mid(open + 1, close - open - 1), format, bodyLine + lineBreaks(QStringView(body).left(open)),
                question);
        m_exam.questions.append(question);
        m_categories.addQuestion();
    }

    // The format a [html], [markdown], [plain] or [moodle] marker at the text's start names, the marker
    // taken off; without one, the format given.
    static TextFormat marker(QString& text, TextFormat inherited)
    {
        static const QRegularExpression marker(QStringLiteral("^\\s*\\[(html|markdown|plain|moodle)\\]"));
        const auto match = marker.match(text);
        if (!match.hasMatch())
            return inherited;
        text.remove(0, match.capturedLength());
        return match.captured(1) == u"html"    ? TextFormat::Html
            : match.captured(1) == u"markdown" ? TextFormat::Markdown
                                               : TextFormat::Plain;
    }

    // A text of the question: its own marker taken off, unescaped and freed of its markup; what the
    // markup loses is noted with the line the text starts on.
    QString plainText(QString raw, TextFormat inherited, int line)
    {
        const TextFormat format = marker(raw, inherited);
        const QString text = unescaped(raw.trimmed());
        if (format == TextFormat::Plain)
            return text;
        const PlainText plain = format == TextFormat::Html ? Markup::htmlToPlain(text) : Markup::markdownToPlain(text);
        for (const MarkupNote& note : plain.notes)
            m_exam.warnings.append(QStringLiteral("%1:%2: %3").arg(m_origin).arg(line + note.line - 1).arg(note.what));
        return plain.text;
    }

    void answers(QString text, TextFormat format, int line, ImportedQuestion& question)
    {
        const qsizetype general = findUnescaped(text, QStringLiteral("####"));
        if (general >= 0) {
            question.explanation
                = plainText(text.mid(general + 4), format, line + lineBreaks(QStringView(text).left(general)));
            text.truncate(general);
        }
        const QString trimmed = text.trimmed();
        static const QRegularExpression trueFalse(QStringLiteral("^(T|F|TRUE|FALSE)\\s*(#|$)"),
                                                  QRegularExpression::CaseInsensitiveOption);
        if (trimmed.isEmpty())
            question.unfit = QStringLiteral("an essay question");
        else if (trimmed.startsWith(u'#'))
            question.unfit = QStringLiteral("a numerical question");
        else if (trueFalse.match(trimmed).hasMatch())
            question.unfit = QStringLiteral("a true/false question");
        else if (findUnescaped(trimmed, QStringLiteral("->")) >= 0)
            question.unfit = QStringLiteral("a matching question");
        else if (findUnescaped(trimmed, QStringLiteral("~")) < 0)
            question.unfit = QStringLiteral("a short-answer question");
        if (!question.unfit.isEmpty())
            return;
        QStringList correctFeedback;
        // Lines counted on from one answer to the next, so many answers cost no more than one.
        qsizetype counted = 0;
        int answerLine = line;
        const qsizetype lead = text.indexOf(trimmed);
        for (const Answer& answer : answerTexts(trimmed)) {
            answerLine += lineBreaks(QStringView(text).mid(counted, lead + answer.offset - counted));
            counted = lead + answer.offset;
            QString body = answer.text.mid(1);
            bool correct = answer.text[0] == u'=';
            static const QRegularExpression weight(QStringLiteral("^\\s*%(-?[0-9.]+)%"));
            if (const auto match = weight.match(body); match.hasMatch()) {
                correct = match.captured(1).toDouble() > 0;
                body = body.mid(match.capturedLength());
            }
            const qsizetype hash = findUnescaped(body, QStringLiteral("#"));
            const QString feedback = hash < 0
                ? QString()
                : plainText(body.mid(hash + 1), format, answerLine + lineBreaks(QStringView(body).left(hash)));
            question.options.append(plainText(hash < 0 ? body : body.left(hash), format, answerLine));
            if (correct) {
                question.correct.append(int(question.options.size()));
                if (!feedback.isEmpty())
                    correctFeedback.append(feedback);
            }
        }
        if (question.explanation.isEmpty())
            question.explanation = correctFeedback.join(u'\n');
    }

    QString m_origin;
    ImportedExam m_exam;
    CategoryPaths m_categories;
};

QString weight(qsizetype correct)
{
    return QString::number(100.0 / double(correct), 'f', 5).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}
} // namespace

ImportedExam GiftFormat::read(const QByteArray& bytes, const QString& origin)
{
    QString problem;
    ImportedExam exam = GiftReader(origin).read(SourceText::decode(bytes, &problem));
    if (!problem.isEmpty())
        exam.errors.append(QStringLiteral("%1:%2").arg(origin, problem));
    return exam;
}

QByteArray GiftFormat::write(const BankExam& exam)
{
    const CatalogueRecord& catalogue = exam.catalogue;
    QString gift;
    gift += QStringLiteral("// bank: %1\n").arg(catalogue.bankFileName());
    const QString description = FixedField::trimmedRight(catalogue.Description);
    if (!description.isEmpty())
        gift += QStringLiteral("// description: %1\n").arg(escaped(description));
    if (catalogue.QuestionTotal != exam.questions.size())
        gift += QStringLiteral("// questionTotal: %1\n").arg(catalogue.QuestionTotal);
    const QString category = FixedField::trimmedRight(catalogue.ExamName).replace(u'/', QStringLiteral("//"));
    gift += QStringLiteral("\n$CATEGORY: %1\n").arg(category);
    // Each run of questions of one domain goes into the exam's sub-category of that name; the
    // exam's own category, declared first, makes the path they have in common.
    QString domain;
    for (qsizetype q = 0; q < exam.questions.size(); ++q) {
        const QuestionRecord& record = exam.questions[q];
        if (exam.domain(q) != domain) {
            domain = exam.domain(q);
            gift += QStringLiteral("\n$CATEGORY: %1\n").arg(domain.isEmpty() ? category : category + u'/' + domain);
        }
        const qsizetype correct = record.correctCount();
        gift += u'\n' + escaped(FixedField::trimmedRight(record.Question)) + QStringLiteral(" {\n");
        for (int k = 1; k <= QuestionRecord::OptionCount; ++k) {
            const bool isCorrect = std::find(record.CorrectOptions.begin(), record.CorrectOptions.end(), k)
                != record.CorrectOptions.end();
            const QString text = escaped(FixedField::trimmedRight(record.option(k)));
            if (correct == 1)
                gift += QStringLiteral("    %1%2\n").arg(isCorrect ? QChar(u'=') : QChar(u'~')).arg(text);
            else
                gift += QStringLiteral("    ~%%1%%2\n").arg(isCorrect ? weight(correct) : QStringLiteral("0"), text);
        }
        const QString explanation = FixedField::trimmedRight(record.Explanation);
        if (!explanation.isEmpty())
            gift += QStringLiteral("    ####%1\n").arg(escaped(explanation));
        gift += QStringLiteral("}\n");
    }
    return gift.toUtf8();
}

} // namespace quizmark
