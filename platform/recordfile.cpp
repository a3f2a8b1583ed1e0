#include "recordfile.h"

#include "runtimeerror.h"

namespace platform {

void checkRecordNumber(qint64 record)
{
    if (record < 1)
        throw RuntimeError(ErrorNumber::BadRecordNumber);
}

QByteArray RecordFile::read(qint64 record, int offset, int length)
{
    return read(record).mid(offset, length);
}

QByteArray RecordFile::readRecords(qint64 first, qint64 count)
{
    QByteArray bytes;
    for (qint64 record = first; record < first + count; ++record) {
        const QByteArray one = read(record);
        bytes += one;
        if (one.size() < recordLength())
            break;
    }
    return bytes;
}

void checkRecordBytes(const RecordFile& file, const QByteArray& bytes)
{
    if (bytes.size() != file.recordLength())
        throw RuntimeError(ErrorNumber::BadRecordNumber, file.path());
}

}
