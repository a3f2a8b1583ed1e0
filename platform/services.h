#pragma once

namespace platform {

class Clock;
class EventWait;
class FileTable;
class MessageBoxes;
class ProgramDirectory;
class ProgramLauncher;
class RandomSource;
class RecordFileSystem;
class Registry;
class ScreenPrinter;
class SettingsStore;
class WebBrowser;

// The platform services a screen may call, handed to every screen so tests can replace any of them.
struct Services {
    FileTable& files;
    SettingsStore& settings;
    MessageBoxes& messages;
    RandomSource& random;
    WebBrowser& web;
    ProgramLauncher& programs;
    ProgramDirectory& programDirectory;
    EventWait& wait;
    ScreenPrinter& printer;
    Registry& registry;
    Clock& clock;
};

}
