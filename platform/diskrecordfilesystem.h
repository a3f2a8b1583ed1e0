#pragma once

#include "recordfile.h"

namespace platform {

// Record files on the local file system.
class DiskRecordFileSystem : public RecordFileSystem {
public:
    std::unique_ptr<RecordFile> open(const QString& path, int recordLength, RecordAccess access) override;
};

}
