#include "examexporter.h"

#include "aikenformat.h"
#include "banksource.h"
#include "csvformat.h"
#include "examrules.h"
#include "giftformat.h"
#include "jsonrecords.h"
#include "moodlexmlformat.h"
#include "progressline.h"

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
    const auto domains = m_directory.domains(bank, &error);
    if (!domains) {
        m_failure = QStringLiteral("%1 %2").arg(BankDomains::pathFor(bank), error);
        return std::nullopt;
    }
    if (!domains->lines().isEmpty() && domains->lines().size() != records->wholeRecords())
        m_notes.append(
            QStringLiteral("%1 has %2 lines for the %3 records of %4: each record goes with the domain of its line")
                .arg(BankDomains::pathFor(bank))
                .arg(domains->lines().size())
                .arg(records->wholeRecords())
                .arg(bank));
    BankExam loaded{ *found, {}, {} };
    ProgressLine progress(QStringLiteral("reading"), records->wholeRecords(), QStringLiteral("questions"));
    for (qint64 r = 1; r <= records->wholeRecords(); ++r) {
        loaded.questions.append(QuestionRecord::fromBytes(records->record(r)));
        loaded.domains.append(domains->of(r));
        progress.advance(r);
    }
    if (!loaded.hasDomains())
        loaded.domains.clear();
    return loaded;
}

std::optional<QByteArray> ExamExporter::write(const BankExam& exam, const QString& format)
{
    for (qsizetype q = 0; q < exam.questions.size(); ++q)
        if (const QString problem = formatProblem(exam.questions[q], format); !problem.isEmpty()) {
            m_failure = cannotHold(format, q, exam.questions[q], problem);
            return std::nullopt;
        }
    const QByteArray bytes = encode(exam, format);
    if (!m_failure.isEmpty())
        return std::nullopt;
    const QString problem = readBackProblem(exam, format, bytes);
    if (problem.isEmpty())
        return bytes;
    // The whole exam does not read back: name the first question that does not on its own.
    for (qsizetype q = 0; q < exam.questions.size(); ++q) {
        // A total of the whole exam would not read back with one question.
        BankExam alone{ exam.catalogue, { exam.questions[q] }, { exam.domain(q) } };
        alone.catalogue.QuestionTotal = 1;
        const QString questionProblem = readBackProblem(alone, format, encode(alone, format));
        if (!questionProblem.isEmpty()) {
            m_failure = cannotHold(format, q, exam.questions[q], questionProblem);
            return std::nullopt;
        }
    }
    m_failure = QStringLiteral("%1 cannot hold this exam as it stands: %2").arg(format, problem);
    return std::nullopt;
}

QString ExamExporter::formatProblem(const QuestionRecord& record, const QString& format)
{
    if (format != u"aiken")
        return {};
    if (record.correctCount() != 1)
        return QStringLiteral("it has other than one correct option; Aiken holds exactly one");
    QStringList texts{ record.Question };
    for (int k = 1; k <= QuestionRecord::OptionCount; ++k)
        texts.append(record.option(k));
    for (qsizetype t = 0; t < texts.size(); ++t)
        if (texts[t].contains(u'\n') || texts[t].contains(u'\r'))
            return QStringLiteral("its %1 has a line break; Aiken holds each on one line")
                .arg(t == 0 ? QStringLiteral("question text") : QStringLiteral("option %1").arg(t));
    return {};
}

QString ExamExporter::cannotHold(const QString& format, qsizetype index, const QuestionRecord& record,
                                 const QString& problem)
{
    // The question's first words, so the author finds it without counting.
    const QStringList words = FixedField::trimmedRight(record.Question).simplified().split(u' ');
    QString start = words.mid(0, 6).join(u' ');
    if (words.size() > 6)
        start += QStringLiteral("...");
    return QStringLiteral("%1 cannot hold question %2 (\"%3\"): %4").arg(format).arg(index + 1).arg(start, problem);
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
        const QString note
            = QStringLiteral("Aiken holds no explanations, no description and no bank name: they are left out");
        if (!m_notes.contains(note))
            m_notes.append(note);
        const QString domains = QStringLiteral("Aiken holds no domains: they are left out");
        if (exam.hasDomains() && !m_notes.contains(domains))
            m_notes.append(domains);
        return bytes;
    }
    QJsonArray questions;
    for (qsizetype q = 0; q < exam.questions.size(); ++q)
        questions.append(JsonRecords::question(exam.questions[q], exam.domain(q)));
    QJsonObject object = JsonRecords::exam(exam.catalogue);
    object.insert(QStringLiteral("questions"), questions);
    return QJsonDocument(QJsonObject{ { QStringLiteral("exams"), QJsonArray{ object } } }).toJson();
}

QString ExamExporter::readBackProblem(const BankExam& exam, const QString& format, const QByteArray& bytes)
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
    if (!parsed || source.exams().size() != 1)
        return source.errors().join(QStringLiteral("; "));
    const BankExam& backExam = source.exams().first();
    const QList<QuestionRecord>& back = backExam.questions;
    for (qsizetype q = 0; q < exam.questions.size(); ++q) {
        QuestionRecord expected = exam.questions[q];
        if (format == u"aiken")
            expected.Explanation = FixedField::blanks(QuestionRecord::ExplanationWidth);
        if (q >= back.size())
            return QStringLiteral("question %1 would not be read back").arg(q + 1);
        if (back[q].toBytes() != expected.toBytes())
            return difference(expected, back[q]);
        const QString domain = format == u"aiken" ? QString() : exam.domain(q);
        if (backExam.domain(q) != domain)
            return QStringLiteral("its domain \"%1\" would read back as \"%2\"").arg(domain, backExam.domain(q));
    }
    return {};
}

QString ExamExporter::difference(const QuestionRecord& expected, const QuestionRecord& back)
{
    auto readsAs = [](const QString& field, const QString& text) {
        return QStringLiteral("its %1 would read back as \"%2\"").arg(field, FixedField::trimmedRight(text));
    };
    if (back.Question != expected.Question)
        return readsAs(QStringLiteral("question text"), back.Question);
    for (int k = 1; k <= QuestionRecord::OptionCount; ++k)
        if (back.option(k) != expected.option(k))
            return readsAs(QStringLiteral("option %1").arg(k), back.option(k));
    if (back.Explanation != expected.Explanation)
        return readsAs(QStringLiteral("explanation"), back.Explanation);
    return QStringLiteral("its correct options would not read back the same");
}

} // namespace quizmark
