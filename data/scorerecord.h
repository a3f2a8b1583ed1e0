#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace platform {
class RecordFile;
}

namespace quizmark {

// One finished attempt in the score history results.dat.
struct ScoreRecord {
    static constexpr int Length = 8;
    static constexpr std::int16_t True = -1;
    static constexpr std::int16_t False = 0;

    std::int16_t ExamNumber = 0;
    std::int16_t MaximumScore = 0;
    std::int16_t Score = 0;
    std::int16_t Passed = False;

    static ScoreRecord fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;
    static ScoreRecord read(platform::RecordFile& file, qint64 record);
    // Records 1 to count in one read, each as read() gives it: a fragment is its bytes, then zeros,
    // and a record beyond the end is all zeros.
    static std::vector<ScoreRecord> readFirst(platform::RecordFile& file, qint64 count);

    // Records a reader counts in a file of that many bytes (nearest, halves to even).
    static std::int16_t count(qint64 fileLength);
    // The record number the next append writes: 1 for an empty file, else length / 8 + 1 rounded.
    static std::int16_t appendNumber(qint64 fileLength);
    // Appends under an exclusive lock and syncs the file before returning; the record number written.
    static std::int16_t append(platform::RecordFile& file, const ScoreRecord& record);

private:
    static ScoreRecord fromBytes(const QByteArray& bytes, qsizetype at);
};

}
