#include "webbrowser.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

void DesktopWebBrowser::open(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
}

}
