#include "recordfile.h"

#include "runtimeerror.h"

namespace platform {

void checkRecordNumber(qint64 record)
{
    if (record < 1)
        throw RuntimeError(ErrorNumber::BadRecordNumber);
}

void checkRecordBytes(const RecordFile& file, const QByteArray& bytes)
{
    if (bytes.size() != file.recordLength())
        throw RuntimeError(ErrorNumber::BadRecordNumber, file.path());
}

}
