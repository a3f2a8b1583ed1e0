#include "banksource.h"

#include "aikenformat.h"
#include "csvformat.h"
#include "datadirectory.h"
#include "examrules.h"
#include "giftformat.h"
#include "jsonsourcestream.h"
#include "moodlexmlformat.h"
#include "progressline.h"

#include "data/bankdomains.h"
#include "data/codepage.h"
#include "data/fixedfield.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>

#include <cmath>
#include <limits>

namespace quizmark {

namespace {
constexpr int MaximumRecords = std::numeric_limits<std::int16_t>::max();

const QStringList Formats = { QStringLiteral("json"), QStringLiteral("gift"), QStringLiteral("moodle-xml"),
                              QStringLiteral("aiken"), QStringLiteral("csv") };

const QStringList RootKeys = { QStringLiteral("exams") };
const QStringList ExamKeys = { QStringLiteral("name"), QStringLiteral("bank"), QStringLiteral("description"),
                               QStringLiteral("questionTotal"), QStringLiteral("questions") };
const QStringList QuestionKeys = { QStringLiteral("question"), QStringLiteral("options"), QStringLiteral("correct"),
                                   QStringLiteral("explanation"), QStringLiteral("domain") };

// A whole JSON number within [low, high], or nothing.
std::optional<int> wholeNumber(const QJsonValue& value, int low, int high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number != std::floor(number) || number < low || number > high)
        return std::nullopt;
    return int(number);
}

QString field(const QString& where, const QString& key)
{
    return QStringLiteral("%1, field \"%2\"").arg(where, key);
}

QString unencodable(const QString& text, qsizetype at)
{
    const char32_t code = QStringView(text).mid(at).toUcs4().value(0);
    return QStringLiteral("character U+%1 at position %2 has no Windows-1252 code")
        .arg(qulonglong(code), 4, 16, QChar(u'0'))
        .arg(at + 1);
}
} // namespace

bool BankSource::read(const QString& path, const SourceOptions& options)
{
    const QString format = options.format.isEmpty() ? formatOf(path) : options.format;
    if (!Formats.contains(format)) {
        refuse(path, QStringLiteral("no known format; name it with --format %1").arg(Formats.join(u'|')));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        refuse(path, QStringLiteral("cannot be read: %1").arg(file.errorString()));
        return false;
    }
    if (format == u"json") {
        // Mapped, not copied: a source far over the limits is refused having touched only its start.
        if (const uchar* mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr)
            return parse(QByteArrayView(mapped, file.size()), path);
        return parse(file.readAll(), path);
    }
    const QByteArray bytes = file.readAll();
    if (format == u"gift")
        return addImported(GiftFormat::read(bytes, path), path, options);
    if (format == u"moodle-xml")
        return addImported(MoodleXmlFormat::read(bytes, path), path, options);
    if (format == u"aiken")
        return addImported(AikenFormat::read(bytes, path), path, options);
    return addImported(CsvFormat::read(bytes, path), path, options);
}

QString BankSource::formatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"xml")
        return QStringLiteral("moodle-xml");
    return Formats.contains(suffix) ? suffix : QString();
}

QString BankSource::bankNameFor(const QString& examName)
{
    QString bank;
    for (QChar c : examName.toLower()) {
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
            bank += c;
        else if (!bank.isEmpty() && !bank.endsWith(u'-'))
            bank += u'-';
    }
    while (bank.endsWith(u'-'))
        bank.chop(1);
    return (bank.isEmpty() ? QStringLiteral("exam") : bank) + QStringLiteral(".dat");
}

