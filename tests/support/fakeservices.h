#pragma once

#include "fakerecordfilesystem.h"

#include "platform/clock.h"
#include "platform/eventwait.h"
#include "platform/filetable.h"
#include "platform/messageboxes.h"
#include "platform/programdirectory.h"
#include "platform/programlauncher.h"
#include "platform/randomsource.h"
#include "platform/registry.h"
#include "platform/screenprinter.h"
#include "platform/services.h"
#include "platform/settingsstore.h"
#include "platform/webbrowser.h"

#include <QImage>
#include <QMap>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace testing_support {

class MemorySettingsStore : public platform::SettingsStore {
public:
    void SaveSetting(const QString& application, const QString& section, const QString& key,
        const QString& value) override;
    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultValue) const override;
    // "application/section/key" to value.
    QMap<QString, QString> values;
    int writes = 0;
};

// Answers message boxes from a script; every box shown is recorded.
class ScriptedMessageBoxes : public platform::MessageBoxes {
public:
    struct Shown {
        QString prompt;
        int buttons;
        QString title;
        QString line;
    };
    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    int MsgBoxWithLine(const QString& prompt, const QString& line, int buttons, const QString& title) override;
    void closeOpenBoxes() override { ++closeRequests; }
    // Records the box with its buttons joined by "|" as its line; answers from the same queue, the
    // default button when nothing is queued.
    int MsgBoxChoice(const QString& prompt, const QStringList& buttons, int defaultButton, int cancelButton,
                     const QString& title) override;

    // The next box returns this; with nothing queued a box answers OK (or Yes for Yes/No).
    void answerNext(int result) { answers.push_back(result); }
    // Runs while the next box is "open", before it answers: a test can let events happen there.
    void whileNextIsOpen(std::function<void()> action) { duringNext.push_back(std::move(action)); }

    std::vector<Shown> shown;
    std::deque<int> answers;
    std::deque<std::function<void()>> duringNext;
    int closeRequests = 0;

private:
    // Records the box, runs what is to happen while it is open, and answers from the script.
    int show(Shown box, int unscriptedAnswer);
};

// Returns numbers from a list, then repeats a seeded generator's.
class ScriptedRandom : public platform::RandomSource {
public:
    void Randomize() override { ++randomizeCalls; }
    result_type next() override;
    std::deque<result_type> values;
    int randomizeCalls = 0;

private:
    std::uint32_t m_state = 12345;
};

class RecordingWebBrowser : public platform::WebBrowser {
public:
    void open(const QString& address) override { opened.append(address); }
    QStringList opened;
};

class FakeProgramLauncher : public platform::ProgramLauncher {
public:
    bool Shell(const QString& program, const QStringList& arguments = {}) override;
    bool fileExists(const QString& path) const override { return existingFiles.contains(path); }
    QString findProgram(const QString& name) const override { return onSearchPath.value(name); }

    QStringList existingFiles;
    QMap<QString, QString> onSearchPath;
    QStringList started;
    bool startSucceeds = true;
};

// Waits by running the scripted actions in turn until the condition holds; a wait that the
// script cannot end fails loudly instead of hanging the test.
class ScriptedWait : public platform::EventWait {
public:
    void waitUntil(const std::function<bool()>& done) override;
    void wake() override { ++wakes; }
    std::deque<std::function<void()>> actions;
    int waits = 0;
    int wakes = 0;
};

class FakePrinter : public platform::ScreenPrinter {
public:
    bool hasDefaultPrinter() const override { return printerPresent; }
    bool print(const QImage& image) override;
    bool saveAsPdf(const QImage& image, const QString& path) override;
    bool saveDocumentAsPdf(const QTextDocument& document, const QString& path, QString& failure) override;
    QString choosePdfPath(const QString& suggestedName, const QString& title) override;

    // A document handed over to be kept, as its plain text.
    struct SavedDocument
    {
        QString path;
        QString title;
        QString text;
    };

    bool printerPresent = true;
    bool printSucceeds = true;
    bool documentSaveSucceeds = true;
    // What the save dialog answers; empty is cancelled.
    QString pdfPath;
    std::vector<QImage> printed;
    QStringList savedPdfs;
    std::vector<SavedDocument> savedDocuments;
    // The name and title each save dialog was opened with.
    QStringList suggestedNames;
    QStringList dialogTitles;
};

// A registry of keys and values in memory.
class FakeRegistry : public platform::Registry {
public:
    struct Value {
        std::uint32_t type;
        QByteArray data;
    };
    long openKey(Key root, const QString& name, std::uint32_t access, Key& opened) override;
    long queryValue(Key key, const QString& valueName, std::uint32_t& type, QByteArray& data, int capacity) override;
    long closeKey(Key key) override;

    // Values by "key\\value name", for keys under LocalMachine.
    std::map<QString, std::map<QString, Value>> keys;
    int openKeys = 0;

private:
    std::map<Key, QString> m_handles;
    Key m_next = 100;
};

// A clock that shows the time it was set to.
class FixedClock : public platform::Clock
{
public:
    QDateTime now() const override { return time; }
    QDateTime time{ QDate(2026, 3, 14), QTime(9, 26, 53) };
};

// Every service replaced, with the record files in memory under a fixed program directory.
class FakeServices {
public:
    explicit FakeServices(const QString& programDirectory = QStringLiteral("/quizmark"));
    platform::Services& services() { return m_services; }

    FakeRecordFileSystem recordFiles;
    platform::FileTable files { recordFiles };
    MemorySettingsStore settings;
    ScriptedMessageBoxes messages;
    ScriptedRandom random;
    RecordingWebBrowser web;
    FakeProgramLauncher programs;
    platform::FixedDirectory programDirectory;
    ScriptedWait wait;
    FakePrinter printer;
    FakeRegistry registry;
    FixedClock clock;

private:
    platform::Services m_services;
};

}
