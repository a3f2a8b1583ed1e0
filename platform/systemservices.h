#pragma once

#include "clock.h"
#include "clockrandom.h"
#include "diskrecordfilesystem.h"
#include "eventwait.h"
#include "filetable.h"
#include "messageboxes.h"
#include "programdirectory.h"
#include "programlauncher.h"
#include "registry.h"
#include "screenprinter.h"
#include "services.h"
#include "settingsstore.h"
#include "webbrowser.h"

namespace platform {

// The real services of the running program.
class SystemServices
{
public:
    explicit SystemServices(const QString& title);
    Services& services() { return m_services; }
    QtMessageBoxes& messageBoxes() { return m_messages; }
    ExecutableDirectory& programDirectory() { return m_programDirectory; }

private:
    DiskRecordFileSystem m_recordFiles;
    FileTable m_files{ m_recordFiles };
    QtSettingsStore m_settings;
    QtMessageBoxes m_messages;
    ClockRandom m_random;
    DesktopWebBrowser m_web;
    ProcessLauncher m_programs;
    ExecutableDirectory m_programDirectory;
    LocalEventLoopWait m_wait;
    QtScreenPrinter m_printer;
    NoRegistry m_registry;
    SystemClock m_clock;
    Services m_services;
};

} // namespace platform