bool BankSource::addImported(const ImportedExam& imported, const QString& origin, const SourceOptions& options)
{
    const qsizetype errorsBefore = m_errors.size();
    for (const QString& error : imported.errors)
        m_errors.append(error);
    m_warnings.append(imported.warnings);
    BankExam exam;
    // What the command line names is the user's choice and goes before what the file says.
    const QString name = !options.name.isEmpty() ? options.name
        : !imported.name.isEmpty()               ? imported.name
                                                 : QFileInfo(origin).completeBaseName();
    const QString where = QStringLiteral("%1: exam \"%2\"").arg(origin, name);
    const QString bank = !options.bank.isEmpty() ? options.bank
        : !imported.bank.isEmpty()               ? imported.bank
                                                 : bankNameFor(name);
    const QString description = !options.description.isEmpty() ? options.description : imported.description;
    exam.catalogue.ExamName = checkedText(name, CatalogueRecord::ExamNameWidth, field(where, QStringLiteral("name")));
    exam.catalogue.Description
        = checkedText(description, CatalogueRecord::DescriptionWidth, field(where, QStringLiteral("description")));
    exam.catalogue.BankFile = checkedText(bank, CatalogueRecord::BankFileWidth, field(where, QStringLiteral("bank")));
    if (const QString problem = DataDirectory::bankNameProblem(bank); !problem.isEmpty())
        refuse(field(where, QStringLiteral("bank")),
               QStringLiteral("\"%1\" is not a plain file name: it %2").arg(bank, problem));
    else
        bankNameFree(bank, where);
    examNameFree(name, where);

    ProgressLine progress(QStringLiteral("reading %1").arg(QFileInfo(origin).fileName()), imported.questions.size(),
                          QStringLiteral("questions"));
    for (const ImportedQuestion& question : imported.questions) {
        progress.advanceBy(1);
        QStringList problems;
        auto record = importedRecord(question, problems);
        if (const QString problem = BankDomains::problemWith(question.domain); !problem.isEmpty())
            problems.append(problem);
        if (problems.isEmpty()) {
            exam.questions.append(std::move(record));
            exam.domains.append(question.domain);
        } else if (options.skipUnfit)
            m_leftOut.append(QStringLiteral("%1: %2").arg(question.where, problems.join(QStringLiteral("; "))));
        else
            refuse(question.where, problems.join(QStringLiteral("; ")));
    }
    if (!exam.hasDomains())
        exam.domains.clear();
    const qsizetype count = exam.questions.size();
    if (count > MaximumRecords)
        refuse(where, QStringLiteral("%1 questions; a bank holds at most %2").arg(count).arg(MaximumRecords));
    const int total = imported.questionTotal.value_or(int(count));
    if (total < 0 || total > count)
        refuse(field(where, QStringLiteral("questionTotal")),
               QStringLiteral("expected a whole number from 1 to the %1 questions given").arg(count));
    exam.catalogue.QuestionTotal = std::int16_t(std::clamp<qsizetype>(total, 0, MaximumRecords));
    if (m_errors.size() == errorsBefore)
        if (const QString empty = ExamRules::noQuestions(exam); !empty.isEmpty())
            refuse(where, empty);
    if (m_errors.size() != errorsBefore)
        return false;
    m_exams.append(std::move(exam));
    if (m_exams.size() > MaximumRecords)
        refuse(origin, QStringLiteral("a catalogue holds at most %1 exams").arg(MaximumRecords));
    return m_errors.size() == errorsBefore;
}

