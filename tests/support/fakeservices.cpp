#include "fakeservices.h"

#include <QTextDocument>

#include <stdexcept>

namespace testing_support {

void MemorySettingsStore::SaveSetting(const QString& application, const QString& section, const QString& key,
    const QString& value)
{
    values.insert(application + u'/' + section + u'/' + key, value);
    ++writes;
}

QString MemorySettingsStore::GetSetting(const QString& application, const QString& section, const QString& key,
                                        const QString& defaultValue) const
{
    return values.value(application + u'/' + section + u'/' + key, defaultValue);
}

int ScriptedMessageBoxes::MsgBox(const QString& prompt, int buttons, const QString& title)
{
    return MsgBoxWithLine(prompt, {}, buttons, title);
}

int ScriptedMessageBoxes::MsgBoxChoice(const QString& prompt, const QStringList& buttons, int defaultButton,
                                       int cancelButton, const QString& title)
{
    (void)cancelButton;
    return show({ prompt, -1, title, buttons.join(u'|') }, defaultButton);
}

int ScriptedMessageBoxes::show(Shown box, int unscriptedAnswer)
{
    shown.push_back(std::move(box));
    if (!duringNext.empty()) {
        auto action = std::move(duringNext.front());
        duringNext.pop_front();
        action();
    }
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return unscriptedAnswer;
}

int ScriptedMessageBoxes::MsgBoxWithLine(const QString& prompt, const QString& line, int buttons, const QString& title)
{
    return show({ prompt, buttons, title, line },
                (buttons & 0x0F) == platform::MsgBoxStyle::YesNo ? platform::MsgBoxResult::Yes
                                                                 : platform::MsgBoxResult::OK);
}

ScriptedRandom::result_type ScriptedRandom::next()
{
    if (!values.empty()) {
        const result_type value = values.front();
        values.pop_front();
        return value;
    }
    m_state = m_state * 1664525u + 1013904223u;
    return m_state;
}

bool FakeProgramLauncher::Shell(const QString& program, const QStringList& arguments)
{
    started.append((QStringList { program } + arguments).join(u' '));
    return startSucceeds;
}

void ScriptedWait::waitUntil(const std::function<bool()>& done)
{
    ++waits;
    while (!done()) {
        if (actions.empty())
            throw std::logic_error("ScriptedWait: the script ran out before the wait ended");
        auto action = std::move(actions.front());
        actions.pop_front();
        action();
    }
}

bool FakePrinter::print(const QImage& image)
{
    if (printSucceeds)
        printed.push_back(image);
    return printSucceeds;
}

bool FakePrinter::saveAsPdf(const QImage&, const QString& path)
{
    savedPdfs.append(path);
    return true;
}

bool FakePrinter::saveDocumentAsPdf(const QTextDocument& document, const QString& path, QString& failure)
{
    if (documentSaveSucceeds)
        savedDocuments.push_back(
            { path, document.metaInformation(QTextDocument::DocumentTitle), document.toPlainText() });
    else
        failure = QStringLiteral("cannot write %1: Permission denied").arg(path);
    return documentSaveSucceeds;
}

QString FakePrinter::choosePdfPath(const QString& suggestedName, const QString& title)
{
    suggestedNames.append(suggestedName);
    dialogTitles.append(title);
    return pdfPath;
}

long FakeRegistry::openKey(Key root, const QString& name, std::uint32_t, Key& opened)
{
    if (root != LocalMachine || !keys.contains(name))
        return FileNotFound;
    opened = m_next++;
    m_handles[opened] = name;
    ++openKeys;
    return Success;
}

long FakeRegistry::queryValue(Key key, const QString& valueName, std::uint32_t& type, QByteArray& data,
    int capacity)
{
    const auto handle = m_handles.find(key);
    if (handle == m_handles.end())
        return 6; // the system's "invalid handle"
    const auto& values = keys.at(handle->second);
    const auto value = values.find(valueName);
    if (value == values.end())
        return FileNotFound;
    type = value->second.type;
    data = value->second.data.left(capacity);
    return Success;
}

long FakeRegistry::closeKey(Key key)
{
    if (m_handles.erase(key) == 1)
        --openKeys;
    return Success;
}

FakeServices::FakeServices(const QString& directory)
    : programDirectory(directory)
    , m_services{ files, settings, messages, random, web, programs, programDirectory, wait, printer, registry, clock }
{
}

}
