#pragma once

#include <QString>

namespace platform {

// Opens web addresses in the user's browser; failures are not reported.
class WebBrowser {
public:
    virtual ~WebBrowser() = default;
    virtual void open(const QString& address) = 0;
};

class DesktopWebBrowser : public WebBrowser {
public:
    void open(const QString& address) override;
};

}
