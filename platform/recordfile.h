#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace platform {

enum class RecordAccess {
    ReadOnly, // the file must exist; it is never created
    ReadWrite, // a missing file is created empty
};

// One open random-access file of fixed-length records, numbered from 1.
class RecordFile {
public:
    virtual ~RecordFile() = default;

    virtual QString path() const = 0;
    virtual int recordLength() const = 0;
    virtual qint64 length() const = 0;
    // The bytes of record n that the file holds: short for a trailing fragment, empty beyond the end.
    virtual QByteArray read(qint64 record) = 0;
    // The bytes at offset within record n that the file holds, at most length of them; a reader that
    // needs one field of a long record need not fetch the rest.
    virtual QByteArray read(qint64 record, int offset, int length);
    // Records first to first + count - 1 in one piece, as far as the file holds them: a trailing
    // fragment ends it short.
    virtual QByteArray readRecords(qint64 first, qint64 count);
    // Writes record n whole, or raises the runtime's error; nothing is reported as written that was not.
    virtual void write(qint64 record, const QByteArray& bytes) = 0;
    // An exclusive lock between processes, held until unlock() or close.
    virtual void lockExclusive() = 0;
    virtual void unlock() = 0;
    // Forces what was written to the storage device.
    virtual void sync() = 0;
};

// Opens record files; a missing file opened read-only is error 53, a missing directory error 76.
class RecordFileSystem {
public:
    virtual ~RecordFileSystem() = default;
    virtual std::unique_ptr<RecordFile> open(const QString& path, int recordLength, RecordAccess access) = 0;
};

// Checks shared by every record file: record numbers start at 1 and a write is one whole record.
void checkRecordNumber(qint64 record);
void checkRecordBytes(const RecordFile& file, const QByteArray& bytes);

}
