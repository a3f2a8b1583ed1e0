#include "screenprinter.h"

#include "filewrite.h"
#include "savefiledialog.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTextDocument>

namespace platform {

namespace {

constexpr double ReportMarginMillimetres = 18;

template <class PagedDevice> bool paintFitted(PagedDevice& printer, const QImage& image)
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
    FileWrite file(path);
    if (!file.open())
        return false;
    bool painted = false;
    {
        QPdfWriter writer(file.device());
        painted = paintFitted(writer, image);
    }
    return painted && file.commit();
}

// The file is opened here, and replaced only once the whole document is written, because the writer
// itself fails quietly and would leave a half-written file behind.
bool QtScreenPrinter::saveDocumentAsPdf(const QTextDocument& document, const QString& path, QString& failure)
{
    FileWrite file(path);
    if (!file.open()) {
        failure = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(file.device());
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator(QStringLiteral("Quizmark"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(ReportMarginMillimetres, ReportMarginMillimetres, ReportMarginMillimetres,
                                        ReportMarginMillimetres),
                              QPageLayout::Millimeter);
        document.print(&writer);
    }
    if (!file.commit()) {
        failure = file.errorString();
        return false;
    }
    return true;
}

QString QtScreenPrinter::startPath(const QString& suggestedName)
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + u'/' + suggestedName;
}

QString QtScreenPrinter::choosePdfPath(const QString& suggestedName, const QString& title)
{
    SaveFileDialog dialog(nullptr, title, startPath(suggestedName), QStringLiteral("PDF files (*.pdf)"));
    dialog.exec();
    return dialog.chosenPath();
}

}
