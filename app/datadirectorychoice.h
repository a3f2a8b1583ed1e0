#pragma once

#include <QString>

namespace platform {
class DataFolders;
}

namespace quizmark {

// Picks the data directory at start-up: the dat folder beside the program when the user can write
// there (a portable copy), otherwise the user's own folder, filled from the installed sample exams.
class DataDirectoryChoice
{
public:
    explicit DataDirectoryChoice(const platform::DataFolders& folders);

    // The directory to use. The user's folder is created on the first start; later starts add only
    // the sample exams whose bank names it has never been offered, and overwrite nothing.
    QString choose() const;

private:
    QString samplesSource() const;
    bool addNewSamples(const QString& from, const QString& to) const;

    const platform::DataFolders& m_folders;
};

} // namespace quizmark
