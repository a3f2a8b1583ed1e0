#pragma once

#include <QImage>
#include <QString>

class QTextDocument;

namespace platform {

// Printing an image of a screen on the default printer, and keeping screens and documents as PDF files.
class ScreenPrinter {
public:
    virtual ~ScreenPrinter() = default;
    virtual bool hasDefaultPrinter() const = 0;
    // False when the printer refused the job.
    virtual bool print(const QImage& image) = 0;
    // Writes the image as a one-page PDF; false when the file could not be written.
    virtual bool saveAsPdf(const QImage& image, const QString& path) = 0;
    // Lays the document out on pages and writes it as a PDF whose text can be selected and searched;
    // false, with the reason in failure, when the file could not be written.
    virtual bool saveDocumentAsPdf(const QTextDocument& document, const QString& path, QString& failure) = 0;
    // Asks the user where to save a PDF, starting in the documents folder; empty when cancelled.
    virtual QString choosePdfPath(const QString& suggestedName, const QString& title) = 0;
};

class QtScreenPrinter : public ScreenPrinter {
public:
    bool hasDefaultPrinter() const override;
    bool print(const QImage& image) override;
    bool saveAsPdf(const QImage& image, const QString& path) override;
    bool saveDocumentAsPdf(const QTextDocument& document, const QString& path, QString& failure) override;
    QString choosePdfPath(const QString& suggestedName, const QString& title) override;
    // Where the save dialog starts: the suggested name in the user's documents folder.
    static QString startPath(const QString& suggestedName);
};

}
