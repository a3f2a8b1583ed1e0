#include "moodlexmlformat.h"

#include "categorypaths.h"
#include "markup.h"
#include "sourcetext.h"

#include "data/fixedfield.h"

#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace quizmark {

namespace {
class MoodleXmlReader
{
public:
    MoodleXmlReader(const QByteArray& bytes, const QString& origin)
        : m_bytes(bytes)
        , m_xml(bytes)
        , m_origin(origin)
    {
    }

    ImportedExam read()
    {
        QSet<QString> external;
        while (!m_xml.atEnd() && m_xml.readNext() != QXmlStreamReader::StartElement)
            if (m_xml.tokenType() == QXmlStreamReader::DTD)
                for (const QXmlStreamEntityDeclaration& entity : m_xml.entityDeclarations())
                    if (!entity.systemId().isEmpty() || !entity.publicId().isEmpty())
                        external.insert(entity.name().toString());
        if (m_xml.tokenType() != QXmlStreamReader::StartElement || m_xml.name() != u"quiz")
            m_xml.raiseError(QStringLiteral("expected <quiz>"));
        while (!m_xml.hasError() && m_xml.readNextStartElement()) {
            if (m_xml.name() == u"question")
                question();
            else
                m_xml.skipCurrentElement();
        }
        if (m_xml.hasError())
            m_exam.errors.append(QStringLiteral("%1:%2: not valid Moodle XML: %3")
                                     .arg(m_origin)
                                     .arg(m_xml.lineNumber())
                                     .arg(m_xml.errorString()));
        if (!external.isEmpty())
            externalReferences(external);
        m_categories.apply(m_exam);
        return m_exam;
    }

private:
    // The plain text of a <text> child of the element at hand, in the element's format.
    // The element's format, or, as Moodle reads it, the question text's when it names none.
    QString format() const
    {
        const QString format = m_xml.attributes().value(QLatin1String("format")).toString();
        return format.isEmpty() ? m_questionFormat : format;
    }

    QString formattedText()
    {
        const QString format = this->format();
        QString text;
        qint64 line = m_xml.lineNumber();
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"text") {
                line = m_xml.lineNumber();
                text = elementText();
            } else {
                m_xml.skipCurrentElement();
            }
        }
        return plainText(text, format, line);
    }

    // The text of the element at hand; what the reader cannot give, an entity it does not read or an
    // element within, is noted with its line.
    QString elementText()
    {
        QString text;
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::Characters:
                text += m_xml.text();
                break;
            case QXmlStreamReader::EntityReference:
                warn(m_xml.lineNumber(),
                     QStringLiteral("entity &%1; is not read: left out of the text").arg(m_xml.name()));
                break;
            case QXmlStreamReader::StartElement:
                warn(m_xml.lineNumber(), QStringLiteral("element <%1> within a text left out").arg(m_xml.name()));
                m_xml.skipCurrentElement();
                break;
            case QXmlStreamReader::EndElement:
                return text;
            default:
                break;
            }
        }
        return text;
    }

    // The reader leaves out an external entity's text without a word; each use is noted with its line.
    void externalReferences(const QSet<QString>& external)
    {
        static const QRegularExpression reference(QStringLiteral("&([A-Za-z_:][A-Za-z0-9_:.-]*);"));
        const QString text = SourceText::decode(m_bytes);
        qsizetype counted = 0;
        qint64 line = 1;
        for (const auto& match : reference.globalMatch(text)) {
            if (!external.contains(match.captured(1)))
                continue;
            line += QStringView(text).mid(counted, match.capturedStart() - counted).count(u'\n');
            counted = match.capturedStart();
            warn(line, QStringLiteral("external entity &%1; is not read: left out of the text").arg(match.captured(1)));
        }
    }

    // Moodle writes questions and answers as HTML unless a format attribute says otherwise.
    QString plainText(const QString& text, QStringView format, qint64 line)
    {
        if (format == u"plain_text" || format == u"moodle_auto_format")
            return text;
        const PlainText plain = format == u"markdown" ? Markup::markdownToPlain(text) : Markup::htmlToPlain(text);
        for (const MarkupNote& note : plain.notes)
            warn(line + note.line - 1, note.what);
        return plain.text;
    }

    void warn(qint64 line, const QString& what)
    {
        m_exam.warnings.append(QStringLiteral("%1:%2: %3").arg(m_origin).arg(line).arg(what));
    }

    void question()
    {
        const QString type = m_xml.attributes().value(QLatin1String("type")).toString();
        if (type == u"category") {
            category();
            return;
        }
        ++m_number;
        m_questionFormat.clear();
        ImportedQuestion question;
        question.where
            = QStringLiteral("%1: question %2 (line %3)").arg(m_origin).arg(m_number).arg(m_xml.lineNumber());
        if (type != u"multichoice")
            question.unfit = QStringLiteral("a question of type \"%1\"").arg(type);
        QStringList correctFeedback;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"questiontext") {
                m_questionFormat = m_xml.attributes().value(QLatin1String("format")).toString();
                question.question = formattedText();
            } else if (m_xml.name() == u"generalfeedback") {
                question.explanation = formattedText();
            } else if (m_xml.name() == u"answer") {
                const bool correct = m_xml.attributes().value(QLatin1String("fraction")).toDouble() > 0;
                answer(question, correct, correctFeedback);
            } else {
                m_xml.skipCurrentElement();
            }
        }
        if (question.explanation.isEmpty())
            question.explanation = correctFeedback.join(u'\n');
        m_exam.questions.append(question);
        m_categories.addQuestion();
    }

    void answer(ImportedQuestion& question, bool correct, QStringList& correctFeedback)
    {
        const QString format = this->format();
        QString text;
        QString feedback;
        qint64 line = m_xml.lineNumber();
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"text") {
                line = m_xml.lineNumber();
                text = elementText();
            } else if (m_xml.name() == u"feedback") {
                feedback = formattedText();
            } else {
                m_xml.skipCurrentElement();
            }
        }
        question.options.append(plainText(text, format, line));
        if (correct) {
            question.correct.append(int(question.options.size()));
            if (!feedback.isEmpty())
                correctFeedback.append(feedback);
        }
    }

    void category()
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"category") {
                m_categories.declare(formattedText());
            } else if (m_xml.name() == u"info") {
                if (m_exam.description.isEmpty())
                    m_exam.description = formattedText();
                else
                    m_xml.skipCurrentElement();
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    QByteArray m_bytes;
    QXmlStreamReader m_xml;
    QString m_origin;
    ImportedExam m_exam;
    int m_number = 0;
    QString m_questionFormat;
    CategoryPaths m_categories;
};

