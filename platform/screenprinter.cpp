#include "screenprinter.h"

#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace platform {

namespace {

bool paintFitted(QPrinter& printer, const QImage& image)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    // A screen image is never enlarged beyond its own size times the printer's resolution ratio.
    const double natural = double(printer.resolution()) / 96.0;
    const QSize shown = size.width() > image.width() * natural ? image.size() * natural : size;
    painter.drawImage(QRect(QPoint(0, 0), shown), image);
    return painter.end();
}

}

bool QtScreenPrinter::hasDefaultPrinter() const
{
    return !QPrinterInfo::defaultPrinter().isNull();
}

bool QtScreenPrinter::print(const QImage& image)
{
    QPrinter printer(QPrinterInfo::defaultPrinter());
    return paintFitted(printer, image);
}

bool QtScreenPrinter::saveAsPdf(const QImage& image, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return paintFitted(printer, image);
}

QString QtScreenPrinter::choosePdfPath(const QString& suggestedName)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileDialog::getSaveFileName(nullptr, QStringLiteral("Save Results as PDF"),
        folder + u'/' + suggestedName, QStringLiteral("PDF files (*.pdf)"));
}

}
