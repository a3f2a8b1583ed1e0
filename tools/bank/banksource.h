#pragma once

#include "bankexam.h"
#include "importedexam.h"

#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

namespace quizmark {

// How to read the sources that are not in the tool's own JSON form.
struct SourceOptions
{
    // json, gift, moodle-xml, aiken or csv; empty to go by the file name's extension.
    QString format;
    // The exam's name, bank and description, over what a source of another format says.
    QString name;
    QString bank;
    QString description;
    // Leave out the questions that cannot become records, instead of refusing the source.
    bool skipUnfit = false;
};

// The readable forms of exams, read and checked against every limit of the record formats: the
// tool's JSON files, each {"exams": [...]}, and one exam a file in GIFT, Moodle XML, Aiken or CSV.
// The exams of several files follow one another in one catalogue.
class BankSource
{
public:
    // Appends the exams of one file; false when the file or anything in it is refused.
    bool read(const QString& path, const SourceOptions& options = {});
    bool parse(QByteArrayView json, const QString& origin);
    bool addImported(const ImportedExam& imported, const QString& origin, const SourceOptions& options);

    const QList<BankExam>& exams() const { return m_exams; }
    // One message per refusal, naming the file, the exam, the question and the field.
    const QStringList& errors() const { return m_errors; }
    // The questions left out under SourceOptions::skipUnfit, with their places and reasons.
    const QStringList& leftOut() const { return m_leftOut; }
    // What the sources of other formats lost in reading, such as images replaced by their alt text.
    const QStringList& warnings() const { return m_warnings; }

    // A bank file name made of the exam's name: its letters and digits, words joined by '-'.
    static QString bankNameFor(const QString& examName);

private:
    std::optional<BankExam> exam(const QJsonObject& object, const QString& where);
    QString bankName(const QJsonValue& value, const QString& where);
    // Appends the questions given; their number, or 0 when the list is refused.
    int questions(const QJsonValue& value, const QString& where, BankExam& exam);
    std::int16_t questionTotal(const QJsonObject& object, int count, const QString& where);
    // The record, and its domain in domain.
    std::optional<QuestionRecord> question(const QJsonObject& object, const QString& where, QString& domain);
    // The question's optional domain; empty when it has none or it is refused.
    QString domain(const QJsonObject& object, const QString& where);
    std::optional<QString> text(const QJsonValue& value, int width, const QString& field);
    // Why the text does not fit a field of that width, or empty when it does.
    QString textProblem(const QString& text, int width);
    // The text, or empty after refusing it.
    QString checkedText(const QString& text, int width, const QString& field);
    QuestionRecord importedRecord(const ImportedQuestion& question, QStringList& problems);
    static QString formatOf(const QString& path);
    // An optional text: empty when the field is absent.
    std::optional<QString> optionalText(const QJsonObject& object, const QString& key, int width, const QString& where);
    bool correctOptions(const QJsonValue& value, QuestionRecord& record, const QString& where);
    bool onlyKeys(const QJsonObject& object, const QStringList& keys, const QString& where);
    bool encodable(const QString& text);
    bool bankNameFree(const QString& bank, const QString& where);
    bool examNameFree(const QString& name, const QString& where);
    void refuse(const QString& where, const QString& problem);

    QList<BankExam> m_exams;
    // Each bank name taken so far, case folded, with the exam that took it.
    QHash<QString, QString> m_banks;
    // Each exam name taken so far, without trailing blanks, with the exam that took it.
    QHash<QString, QString> m_names;
    QStringList m_errors;
    QStringList m_leftOut;
    QStringList m_warnings;
    // Held for the whole read: opening a converter costs far more than converting one text.
    QStringEncoder m_encoder{ "windows-1252", QStringConverter::Flag::Stateless };
    QStringDecoder m_decoder{ "windows-1252", QStringConverter::Flag::Stateless };
};

} // namespace quizmark
