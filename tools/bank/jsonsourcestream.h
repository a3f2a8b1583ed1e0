#pragma once

#include <QByteArrayView>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <functional>

namespace quizmark {

// Reads the tool's JSON source, {"exams": [...]}, as a stream of events rather than one document:
// each exam is handed over once its object ends, so one exam at a time is held, and the number of
// exams and of one exam's questions is checked as they come, before the rest is read.
class JsonSourceStream
{
public:
    // An exam as the source gives it, numbered from 1; false stops the reading.
    using ExamHandler = std::function<bool(const QJsonValue& exam, qsizetype number)>;

    // maximumExams: how many more exams the catalogue takes, of catalogueLimit in all.
    JsonSourceStream(qsizetype maximumExams, qsizetype maximumQuestions, qsizetype catalogueLimit);

    // False when the text is no JSON, not {"exams": [...]}, holds more than the limits, or the
    // handler stopped it; the reason in error(), without the origin.
    bool read(QByteArrayView json, const ExamHandler& onExam);
    const QString& error() const { return m_error; }
    // The fields of the root object beside "exams", for the caller to check.
    const QJsonObject& root() const { return m_root; }

private:
    friend class JsonSourceEvents;

    qsizetype m_maximumExams;
    qsizetype m_maximumQuestions;
    qsizetype m_catalogueLimit;
    QString m_error;
    QJsonObject m_root;
};

} // namespace quizmark
