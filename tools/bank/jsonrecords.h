#pragma once

#include <QJsonObject>
#include <QString>

namespace quizmark {

struct CatalogueRecord;
struct QuestionRecord;

// Records in the tool's JSON source form: texts without their trailing blanks, "correct" the
// stored elements with trailing zeros dropped.
class JsonRecords
{
public:
    // "domain" only when the record has one.
    static QJsonObject question(const QuestionRecord& record, const QString& domain = {});
    // The exam without its "questions" member.
    static QJsonObject exam(const CatalogueRecord& record);
};

} // namespace quizmark