QuestionRecord BankSource::importedRecord(const ImportedQuestion& question, QStringList& problems)
{
    QuestionRecord record;
    if (!question.unfit.isEmpty()) {
        problems.append(question.unfit);
        return record;
    }
    if (question.options.size() != QuestionRecord::OptionCount)
        problems.append(QStringLiteral("%1 options; a record holds exactly %2")
                            .arg(question.options.size())
                            .arg(QuestionRecord::OptionCount));
    if (question.correct.isEmpty())
        problems.append(QStringLiteral("no correct option"));
    auto fill = [&](QString& target, const QString& text, int width, const QString& what) {
        if (const QString problem = textProblem(text, width); !problem.isEmpty())
            problems.append(QStringLiteral("%1: %2").arg(what, problem));
        else
            target = text;
    };
    fill(record.Question, question.question, QuestionRecord::QuestionWidth, QStringLiteral("question"));
    for (int k = 1; k <= QuestionRecord::OptionCount && question.options.size() == QuestionRecord::OptionCount; ++k)
        fill(record.option(k), question.options[k - 1], QuestionRecord::OptionWidth,
             QStringLiteral("option %1").arg(k));
    fill(record.Explanation, question.explanation, QuestionRecord::ExplanationWidth, QStringLiteral("explanation"));
    for (qsizetype k = 0; k < question.correct.size() && k < QuestionRecord::OptionCount; ++k)
        record.CorrectOptions[std::size_t(k)] = std::int16_t(question.correct[k]);
    if (problems.isEmpty())
        problems.append(ExamRules::emptyTexts(record));
    return record;
}

QString BankSource::checkedText(const QString& text, int width, const QString& field)
{
    if (const QString problem = textProblem(text, width); !problem.isEmpty()) {
        refuse(field, problem);
        return {};
    }
    return text;
}

bool BankSource::parse(QByteArrayView json, const QString& origin)
{
    const qsizetype errorsBefore = m_errors.size();
    // The limits hold while reading: a source of more exams or questions than a catalogue or a
    // bank holds is refused at the first one too many, before the rest is read.
    JsonSourceStream stream(MaximumRecords - m_exams.size(), MaximumRecords, MaximumRecords);
    const bool read = stream.read(json, [this, &origin](const QJsonValue& value, qsizetype number) {
        const QString where = QStringLiteral("%1: exam %2").arg(origin).arg(number);
        if (!value.isObject())
            refuse(where, QStringLiteral("is not an object"));
        else if (auto built = exam(value.toObject(), where))
            m_exams.append(std::move(*built));
        return true;
    });
    if (!read) {
        refuse(origin, stream.error());
        return false;
    }
    onlyKeys(stream.root(), RootKeys, origin);
    // A root that names "exams" twice streams both lists.
    if (m_exams.size() > MaximumRecords)
        refuse(origin, QStringLiteral("a catalogue holds at most %1 exams").arg(MaximumRecords));
    return m_errors.size() == errorsBefore;
}

std::optional<BankExam> BankSource::exam(const QJsonObject& object, const QString& position)
{
    const qsizetype errorsBefore = m_errors.size();
    const QString name = object.value(u"name").toString();
    const QString where = name.isEmpty() ? position : QStringLiteral("%1 \"%2\"").arg(position, name);
    onlyKeys(object, ExamKeys, where);

    BankExam exam;
    exam.catalogue.ExamName
        = text(object.value(u"name"), CatalogueRecord::ExamNameWidth, field(where, QStringLiteral("name")))
              .value_or(QString());
    exam.catalogue.BankFile = bankName(object.value(u"bank"), where);
    exam.catalogue.Description
        = optionalText(object, QStringLiteral("description"), CatalogueRecord::DescriptionWidth, where)
              .value_or(QString());
    const int count = questions(object.value(u"questions"), where, exam);
    exam.catalogue.QuestionTotal = questionTotal(object, count, where);
    if (m_errors.size() == errorsBefore)
        if (const QString empty = ExamRules::noQuestions(exam); !empty.isEmpty())
            refuse(where, empty);
    if (!exam.catalogue.ExamName.isEmpty())
        examNameFree(exam.catalogue.ExamName, where);

    if (m_errors.size() != errorsBefore)
        return std::nullopt;
    return exam;
}

QString BankSource::bankName(const QJsonValue& value, const QString& where)
{
    const auto bank = text(value, CatalogueRecord::BankFileWidth, field(where, QStringLiteral("bank")));
    if (!bank)
        return {};
    const QString problem = DataDirectory::bankNameProblem(*bank);
    if (!problem.isEmpty())
        refuse(field(where, QStringLiteral("bank")),
               QStringLiteral("\"%1\" is not a plain file name: it %2").arg(*bank, problem));
    else
        bankNameFree(*bank, where);
    return *bank;
}

