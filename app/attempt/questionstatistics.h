#pragma once

#include <QByteArrayView>
#include <QDateTime>

#include <cstdint>
#include <unordered_map>

namespace quizmark {

// What the candidate's finished attempts say about one question.
struct QuestionStanding
{
    int seen = 0;
    int right = 0;
    QDateTime lastSeen;
    // The Leitner box, 1 to 5: a question answered fully right moves up one, any other answer
    // sends it back to 1.
    int box = 1;
    // When the question should be asked again; a question missed is due at once.
    QDateTime due;
    // Answers fully right since the last miss, or since the first answer: the box follows from it.
    int rightSinceMiss = 0;

    double shareRight() const { return seen > 0 ? double(right) / seen : 0.0; }
};

// Each question's standing over the candidate's finished attempts at one bank. A question is its
// record number together with the fingerprint of the record's bytes, so an edited question, or
// another question at the same number after a rebuild, starts afresh.
class QuestionStatistics
{
public:
    static constexpr int TopBox = 5;

    static quint64 fingerprint(QByteArrayView record);
    // A question answered fully right in that box is due again after 1, 2, 4, 8 or 16 days.
    static int daysUntilDue(int box);

    // One asked question of a finished attempt; attempts must come oldest first.
    void count(std::int16_t recordNumber, quint64 fingerprint, bool fullyRight, const QDateTime& when);
    // A question's whole record at once, as the journal sums it up.
    void set(std::int16_t recordNumber, quint64 fingerprint, int seen, int right, const QDateTime& lastSeen,
             int rightSinceMiss);
    // The standing of the question, or nullptr when it was never seen.
    const QuestionStanding* find(std::int16_t recordNumber, quint64 fingerprint) const;
    std::size_t size() const { return m_standings.size(); }

private:
    // Each answer fully right moved the question up a box from 1; the last one set when it is due.
    static void placeInBox(QuestionStanding& standing);

    struct Key
    {
        std::int16_t recordNumber;
        quint64 fingerprint;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash
    {
        std::size_t operator()(const Key& key) const
        {
            return std::size_t(key.fingerprint ^ (quint64(quint16(key.recordNumber)) * 0x9E3779B97F4A7C15ULL));
        }
    };
    std::unordered_map<Key, QuestionStanding, KeyHash> m_standings;
};

} // namespace quizmark
