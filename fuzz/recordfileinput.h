#pragma once

#include "platform/recordfile.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

// A fuzzer's input written to a file of a private temporary folder, then opened through the
// disk file layer as the program opens its record files.
class RecordFileInput
{
public:
    explicit RecordFileInput(const char* fileName);

    // Replaces the file's contents with the input and opens it.
    std::unique_ptr<platform::RecordFile> open(const std::uint8_t* data, std::size_t size, int recordLength,
                                               platform::RecordAccess access);

private:
    QTemporaryDir m_folder;
    QString m_path;
};

// Whether every byte has a Windows-1252 character: only then is a record's round trip promised.
bool encodable(const QByteArray& bytes);

// Whether a record-file read may fail with this runtime error number.
bool isRecordFileError(int number);
