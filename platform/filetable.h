#pragma once

#include "recordfile.h"

#include <map>
#include <memory>

namespace platform {

// The runtime's table of open record files, by the fixed numbers the program gives them.
class FileTable {
public:
    explicit FileTable(RecordFileSystem& fileSystem);

    RecordFile& open(int number, const QString& path, int recordLength, RecordAccess access);
    // The open file with that number; error 52 when none is open.
    RecordFile& file(int number);
    bool isOpen(int number) const;
    void close(int number);
    void closeAll();

private:
    RecordFileSystem& m_fileSystem;
    std::map<int, std::unique_ptr<RecordFile>> m_files;
};

}
