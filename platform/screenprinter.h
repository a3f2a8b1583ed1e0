#pragma once

#include <QImage>
#include <QString>

namespace platform {

// Printing an image of a screen on the default printer.
class ScreenPrinter {
public:
    virtual ~ScreenPrinter() = default;
    virtual bool hasDefaultPrinter() const = 0;
    // False when the printer refused the job.
    virtual bool print(const QImage& image) = 0;
    // Writes the image as a one-page PDF; false when the file could not be written.
    virtual bool saveAsPdf(const QImage& image, const QString& path) = 0;
    // Asks the user where to save a PDF; empty when cancelled.
    virtual QString choosePdfPath(const QString& suggestedName) = 0;
};

class QtScreenPrinter : public ScreenPrinter {
public:
    bool hasDefaultPrinter() const override;
    bool print(const QImage& image) override;
    bool saveAsPdf(const QImage& image, const QString& path) override;
    QString choosePdfPath(const QString& suggestedName) override;
};

}
