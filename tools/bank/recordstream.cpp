#include "recordstream.h"

namespace quizmark {

RecordStream::RecordStream(std::unique_ptr<QFile> file, int recordLength)
    : m_file(std::move(file))
    , m_recordLength(recordLength)
    , m_length(m_file->size())
{
}

QByteArray RecordStream::record(qint64 n)
{
    if (n < 1 || !m_file->seek((n - 1) * m_recordLength))
        return {};
    return m_file->read(m_recordLength);
}

} // namespace quizmark
