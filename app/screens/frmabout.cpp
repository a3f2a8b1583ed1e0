#include "frmabout.h"
#include "ui_frmabout.h"

#include "programicon.h"
#include "webaddresses.h"

#include "platform/messageboxes.h"
#include "platform/programlauncher.h"
#include "platform/runtimeerror.h"
#include "platform/services.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QVersionNumber>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace quizmark {

namespace {

constexpr auto ApplicationTitle = "Quizmark";
constexpr auto UnavailableText = "System Information Is Unavailable At This Time";

// Read access is enough here; asking for all access fails on machine keys for users without
// administrator rights, which would hide a tool that is installed.
constexpr std::uint32_t ReadAccess = 0x20019;
constexpr int ValueCapacity = 1024;
constexpr int NumberBytes = 4;
constexpr int NumberDigits = 8;

constexpr auto ToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr auto ToolPathValue = "PATH";
constexpr auto ToolLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr auto ToolLocationValue = "MSINFO";
constexpr auto ToolFileName = "\\MSINFO32.EXE";

struct DesktopViewer
{
    const char* program;
    QStringList arguments;
};

// Dedicated system profilers first, then the information pages of the desktops' own settings.
const DesktopViewer DesktopViewers[] = {
    { "hardinfo2", {} },   { "hardinfo", {} },
    { "kinfocenter", {} }, { "gnome-control-center", { QStringLiteral("system") } },
    { "xfce4-about", {} },
};

constexpr int IconSize = 64;
const QColor BannerTop(0x1D, 0x51, 0x89);
const QColor BannerBottom(0x2A, 0x9A, 0x8F);
const QColor TickColour(0xF2, 0xB1, 0x34);

QPointer<frmAbout> openBox;

// Text stops at the first zero byte, so a string stored with its terminator, without it, or with
// stray bytes after it reads the same and nothing past the stored bytes is ever looked at.
QString storedText(const QByteArray& data)
{
    const qsizetype end = data.indexOf('\0');
    return QString::fromLocal8Bit(end < 0 ? data : data.left(end));
}

// The stored bytes are the number least significant byte first; missing bytes count as zero.
QString numberText(const QByteArray& data)
{
    std::uint32_t number = 0;
    const qsizetype bytes = std::min<qsizetype>(data.size(), NumberBytes);
    for (qsizetype i = 0; i < bytes; ++i)
        number |= std::uint32_t(std::uint8_t(data[i])) << (8 * i);
    return QStringLiteral("&h") + QStringLiteral("%1").arg(number, NumberDigits, 16, QLatin1Char('0')).toUpper();
}

QString versionText()
{
    const QVersionNumber version = QVersionNumber::fromString(QStringLiteral(QUIZMARK_VERSION));
    return QStringLiteral("Version %1.%2.%3")
        .arg(version.majorVersion())
        .arg(version.minorVersion())
        .arg(version.microVersion());
}

QPixmap drawIcon()
{
    QPixmap icon(IconSize, IconSize);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, 0, IconSize);
    background.setColorAt(0, BannerTop);
    background.setColorAt(1, BannerBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(1, 1, IconSize - 2, IconSize - 2), 12, 12);

    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(IconSize * 5 / 8);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, IconSize, IconSize - 4), Qt::AlignCenter, QStringLiteral("Q"));

    QPainterPath tick;
    tick.moveTo(38, 46);
    tick.lineTo(45, 53);
    tick.lineTo(57, 37);
    painter.setPen(QPen(TickColour, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    return icon;
}

} // namespace

bool GetKeyValue(platform::Registry& registry, platform::Registry::Key KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal)
{
    platform::Registry::Key key = 0;
    if (registry.openKey(KeyRoot, KeyName, ReadAccess, key) != platform::Registry::Success) {
        KeyVal.clear();
        return false;
    }
    std::uint32_t type = 0;
    QByteArray data;
    const long status = registry.queryValue(key, SubKeyRef, type, data, ValueCapacity);
    registry.closeKey(key);
    if (status != platform::Registry::Success) {
        KeyVal.clear();
        return false;
    }
    data.truncate(ValueCapacity);
    if (type == platform::Registry::StringValue)
        KeyVal = storedText(data);
    else if (type == platform::Registry::NumberValue)
        KeyVal = numberText(data);
    return true;
}

void frmAbout::showAbout(platform::Services& services, QWidget* owner)
{
    // Owned by the main window rather than by the screen that asked, so the box outlives a screen
    // that unloads while it is open.
    if (!openBox)
        openBox = new frmAbout(services, owner ? owner->window() : nullptr);
    openBox->show();
    openBox->raise();
    openBox->activateWindow();
}

frmAbout::frmAbout(platform::Services& services, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_ui(std::make_unique<Ui::frmAbout>())
    , m_services(services)
{
    m_ui->setupUi(this);
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    m_ui->picIcon->setPixmap(drawIcon());
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cmdSysInfo, &QPushButton::clicked, this, [this] { StartSysInfo(); });
    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + QLatin1String(ApplicationTitle));
    m_ui->lblVersion->setText(versionText());
    m_ui->lblTitle->setText(QLatin1String(ApplicationTitle));
    m_ui->lblDescription->setText(QStringLiteral("Visit ") + QLatin1String(WebAddress::Homepage)
                                  + QStringLiteral("  for updates and downloadable questions files"));
    m_ui->cmdOK->setFocus();
}

void frmAbout::StartSysInfo()
{
    bool started = false;
    try {
        const std::optional<QString> tool = registeredTool();
        started = tool ? m_services.programs.Shell(*tool) : startDesktopViewer();
    } catch (const platform::RuntimeError&) {
        started = false;
    }
    if (!started)
        m_services.messages.MsgBox(QLatin1String(UnavailableText), platform::MsgBoxStyle::OKOnly,
                                   QLatin1String(ApplicationTitle));
}

// The tool's full file name when the registry names one, used as registered; the file name built
// from a registered directory only when that file exists.
std::optional<QString> frmAbout::registeredTool()
{
    platform::Registry& registry = m_services.registry;
    QString path;
    if (GetKeyValue(registry, platform::Registry::LocalMachine, QLatin1String(ToolKey), QLatin1String(ToolPathValue),
                    path)
        && !path.isEmpty())
        return path;
    if (!GetKeyValue(registry, platform::Registry::LocalMachine, QLatin1String(ToolLocationKey),
                     QLatin1String(ToolLocationValue), path)
        || path.isEmpty())
        return std::nullopt;
    path += QLatin1String(ToolFileName);
    if (!m_services.programs.fileExists(path))
        return std::nullopt;
    return path;
}

bool frmAbout::startDesktopViewer()
{
    for (const DesktopViewer& viewer : DesktopViewers) {
        const QString program = m_services.programs.findProgram(QLatin1String(viewer.program));
        if (!program.isEmpty())
            return m_services.programs.Shell(program, viewer.arguments);
    }
    return false;
}

} // namespace quizmark
