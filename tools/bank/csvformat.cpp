#include "csvformat.h"

#include "sourcetext.h"

#include "data/fixedfield.h"

#include <QRegularExpression>

namespace quizmark {

namespace {
const QStringList Header
    = { QStringLiteral("question"), QStringLiteral("option1"), QStringLiteral("option2"),    QStringLiteral("option3"),
        QStringLiteral("option4"),  QStringLiteral("correct"), QStringLiteral("explanation") };
// The columns a header row may leave out.
constexpr qsizetype ExplanationColumn = 6;
const QString DomainColumn = QStringLiteral("domain");

struct Row
{
    int line = 0;
    QStringList fields;
};

// Splits RFC 4180 text into rows of fields; a quoted field may hold commas, quotes ("") and line
// breaks. Rows that are wholly empty are dropped.
QList<Row> rows(const QString& text, QString* error)
{
    QList<Row> rows;
    Row row{ 1, {} };
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    int line = 1;
    auto endField = [&] {
        row.fields.append(field);
        field.clear();
        wasQuoted = false;
    };
    auto endRow = [&] {
        endField();
        if (row.fields.size() > 1 || !row.fields.first().isEmpty())
            rows.append(row);
        row = Row{ line, {} };
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n' || (c == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n')))
                    ++line;
                field += c;
            }
        } else if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            ++line;
            endRow();
        } else {
            field += c;
        }
    }
    if (quoted)
        *error = QStringLiteral("a quoted field opened on line %1 is not closed").arg(row.line);
    if (!field.isEmpty() || !row.fields.isEmpty())
        endRow();
    return rows;
}

QList<int> correctOptions(const QString& field, QString* problem)
{
    QList<int> numbers;
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    for (const QString& item : field.split(separators, Qt::SkipEmptyParts)) {
        const QString upper = item.toUpper();
        int number = 0;
        if (upper.size() == 1 && upper[0] >= u'A' && upper[0] <= u'Z')
            number = upper[0].unicode() - u'A' + 1;
        else
            number = item.toInt();
        if (number < 1 || number > 4) {
            *problem = QStringLiteral("\"%1\" in correct is no option 1 to 4 or A to D").arg(item);
            return {};
        }
        numbers.append(number);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

QString quotedIfNeeded(const QString& field)
{
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') && !field.contains(u'\r'))
        return field;
    return u'"' + QString(field).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}
} // namespace

ImportedExam CsvFormat::read(const QByteArray& bytes, const QString& origin)
{
    ImportedExam exam;
    QString error;
    QString problem;
    const QList<Row> table = rows(SourceText::decodeKeepingLineEnds(bytes, &problem), &error);
    if (!problem.isEmpty())
        exam.errors.append(QStringLiteral("%1:%2").arg(origin, problem));
    if (!error.isEmpty())
        exam.errors.append(QStringLiteral("%1: %2").arg(origin, error));
    if (table.isEmpty()) {
        exam.errors.append(QStringLiteral("%1: no header row").arg(origin));
        return exam;
    }
    QList<qsizetype> column;
    for (const QString& name : Header)
        column.append(table[0].fields.indexOf(name, 0));
    for (qsizetype c = 0; c < ExplanationColumn; ++c)
        if (column[c] < 0) {
            exam.errors.append(QStringLiteral("%1:%2: the header row has no column \"%3\"; expected %4")
                                   .arg(origin)
                                   .arg(table[0].line)
                                   .arg(Header[c], Header.join(u',')));
            return exam;
        }
    const qsizetype domain = table[0].fields.indexOf(DomainColumn, 0);
    for (qsizetype r = 1; r < table.size(); ++r) {
        const QStringList& fields = table[r].fields;
        ImportedQuestion question;
        question.where = QStringLiteral("%1:%2").arg(origin).arg(table[r].line);
        question.question = fields.value(column[0]);
        for (int k = 1; k <= 4; ++k)
            question.options.append(fields.value(column[k]));
        question.correct = correctOptions(fields.value(column[5]), &question.unfit);
        question.explanation = column[ExplanationColumn] < 0 ? QString() : fields.value(column[ExplanationColumn]);
        question.domain = domain < 0 ? QString() : fields.value(domain);
        exam.questions.append(question);
    }
    return exam;
}

QByteArray CsvFormat::write(const BankExam& exam)
{
    // A bank without domains is written as before the column existed.
    const bool domains = exam.hasDomains();
    QString csv = Header.join(u',') + (domains ? u',' + DomainColumn : QString()) + QStringLiteral("\r\n");
    for (qsizetype q = 0; q < exam.questions.size(); ++q) {
        const QuestionRecord& record = exam.questions[q];
        QStringList fields{ quotedIfNeeded(FixedField::trimmedRight(record.Question)) };
        for (int k = 1; k <= QuestionRecord::OptionCount; ++k)
            fields.append(quotedIfNeeded(FixedField::trimmedRight(record.option(k))));
        QStringList correct;
        for (std::int16_t option : record.CorrectOptions)
            if (option > 0)
                correct.append(QString::number(option));
        fields.append(correct.join(u' '));
        fields.append(quotedIfNeeded(FixedField::trimmedRight(record.Explanation)));
        if (domains)
            fields.append(quotedIfNeeded(exam.domain(q)));
        csv += fields.join(u',') + QStringLiteral("\r\n");
    }
    return csv.toUtf8();
}

} // namespace quizmark
