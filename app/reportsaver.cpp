#include "reportsaver.h"

#include "attemptreport.h"

#include "platform/messageboxes.h"
#include "platform/screenprinter.h"
#include "platform/services.h"

#include <QTextDocument>

namespace quizmark {

void ReportSaver::save(platform::Services& services, const AttemptReport& report)
{
    const QString path = services.printer.choosePdfPath(report.fileName(), QStringLiteral("Save Report"));
    if (path.isEmpty())
        return;
    QString failure;
    // Either way the candidate hears where the report went, or why it did not.
    if (services.printer.saveDocumentAsPdf(*report.document(), path, failure))
        services.messages.MsgBox(QStringLiteral("The report was saved to:\n%1").arg(path),
                                 platform::MsgBoxStyle::Information);
    else
        services.messages.MsgBox(QStringLiteral("The report could not be saved to:\n%1\n\n%2").arg(path, failure),
                                 platform::MsgBoxStyle::Exclamation);
}

} // namespace quizmark
