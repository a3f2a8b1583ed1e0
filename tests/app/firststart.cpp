// One first start of the program as far as its data goes: picks the data directory below the
// folder given, copying the installed sample exams there, and exits. The test of two starts at
// once runs two of these.
#include "datadirectorychoice.h"

#include "platform/datafolders.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

// The install's places below one folder; the dat folder beside the program is not the user's.
class FoldersBelow : public platform::DataFolders
{
public:
    explicit FoldersBelow(QString root)
        : m_root(std::move(root))
    {
    }
    QString besideProgram() const override { return m_root + QStringLiteral("/usr/bin/dat"); }
    QString installedSamples() const override { return m_root + QStringLiteral("/usr/share/quizmark/dat"); }
    QString perUser() const override { return m_root + QStringLiteral("/home/.local/share/quizmark/dat"); }
    bool isWritableDirectory(const QString&) const override { return false; }

private:
    QString m_root;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return 2;
    const FoldersBelow folders(QString::fromLocal8Bit(argv[1]));
    std::printf("%s\n", qPrintable(quizmark::DataDirectoryChoice(folders).choose()));
    return 0;
}
