#include "filetable.h"

#include "runtimeerror.h"

namespace platform {

FileTable::FileTable(RecordFileSystem& fileSystem)
    : m_fileSystem(fileSystem)
{
}

RecordFile& FileTable::open(int number, const QString& path, int recordLength, RecordAccess access)
{
    if (isOpen(number))
        throw RuntimeError(ErrorNumber::FileAlreadyOpen, path);
    auto file = m_fileSystem.open(path, recordLength, access);
    RecordFile& opened = *file;
    m_files[number] = std::move(file);
    return opened;
}

RecordFile& FileTable::file(int number)
{
    const auto it = m_files.find(number);
    if (it == m_files.end())
        throw RuntimeError(ErrorNumber::BadFileNameOrNumber);
    return *it->second;
}

bool FileTable::isOpen(int number) const
{
    return m_files.contains(number);
}

void FileTable::close(int number)
{
    m_files.erase(number);
}

void FileTable::closeAll()
{
    m_files.clear();
}

}
