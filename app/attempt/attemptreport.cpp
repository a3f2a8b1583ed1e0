#include "attemptreport.h"

#include "answerticks.h"

#include "attemptstate.h"

#include "platform/conversions.h"

#include <QFont>
#include <QLocale>
#include <QRegularExpression>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>

namespace quizmark {

namespace {

constexpr int BodyPointSize = 10;
constexpr int TitlePointSize = 18;
constexpr int QuestionPointSize = 12;
constexpr qreal QuestionGap = 14;
constexpr qreal ParagraphGap = 4;
constexpr qreal OptionIndent = 12;

// A field read whole keeps its padding; the report shows only what was typed.
QString withoutPadding(const QString& field)
{
    qsizetype end = field.size();
    while (end > 0 && field.at(end - 1).isSpace())
        --end;
    return field.left(end);
}

QTextCharFormat textFormat(int pointSize = BodyPointSize, bool bold = false)
{
    QTextCharFormat format;
    format.setFontPointSize(pointSize);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

// Starts a new paragraph and writes plain text into it.
void addParagraph(QTextCursor& cursor, const QString& text, const QTextCharFormat& format,
                  qreal topMargin = ParagraphGap, qreal indent = 0)
{
    QTextBlockFormat block;
    block.setTopMargin(topMargin);
    block.setLeftMargin(indent);
    cursor.insertBlock(block, format);
    cursor.insertText(text, format);
}

QString optionMarks(bool yours, bool correct)
{
    if (yours && correct)
        return QStringLiteral("   [your answer] [correct answer]");
    if (yours)
        return QStringLiteral("   [your answer]");
    if (correct)
        return QStringLiteral("   [correct answer]");
    return {};
}

} // namespace

QString AttemptReport::practiceNote(const AttemptState& state)
{
    if (state.StudyMode)
        return QStringLiteral("Study mode: not added to the score history.");
    if (state.WeakPractice)
        return QStringLiteral("Weak-question practice: not added to the score history.");
    if (state.PracticeRetry)
        return QStringLiteral("Practice retry: not added to the score history.");
    return {};
}

AttemptReport::AttemptReport(const AttemptState& state, const AttemptScore& score,
                             std::vector<QuestionRecord> questions, QDateTime finished)
    : m_examName(examName(state))
    , m_finished(std::move(finished))
    , m_practiceNote(practiceNote(state))
    , m_score(score)
{
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const int position = int(i) + 1;
        const AnswerTicks ticks = AnswerTicks::of(state, position, questions[i]);
        m_questions.push_back({ std::move(questions[i]), ticks.yours, ticks.correct, score.isCorrect(position) });
    }
}

QString AttemptReport::examName(const AttemptState& state)
{
    return withoutPadding(state.CurrentExam.ExamName).trimmed();
}

QString AttemptReport::positionLine(int position, int total, bool correct)
{
    return QStringLiteral("Question %1 of %2: %3")
        .arg(position)
        .arg(total)
        .arg(correct ? QStringLiteral("Correct") : QStringLiteral("Incorrect"));
}

QString AttemptReport::positionLine(int position, int total, std::int16_t points, std::int16_t worth)
{
    const bool correct = points >= worth;
    const QString line = positionLine(position, total, correct);
    if (correct || points <= 0)
        return line;
    return line + QStringLiteral(" (%1 of %2 points)").arg(points).arg(worth);
}

QString AttemptReport::fileName() const
{
    static const QRegularExpression forbidden(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    QString exam = QString(m_examName).replace(forbidden, QStringLiteral("-"));
    if (exam.isEmpty())
        exam = QStringLiteral("Exam Result");
    return exam + u' ' + m_finished.date().toString(Qt::ISODate) + QStringLiteral(".pdf");
}

std::unique_ptr<QTextDocument> AttemptReport::document() const
{
    auto document = std::make_unique<QTextDocument>();
    document->setMetaInformation(QTextDocument::DocumentTitle, m_examName);
    QFont font = document->defaultFont();
    font.setPointSize(BodyPointSize);
    document->setDefaultFont(font);
    QTextCursor cursor(document.get());
    const QLocale locale;

    // The document's first paragraph is already there: the exam's name goes into it.
    cursor.insertText(m_examName, textFormat(TitlePointSize, true));
    addParagraph(cursor,
                 locale.toString(m_finished.date(), QLocale::LongFormat) + u' '
                     + locale.toString(m_finished.time(), QLocale::ShortFormat),
                 textFormat());
    if (!m_practiceNote.isEmpty())
        addParagraph(cursor, m_practiceNote, textFormat());
    addParagraph(cursor, m_score.passed() ? QStringLiteral("Pass") : QStringLiteral("Fail"),
                 textFormat(QuestionPointSize, true), QuestionGap);
    addParagraph(cursor, QStringLiteral("Your Score: ") + m_score.shareText(), textFormat());
    addParagraph(cursor, QStringLiteral("Minimum Passing Score: ") + platform::singleText(m_score.passMark()),
                 textFormat());
    addParagraph(cursor, QStringLiteral("Maximum Score: ") + platform::integerText(m_score.maximumScore()),
                 textFormat());

    const int total = int(m_questions.size());
    for (int i = 0; i < total; ++i) {
        const Question& question = m_questions[std::size_t(i)];
        addParagraph(cursor, positionLine(i + 1, total, question.answeredCorrectly),
                     textFormat(QuestionPointSize, true), QuestionGap);
        addParagraph(cursor, withoutPadding(question.record.Question), textFormat());
        for (int option = 1; option <= QuestionRecord::OptionCount; ++option) {
            const auto k = std::size_t(option - 1);
            addParagraph(cursor, QStringLiteral("%1. ").arg(option) + withoutPadding(question.record.option(option)),
                         textFormat(), ParagraphGap, OptionIndent);
            cursor.insertText(optionMarks(question.yours[k], question.correct[k]), textFormat(BodyPointSize, true));
        }
        addParagraph(cursor, QStringLiteral("Explanation"), textFormat(BodyPointSize, true));
        addParagraph(cursor, withoutPadding(question.record.Explanation), textFormat());
    }
    return document;
}

} // namespace quizmark
