#pragma once

#include <QFileDialog>

namespace platform {

// The save dialog of the program. The toolkit's own dialog reads a typed name holding double
// quotes as a list of names and keeps only one of them; this one takes what is typed as one file
// name, and says why when it cannot take a name, instead of doing nothing.
class SaveFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    SaveFileDialog(QWidget* parent, const QString& title, const QString& startPath, const QString& filter);

    // The file chosen; empty while none was.
    QString chosenPath() const;

public slots:
    void accept() override;

protected:
    // Tells the user why the name typed cannot be taken.
    virtual void refuse(const QString& reason);
    // Whether the user wants the file of that name replaced.
    virtual bool confirmReplace(const QString& fileName);

private:
    // Why the folder cannot hold a file of that name, or empty when it can.
    static QString nameProblem(const QString& path);

    QString m_chosen;
};

} // namespace platform
