#include "bankdumper.h"

#include "data/cataloguerecord.h"
#include "data/fixedfield.h"
#include "data/questionrecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quizmark {

namespace {
// The nesting depths of the document: {"exams": [ {exam, "questions": [ {question} ]} ]}.
constexpr int ExamDepth = 2;
constexpr int QuestionDepth = 4;

QString indent(int depth)
{
    return QString(depth * 4, u' ');
}

// An object laid out as an indented document lays it out at that depth.
QString indented(const QJsonObject& object, int depth)
{
    QString text = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    text.chop(1);
    return indent(depth) + text.replace(u'\n', u'\n' + indent(depth));
}

QJsonArray correctList(const QuestionRecord& record)
{
    qsizetype used = QuestionRecord::OptionCount;
    while (used > 0 && record.CorrectOptions[std::size_t(used - 1)] == 0)
        --used;
    QJsonArray list;
    for (qsizetype k = 0; k < used; ++k)
        list.append(int(record.CorrectOptions[std::size_t(k)]));
    return list;
}

QJsonObject questionObject(const QuestionRecord& record)
{
    QJsonArray options;
    for (int k = 1; k <= QuestionRecord::OptionCount; ++k)
        options.append(FixedField::trimmedRight(record.option(k)));
    return {
        { QStringLiteral("question"), FixedField::trimmedRight(record.Question) },
        { QStringLiteral("options"), options },
        { QStringLiteral("correct"), correctList(record) },
        { QStringLiteral("explanation"), FixedField::trimmedRight(record.Explanation) },
    };
}
} // namespace

BankDumper::BankDumper(DataDirectory directory)
    : m_directory(std::move(directory))
{
}

bool BankDumper::dump(QTextStream& out)
{
    QString error;
    auto index = m_directory.open(DataDirectory::IndexFile, CatalogueRecord::Length, &error);
    if (!index) {
        m_warnings.append(QStringLiteral("%1 %2").arg(m_directory.filePath(DataDirectory::IndexFile), error));
        return false;
    }
    // The same layout as an indented JSON document, written exam by exam and question by question.
    const qint64 count = index->roundedRecords();
    out << "{\n" << indent(1) << "\"exams\": [\n";
    for (qint64 n = 1; n <= count; ++n) {
        writeExam(out, n, CatalogueRecord::fromBytes(index->record(n)));
        out << (n < count ? ",\n" : "\n");
    }
    out << indent(1) << "]\n}\n";
    return true;
}

void BankDumper::writeExam(QTextStream& out, qint64 number, const CatalogueRecord& record)
{
    const QString name = FixedField::trimmedRight(record.ExamName);
    const QJsonObject fields{
        { QStringLiteral("name"), name },
        { QStringLiteral("bank"), record.bankFileName() },
        { QStringLiteral("description"), FixedField::trimmedRight(record.Description) },
        { QStringLiteral("questionTotal"), int(record.QuestionTotal) },
    };
    // "questions" sorts after every other key, so it follows them as the last member.
    QString head = indented(fields, ExamDepth);
    head.chop(1 + ExamDepth * 4 + 1);
    out << head << ",\n" << indent(ExamDepth + 1) << "\"questions\": [\n";
    writeQuestions(out, record.bankFileName(), QStringLiteral("exam %1 \"%2\"").arg(number).arg(name));
    out << indent(ExamDepth + 1) << "]\n" << indent(ExamDepth) << '}';
}

void BankDumper::writeQuestions(QTextStream& out, const QString& bank, const QString& exam)
{
    const QString problem = DataDirectory::bankNameProblem(bank);
    if (!problem.isEmpty()) {
        m_warnings.append(
            QStringLiteral("%1: bank name \"%2\" %3; its questions are left out").arg(exam, bank, problem));
        return;
    }
    QString error;
    auto records = m_directory.open(bank, QuestionRecord::Length, &error);
    if (!records) {
        m_warnings.append(QStringLiteral("%1: bank file %2 %3; its questions are left out")
                              .arg(exam, m_directory.filePath(bank), error));
        return;
    }
    const qint64 count = records->roundedRecords();
    for (qint64 r = 1; r <= count; ++r) {
        out << indented(questionObject(QuestionRecord::fromBytes(records->record(r))), QuestionDepth);
        out << (r < count ? ",\n" : "\n");
    }
}

} // namespace quizmark
