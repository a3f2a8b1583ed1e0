#include "examexporter.h"

#include "aikenformat.h"
#include "banksource.h"
#include "csvformat.h"
#include "examrules.h"
#include "giftformat.h"
#include "jsonrecords.h"
#include "moodlexmlformat.h"

#include "data/fixedfield.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace quizmark {

ExamExporter::ExamExporter(DataDirectory directory)
    : m_directory(std::move(directory))
{
}

std::optional<BankExam> ExamExporter::load(const QString& exam)
{
    QString error;
    auto index = m_directory.open(DataDirectory::IndexFile, CatalogueRecord::Length, &error);
    if (!index) {
        m_failure = QStringLiteral("%1 %2").arg(m_directory.filePath(DataDirectory::IndexFile), error);
        return std::nullopt;
    }
    bool isNumber = false;
    const qint64 number = exam.toLongLong(&isNumber);
    std::optional<CatalogueRecord> found;
    for (qint64 n = 1; n <= index->wholeRecords() && !found; ++n) {
        const CatalogueRecord record = CatalogueRecord::fromBytes(index->record(n));
        if (isNumber ? n == number : ExamRules::sameName(record.ExamName, exam))
            found = record;
    }
    if (!found) {
        m_failure = QStringLiteral("no exam %1 in %2").arg(exam, m_directory.filePath(DataDirectory::IndexFile));
        return std::nullopt;
    }
    const QString bank = found->bankFileName();
    const QString problem = DataDirectory::bankNameProblem(bank);
    auto records = problem.isEmpty() ? m_directory.open(bank, QuestionRecord::Length, &error) : std::nullopt;
    if (!records) {
        m_failure = QStringLiteral("bank file %1 %2").arg(bank, problem.isEmpty() ? error : problem);
        return std::nullopt;
    }
    BankExam loaded{ *found, {} };
    for (qint64 r = 1; r <= records->wholeRecords(); ++r)
        loaded.questions.append(QuestionRecord::fromBytes(records->record(r)));
    return loaded;
}

std::optional<QByteArray> ExamExporter::write(const BankExam& exam, const QString& format)
{
    const QByteArray bytes = encode(exam, format);
    if (!m_failure.isEmpty() || !readsBack(exam, format, bytes))
        return std::nullopt;
    return bytes;
}

QByteArray ExamExporter::encode(const BankExam& exam, const QString& format)
{
    if (format == u"gift")
        return GiftFormat::write(exam);
    if (format == u"moodle-xml")
        return MoodleXmlFormat::write(exam);
    if (format == u"csv")
        return CsvFormat::write(exam);
    if (format == u"aiken") {
        const QByteArray bytes = AikenFormat::write(exam, &m_failure);
        m_notes.append(
            QStringLiteral("Aiken holds no explanations, no description and no bank name: they are left out"));
        return bytes;
    }
    QJsonArray questions;
    for (const QuestionRecord& record : exam.questions)
        questions.append(JsonRecords::question(record));
    QJsonObject object = JsonRecords::exam(exam.catalogue);
    object.insert(QStringLiteral("questions"), questions);
    return QJsonDocument(QJsonObject{ { QStringLiteral("exams"), QJsonArray{ object } } }).toJson();
}

bool ExamExporter::readsBack(const BankExam& exam, const QString& format, const QByteArray& bytes)
{
    BankSource source;
    SourceOptions options;
    options.format = format;
    options.name = FixedField::trimmedRight(exam.catalogue.ExamName);
    options.bank = exam.catalogue.bankFileName();
    options.description = FixedField::trimmedRight(exam.catalogue.Description);
    const bool parsed = format == u"json"
        ? source.parse(bytes, format)
        : source.addImported(format == u"gift"             ? GiftFormat::read(bytes, format)
                                 : format == u"moodle-xml" ? MoodleXmlFormat::read(bytes, format)
                                 : format == u"aiken"      ? AikenFormat::read(bytes, format)
                                                           : CsvFormat::read(bytes, format),
                             format, options);
    if (!parsed || source.exams().size() != 1) {
        m_failure = QStringLiteral("%1 cannot hold this exam as it stands: %2")
                        .arg(format, source.errors().join(QStringLiteral("; ")));
        return false;
    }
    const QList<QuestionRecord>& back = source.exams().first().questions;
    for (qsizetype q = 0; q < exam.questions.size(); ++q) {
        QuestionRecord expected = exam.questions[q];
        if (format == u"aiken")
            expected.Explanation = FixedField::blanks(QuestionRecord::ExplanationWidth);
        if (q >= back.size() || back[q].toBytes() != expected.toBytes()) {
            m_failure = QStringLiteral("%1 cannot hold question %2 as it stands: it would not read back the same")
                            .arg(format)
                            .arg(q + 1);
            return false;
        }
    }
    return true;
}

} // namespace quizmark
