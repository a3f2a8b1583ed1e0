#include "jsonsourcestream.h"

#include <QJsonArray>
#include <QJsonObject>

#include <nlohmann/json.hpp>

#include <vector>

namespace quizmark {

namespace {
// As deep as Qt's own JSON reader goes; deeper values would be torn down by deep recursion.
constexpr std::size_t MaximumDepth = 1024;
// The depths of the document: the root object, the "exams" array, an exam, its "questions" array.
constexpr std::size_t ExamsDepth = 2;
constexpr std::size_t ExamDepth = 3;
constexpr std::size_t QuestionsDepth = 4;
} // namespace

// The parser's events, building one exam's value at a time.
class JsonSourceEvents : public nlohmann::json_sax<nlohmann::json>
{
public:
    JsonSourceEvents(JsonSourceStream& stream, const JsonSourceStream::ExamHandler& onExam)
        : m_stream(stream)
        , m_onExam(onExam)
    {
    }

    bool null() override { return value(QJsonValue(QJsonValue::Null)); }
    bool boolean(bool flag) override { return value(flag); }
    bool number_integer(number_integer_t number) override { return value(qint64(number)); }
    bool number_unsigned(number_unsigned_t number) override { return value(double(number)); }
    bool number_float(number_float_t number, const string_t&) override { return value(number); }
    bool string(string_t& text) override { return value(QString::fromStdString(text)); }
    bool binary(binary_t&) override { return refuse(QStringLiteral("binary values are no JSON text")); }

    bool start_object(std::size_t) override { return open(true); }
    bool start_array(std::size_t) override { return open(false); }
    bool key(string_t& name) override
    {
        m_frames.back().key = QString::fromStdString(name);
        return true;
    }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& failure) override
    {
        QString reason = QString::fromUtf8(failure.what());
        // "[json.exception.parse_error.101] parse error at ...": the tag says nothing to a user.
        if (const qsizetype tag = reason.indexOf(QStringLiteral("] ")); reason.startsWith(u'[') && tag > 0)
            reason.remove(0, tag + 2);
        m_stream.m_error = QStringLiteral("not valid JSON at offset %1: %2").arg(position).arg(reason);
        return false;
    }

    bool finish()
    {
        if (!m_sawExams) {
            m_stream.m_error = QStringLiteral("expected an object with an \"exams\" array");
            return false;
        }
        return true;
    }

private:
    struct Frame
    {
        bool isObject = false;
        QJsonObject object;
        QJsonArray array;
        QString key;
        // The exams array and the questions array are counted, and the exams handed on, not kept.
        qsizetype count = 0;
    };

    bool refuse(const QString& reason)
    {
        m_stream.m_error = reason;
        return false;
    }

    bool isExamsArray() const { return m_frames.size() == ExamsDepth && m_inExams; }

    // A value begins in the container on top: count it where a limit applies.
    bool counted()
    {
        if (m_frames.empty())
            return true;
        Frame& top = m_frames.back();
        if (isExamsArray() && ++top.count > m_stream.m_maximumExams)
            return refuse(QStringLiteral("a catalogue holds at most %1 exams").arg(m_stream.m_catalogueLimit));
        if (m_frames.size() == QuestionsDepth && m_inQuestions && ++top.count > m_stream.m_maximumQuestions)
            return refuse(
                QStringLiteral("exam %1%2, field \"questions\": more than %3 questions; a bank holds at most %3")
                    .arg(m_frames[ExamsDepth - 1].count)
                    .arg(examName())
                    .arg(m_stream.m_maximumQuestions));
        return true;
    }

    QString examName() const
    {
        const QString name = m_frames[ExamDepth - 1].object.value(u"name").toString();
        return name.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(name);
    }

    bool open(bool isObject)
    {
        if (!counted())
            return false;
        if (m_frames.size() >= MaximumDepth)
            return refuse(QStringLiteral("too deeply nested"));
        if (m_frames.empty() && !isObject)
            return refuse(QStringLiteral("expected an object with an \"exams\" array"));
        // Which arrays are streamed: "exams" of the root, and "questions" of an exam.
        if (!isObject && m_frames.size() == ExamsDepth - 1 && m_frames.back().key == u"exams") {
            m_inExams = true;
            m_sawExams = true;
        }
        if (!isObject && m_frames.size() == QuestionsDepth - 1 && m_inExams && m_frames.back().key == u"questions")
            m_inQuestions = true;
        m_frames.push_back(Frame{ isObject, {}, {}, {}, 0 });
        return true;
    }

    bool close()
    {
        Frame done = std::move(m_frames.back());
        m_frames.pop_back();
        if (m_frames.size() == ExamsDepth - 1 && m_inExams && !done.isObject) {
            m_inExams = false;
            return true;
        }
        if (m_frames.size() == QuestionsDepth - 1 && m_inQuestions && !done.isObject)
            m_inQuestions = false;
        if (m_frames.empty()) {
            m_stream.m_root = done.object;
            return true;
        }
        return place(done.isObject ? QJsonValue(done.object) : QJsonValue(done.array));
    }

    bool value(const QJsonValue& scalar) { return counted() && place(scalar); }

    // Puts a finished value into its container, or hands an exam on.
    bool place(const QJsonValue& finished)
    {
        if (m_frames.empty())
            return refuse(QStringLiteral("expected an object with an \"exams\" array"));
        Frame& top = m_frames.back();
        if (isExamsArray())
            return m_onExam(finished, top.count) || refuse(QString());
        if (top.isObject)
            top.object.insert(top.key, finished);
        else
            top.array.append(finished);
        return true;
    }

    JsonSourceStream& m_stream;
    const JsonSourceStream::ExamHandler& m_onExam;
    std::vector<Frame> m_frames;
    bool m_inExams = false;
    bool m_inQuestions = false;
    bool m_sawExams = false;
};

JsonSourceStream::JsonSourceStream(qsizetype maximumExams, qsizetype maximumQuestions, qsizetype catalogueLimit)
    : m_maximumExams(maximumExams)
    , m_maximumQuestions(maximumQuestions)
    , m_catalogueLimit(catalogueLimit)
{
}

bool JsonSourceStream::read(QByteArrayView json, const ExamHandler& onExam)
{
    m_error.clear();
    m_root = {};
    JsonSourceEvents events(*this, onExam);
    const auto* begin = reinterpret_cast<const unsigned char*>(json.data());
    const bool parsed = nlohmann::json::sax_parse(begin, begin + json.size(), &events);
    return parsed && events.finish();
}

} // namespace quizmark
