#include "folderlock.h"

#include <QDir>

namespace platform {

FolderLock::FolderLock(const QString& folder)
    : m_file(QDir(folder).filePath(FileName))
{
}

bool FolderLock::lock(std::chrono::milliseconds wait)
{
    return m_file.tryLock(wait);
}

} // namespace platform
