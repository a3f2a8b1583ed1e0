#pragma once

#include <QByteArray>
#include <QFile>

#include <memory>

namespace quizmark {

// A file of fixed-length records read one record at a time, so memory stays bounded by one
// record whatever the file holds.
class RecordStream
{
public:
    RecordStream(std::unique_ptr<QFile> file, int recordLength);

    qint64 length() const { return m_length; }
    int recordLength() const { return m_recordLength; }
    // Records whole in the file; a trailing fragment is not one.
    qint64 wholeRecords() const { return m_length / m_recordLength; }
    // Records as the program counts a catalogue: a fragment of half a record or more counts.
    qint64 roundedRecords() const { return (m_length + m_recordLength / 2) / m_recordLength; }
    qint64 fragment() const { return m_length % m_recordLength; }
    // Record n (from 1): short for a trailing fragment, empty beyond the end or on a read error.
    QByteArray record(qint64 n);

private:
    std::unique_ptr<QFile> m_file;
    int m_recordLength;
    qint64 m_length;
};

} // namespace quizmark
