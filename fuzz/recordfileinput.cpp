#include "recordfileinput.h"

#include "platform/diskrecordfilesystem.h"
#include "platform/runtimeerror.h"

#include <QFile>

#include <cstdlib>

RecordFileInput::RecordFileInput(const char* fileName)
    : m_path(m_folder.filePath(QString::fromLatin1(fileName)))
{
    if (!m_folder.isValid())
        std::abort();
}

std::unique_ptr<platform::RecordFile> RecordFileInput::open(const std::uint8_t* data, std::size_t size,
                                                            int recordLength, platform::RecordAccess access)
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();
    platform::DiskRecordFileSystem files;
    return files.open(m_path, recordLength, access);
}

bool isRecordFileError(int number)
{
    namespace E = platform::ErrorNumber;
    return number == E::Overflow || number == E::BadRecordNumber;
}

bool encodable(const QByteArray& bytes)
{
    for (char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D)
            return false;
    }
    return true;
}