int BankSource::questions(const QJsonValue& value, const QString& where, BankExam& exam)
{
    const QJsonArray list = value.toArray();
    if (!value.isArray()) {
        refuse(field(where, QStringLiteral("questions")), QStringLiteral("expected an array of questions"));
        return 0;
    }
    if (list.size() > MaximumRecords) {
        refuse(field(where, QStringLiteral("questions")),
               QStringLiteral("%1 questions; a bank holds at most %2").arg(list.size()).arg(MaximumRecords));
        return 0;
    }
    exam.questions.reserve(list.size());
    for (qsizetype q = 0; q < list.size(); ++q) {
        const QString questionWhere = QStringLiteral("%1, question %2").arg(where).arg(q + 1);
        QString domain;
        if (!list[q].isObject()) {
            refuse(questionWhere, QStringLiteral("is not an object"));
        } else if (auto record = question(list[q].toObject(), questionWhere, domain)) {
            exam.questions.append(std::move(*record));
            exam.domains.append(domain);
        }
    }
    if (!exam.hasDomains())
        exam.domains.clear();
    return int(list.size());
}

std::int16_t BankSource::questionTotal(const QJsonObject& object, int count, const QString& where)
{
    if (!object.contains(u"questionTotal"))
        return std::int16_t(count);
    const auto total = wholeNumber(object.value(u"questionTotal"), 0, count);
    if (!total)
        refuse(field(where, QStringLiteral("questionTotal")),
               QStringLiteral("expected a whole number from 0 to the %1 questions given").arg(count));
    return std::int16_t(total.value_or(0));
}

std::optional<QuestionRecord> BankSource::question(const QJsonObject& object, const QString& where, QString& domain)
{
    const qsizetype errorsBefore = m_errors.size();
    onlyKeys(object, QuestionKeys, where);
    domain = this->domain(object, where);
    QuestionRecord record;
    record.Question
        = text(object.value(u"question"), QuestionRecord::QuestionWidth, field(where, QStringLiteral("question")))
              .value_or(QString());

    const QJsonArray options = object.value(u"options").toArray();
    if (!object.value(u"options").isArray() || options.size() != QuestionRecord::OptionCount) {
        refuse(field(where, QStringLiteral("options")),
               QStringLiteral("expected an array of exactly %1 options, found %2")
                   .arg(QuestionRecord::OptionCount)
                   .arg(options.size()));
    } else {
        for (int k = 1; k <= QuestionRecord::OptionCount; ++k)
            record.option(k)
                = text(options[k - 1], QuestionRecord::OptionWidth, QStringLiteral("%1, option %2").arg(where).arg(k))
                      .value_or(QString());
    }

    correctOptions(object.value(u"correct"), record, field(where, QStringLiteral("correct")));
    record.Explanation = optionalText(object, QStringLiteral("explanation"), QuestionRecord::ExplanationWidth, where)
                             .value_or(QString());
    if (m_errors.size() == errorsBefore)
        for (const QString& empty : ExamRules::emptyTexts(record))
            refuse(where, empty);

    if (m_errors.size() != errorsBefore)
        return std::nullopt;
    return record;
}

QString BankSource::domain(const QJsonObject& object, const QString& where)
{
    if (!object.contains(u"domain"))
        return {};
    const QJsonValue value = object.value(u"domain");
    if (!value.isString()) {
        refuse(field(where, QStringLiteral("domain")), QStringLiteral("expected a text"));
        return {};
    }
    if (const QString problem = BankDomains::problemWith(value.toString()); !problem.isEmpty()) {
        refuse(field(where, QStringLiteral("domain")), problem);
        return {};
    }
    return value.toString();
}

