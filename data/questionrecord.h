#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace platform {
class RecordFile;
}

namespace quizmark {

// One question of a question bank.
struct QuestionRecord {
    static constexpr int Length = 2030;
    static constexpr int QuestionWidth = 500;
    static constexpr int OptionWidth = 255;
    static constexpr int ExplanationWidth = 500;
    static constexpr int OptionCount = 4;

    std::int16_t Reserved = 0;
    QString Question = QString(QuestionWidth, u' ');
    QString Option1 = QString(OptionWidth, u' ');
    QString Option2 = QString(OptionWidth, u' ');
    QString Option3 = QString(OptionWidth, u' ');
    QString Option4 = QString(OptionWidth, u' ');
    // Elements 1 to 4 at indexes 0 to 3: the correct option numbers, ascending, then 0.
    using CorrectOptionList = std::array<std::int16_t, OptionCount>;
    CorrectOptionList CorrectOptions{};
    QString Explanation = QString(ExplanationWidth, u' ');

    // Option k, 1 to 4; error 9 otherwise.
    const QString& option(int k) const;
    QString& option(int k);
    // Element k of CorrectOptions, 1 to 4; error 9 otherwise.
    std::int16_t correctOption(int k) const;
    // The number of CorrectOptions elements greater than 0, wherever they stand.
    std::int16_t correctCount() const { return correctCount(CorrectOptions); }
    static std::int16_t correctCount(const CorrectOptionList& options);

    static QuestionRecord fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;
    static QuestionRecord read(platform::RecordFile& file, qint64 record);
    // Only the correct options of record n, as read() gives them, without decoding any text.
    static CorrectOptionList readCorrectOptions(platform::RecordFile& file, qint64 record);
};

}
