#include "bankdumper.h"

#include "jsonrecords.h"
#include "progressline.h"

#include "data/bankdomains.h"
#include "data/cataloguerecord.h"
#include "data/fixedfield.h"
#include "data/questionrecord.h"

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
    ProgressLine progress(QStringLiteral("dumping"), count, QStringLiteral("exams"));
    for (qint64 n = 1; n <= count; ++n) {
        writeExam(out, n, CatalogueRecord::fromBytes(index->record(n)));
        out << (n < count ? ",\n" : "\n");
        progress.advance(n);
    }
    out << indent(1) << "]\n}\n";
    return true;
}

void BankDumper::writeExam(QTextStream& out, qint64 number, const CatalogueRecord& record)
{
    const QString name = FixedField::trimmedRight(record.ExamName);
    const QJsonObject fields = JsonRecords::exam(record);
    // "questions" sorts after every other key, so it follows them as the last member.
    QString head = indented(fields, ExamDepth);
    head.chop(1 + ExamDepth * 4 + 1);
    out << head << ",\n" << indent(ExamDepth + 1) << "\"questions\": [\n";
    writeQuestions(out, record.bankFileName(), QStringLiteral("exam %1 \"%2\"").arg(number).arg(name));
    out << indent(ExamDepth + 1) << "]\n" << indent(ExamDepth) << '}';
}

void BankDumper::writeQuestions(QTextStream& out, const QString& bank, const QString& exam)
{
    const QString problem = DataDirectory::readableBankNameProblem(bank);
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
    auto domains = m_directory.domains(bank, &error);
    if (!domains)
        m_warnings.append(QStringLiteral("%1: domains file %2 %3; its questions are dumped without domains")
                              .arg(exam, m_directory.filePath(BankDomains::pathFor(bank)), error));
    const qint64 count = records->roundedRecords();
    for (qint64 r = 1; r <= count; ++r) {
        const QString domain = domains ? domains->of(r) : QString();
        out << indented(JsonRecords::question(QuestionRecord::fromBytes(records->record(r)), domain), QuestionDepth);
        out << (r < count ? ",\n" : "\n");
    }
}

} // namespace quizmark