std::optional<QString> BankSource::optionalText(const QJsonObject& object, const QString& key, int width,
                                                const QString& where)
{
    if (!object.contains(key))
        return QString();
    return text(object.value(key), width, field(where, key));
}

std::optional<QString> BankSource::text(const QJsonValue& value, int width, const QString& field)
{
    if (!value.isString()) {
        refuse(field, QStringLiteral("expected a text"));
        return std::nullopt;
    }
    const QString text = value.toString();
    if (const QString problem = textProblem(text, width); !problem.isEmpty()) {
        refuse(field, problem);
        return std::nullopt;
    }
    return text;
}

QString BankSource::textProblem(const QString& text, int width)
{
    if (!encodable(text))
        return unencodable(text, Codepage::firstUnencodable(text));
    if (text.size() > width)
        return QStringLiteral("%1 characters; the field holds %2").arg(text.size()).arg(width);
    return {};
}

bool BankSource::correctOptions(const QJsonValue& value, QuestionRecord& record, const QString& where)
{
    const QJsonArray list = value.toArray();
    if (!value.isArray() || list.isEmpty() || list.size() > QuestionRecord::OptionCount) {
        refuse(where, QStringLiteral("expected a list of 1 to %1 option numbers").arg(QuestionRecord::OptionCount));
        return false;
    }
    int previous = 0;
    for (qsizetype k = 0; k < list.size(); ++k) {
        const auto number = wholeNumber(list[k], 1, QuestionRecord::OptionCount);
        if (!number) {
            refuse(where,
                   QStringLiteral("element %1 is not an option number 1 to %2")
                       .arg(k + 1)
                       .arg(QuestionRecord::OptionCount));
            return false;
        }
        if (*number <= previous) {
            refuse(where,
                   *number == previous
                       ? QStringLiteral("option %1 is repeated").arg(*number)
                       : QStringLiteral("option %1 after %2: the numbers must ascend").arg(*number).arg(previous));
            return false;
        }
        record.CorrectOptions[std::size_t(k)] = std::int16_t(*number);
        previous = *number;
    }
    return true;
}

bool BankSource::encodable(const QString& text)
{
    // The converters' error flags stay set once raised, so the test is the round trip: a
    // character without a code comes back as a substitute.
    const QByteArray bytes = m_encoder.encode(text);
    return bytes.size() == text.size() && QString(m_decoder.decode(bytes)) == text;
}

bool BankSource::onlyKeys(const QJsonObject& object, const QStringList& keys, const QString& where)
{
    bool known = true;
    for (const QString& key : object.keys())
        if (!keys.contains(key)) {
            refuse(where, QStringLiteral("unknown field \"%1\"").arg(key));
            known = false;
        }
    return known;
}

bool BankSource::bankNameFree(const QString& bank, const QString& where)
{
    // Names compare without case, as they do on the file systems the program runs on.
    const QString key = bank.toCaseFolded();
    if (const auto taken = m_banks.constFind(key); taken != m_banks.cend()) {
        refuse(field(where, QStringLiteral("bank")),
               QStringLiteral("\"%1\" is already the bank of %2").arg(bank, taken.value()));
        return false;
    }
    m_banks.insert(key, where);
    return true;
}

bool BankSource::examNameFree(const QString& name, const QString& where)
{
    // Exam names compare as ExamRules::sameName does: trailing blanks do not count.
    const QString key = FixedField::trimmedRight(name);
    if (const auto taken = m_names.constFind(key); taken != m_names.cend()) {
        refuse(field(where, QStringLiteral("name")),
               QStringLiteral("\"%1\" is already the name of %2").arg(name, taken.value()));
        return false;
    }
    m_names.insert(key, where);
    return true;
}

void BankSource::refuse(const QString& where, const QString& problem)
{
    m_errors.append(QStringLiteral("%1: %2").arg(where, problem));
}

} // namespace quizmark