void writeText(QXmlStreamWriter& xml, const QString& element, const QString& text)
{
    xml.writeStartElement(element);
    xml.writeAttribute(QStringLiteral("format"), QStringLiteral("plain_text"));
    xml.writeTextElement(QStringLiteral("text"), text);
    xml.writeEndElement();
}

// Opens a category entry and writes its path; the caller closes the entry.
void writeCategory(QXmlStreamWriter& xml, const QString& path, bool plain)
{
    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("category"));
    xml.writeStartElement(QStringLiteral("category"));
    if (plain)
        xml.writeAttribute(QStringLiteral("format"), QStringLiteral("plain_text"));
    xml.writeTextElement(QStringLiteral("text"), path);
    xml.writeEndElement();
}

QString fraction(qsizetype correct)
{
    return QString::number(100.0 / double(correct), 'f', 5).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}
} // namespace

ImportedExam MoodleXmlFormat::read(const QByteArray& bytes, const QString& origin)
{
    return MoodleXmlReader(bytes, origin).read();
}

QByteArray MoodleXmlFormat::write(const BankExam& exam)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("quiz"));

    const QString category = QStringLiteral("$course$/top/")
        + FixedField::trimmedRight(exam.catalogue.ExamName).replace(u'/', QStringLiteral("//"));
    // Categories that make domains are read as written, not as HTML, so their paths compare.
    const bool domains = exam.hasDomains();
    writeCategory(xml, category, domains);
    writeText(xml, QStringLiteral("info"), FixedField::trimmedRight(exam.catalogue.Description));
    xml.writeEndElement();

    int number = 0;
    QString domain;
    for (qsizetype q = 0; q < exam.questions.size(); ++q) {
        const QuestionRecord& record = exam.questions[q];
        if (exam.domain(q) != domain) {
            domain = exam.domain(q);
            writeCategory(xml, domain.isEmpty() ? category : category + u'/' + domain, true);
            xml.writeEndElement();
        }
        const qsizetype correct = record.correctCount();
        xml.writeStartElement(QStringLiteral("question"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("multichoice"));
        xml.writeStartElement(QStringLiteral("name"));
        xml.writeTextElement(QStringLiteral("text"), QStringLiteral("Question %1").arg(++number));
        xml.writeEndElement();
        writeText(xml, QStringLiteral("questiontext"), FixedField::trimmedRight(record.Question));
        writeText(xml, QStringLiteral("generalfeedback"), FixedField::trimmedRight(record.Explanation));
        xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
        xml.writeTextElement(QStringLiteral("single"), correct == 1 ? QStringLiteral("true") : QStringLiteral("false"));
        xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("abc"));
        for (int k = 1; k <= QuestionRecord::OptionCount; ++k) {
            const bool isCorrect = std::find(record.CorrectOptions.begin(), record.CorrectOptions.end(), k)
                != record.CorrectOptions.end();
            xml.writeStartElement(QStringLiteral("answer"));
            xml.writeAttribute(QStringLiteral("fraction"), isCorrect ? fraction(correct) : QStringLiteral("0"));
            xml.writeAttribute(QStringLiteral("format"), QStringLiteral("plain_text"));
            xml.writeTextElement(QStringLiteral("text"), FixedField::trimmedRight(record.option(k)));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

} // namespace quizmark
