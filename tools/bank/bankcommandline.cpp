#include "bankcommandline.h"

#include "bankbuilder.h"
#include "bankchecker.h"
#include "bankdumper.h"
#include "banksource.h"
#include "catalogueedit.h"
#include "examexporter.h"
#include "historylister.h"
#include "progressline.h"

#include "platform/filewrite.h"
#include "platform/filewriteset.h"
#include "platform/folderlock.h"

#include <QDir>
#include <QFileInfo>

namespace quizmark {

namespace {
const QString ToolName = QStringLiteral("quizmark-bank");
const QString DirectoryOperand = QStringLiteral("DIR");
const QString DirectoryHelp = QStringLiteral("The data directory, holding index.dat; the program's own when left out.");
const QStringList SourceSuffixes = { QStringLiteral("json"),  QStringLiteral("gift"), QStringLiteral("xml"),
                                     QStringLiteral("aiken"), QStringLiteral("txt"),  QStringLiteral("csv") };

// A source is a file, or a name with a source's ending that is no directory.
bool looksLikeSource(const QString& operand)
{
    const QFileInfo info(operand);
    return info.isFile() || (!info.isDir() && SourceSuffixes.contains(info.suffix(), Qt::CaseInsensitive));
}
} // namespace

BankCommandLine::BankCommandLine(QTextStream& out, QTextStream& err, QString defaultDirectory)
    : m_out(out)
    , m_err(err)
    , m_defaultDirectory(std::move(defaultDirectory))
{
}

int BankCommandLine::run(const QStringList& arguments)
{
    const QString command = arguments.value(1);
    if (command == u"build")
        return build(arguments);
    if (command == u"add")
        return add(arguments);
    if (command == u"remove")
        return remove(arguments);
    if (command == u"export")
        return exportExam(arguments);
    if (command == u"dump")
        return dump(arguments);
    if (command == u"check")
        return check(arguments);
    if (command == u"history")
        return history(arguments);
    if (command == u"--help" || command == u"-h" || command == u"help") {
        m_out << toolHelp();
        return Success;
    }
    m_err << (command.isEmpty() ? QStringLiteral("No command given.\n")
                                : QStringLiteral("Unknown command \"%1\".\n").arg(command))
          << toolHelp();
    return Unusable;
}

QString BankCommandLine::toolHelp() const
{
    return QStringLiteral("Usage: quizmark-bank COMMAND [options]\n"
                          "Writes, prints and checks the exam catalogue, the question banks and the score history.\n"
                          "\n"
                          "Commands:\n"
                          "  build SOURCE... -o DIR        Write DIR/index.dat and one bank file per exam.\n"
                          "  add [DIR] SOURCE...          Add exams after those in DIR, with their banks.\n"
                          "  remove [DIR] EXAM            Remove one exam, by number or name, and its bank.\n"
                          "  export [DIR] EXAM --format F Write one exam as json, gift, moodle-xml, aiken or csv.\n"
                          "  dump [DIR]                   Print the catalogue and its banks as JSON.\n"
                          "  check [DIR]                  List every problem a candidate would meet.\n"
                          "  history [DIR]                List the attempts in DIR/results.dat.\n"
                          "\n"
                          "Sources: JSON (.json), GIFT (.gift), Moodle XML (.xml), Aiken (.aiken) and CSV (.csv).\n"
                          "Without DIR, a command works on the program's own data directory.\n"
                          "quizmark-bank COMMAND --help describes one command.\n");
}

QString BankCommandLine::commandHelp(const QCommandLineParser& parser)
{
    // The parser names the program by the path it was started from; the usage reads better by name.
    static const QString usage = QStringLiteral("Usage: ");
    QString text = parser.helpText();
    const qsizetype end = text.indexOf(QStringLiteral(" [options]"));
    if (text.startsWith(usage) && end > 0)
        text.replace(usage.size(), end - usage.size(), ToolName);
    return text;
}

std::optional<int> BankCommandLine::parse(QCommandLineParser& parser, const QStringList& arguments, qsizetype operands,
                                          bool moreOperands, bool directoryFirst)
{
    const QCommandLineOption help = parser.addHelpOption();
    if (!parser.parse(arguments)) {
        m_err << parser.errorText() << u'\n' << commandHelp(parser);
        return Unusable;
    }
    if (parser.isSet(help)) {
        m_out << commandHelp(parser);
        return Success;
    }
    // The first positional argument is the command itself.
    m_operands = parser.positionalArguments().mid(1);
    if (directoryFirst && !m_defaultDirectory.isEmpty() && leavesOutDirectory(operands, moreOperands))
        m_operands.prepend(m_defaultDirectory);
    const qsizetype given = m_operands.size();
    if (given < operands || (!moreOperands && given > operands)) {
        m_err << QStringLiteral("Wrong number of arguments.\n") << commandHelp(parser);
        return Unusable;
    }
    return std::nullopt;
}

bool BankCommandLine::leavesOutDirectory(qsizetype operands, bool moreOperands) const
{
    if (!moreOperands)
        return m_operands.size() == operands - 1;
    return !m_operands.isEmpty() && looksLikeSource(m_operands.first());
}

int BankCommandLine::build(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Checks the exams of the sources against every limit of the record formats and writes\n"
                       "DIR/index.dat and one bank file per exam, with the questions' domains in BANK.domains beside\n"
                       "a bank that has any. The exams of several sources follow one another in the catalogue.\n"
                       "Nothing is written when anything is refused."));
    parser.addPositionalArgument(QStringLiteral("build"), QStringLiteral("The command."));
    parser.addPositionalArgument(QStringLiteral("SOURCE"), QStringLiteral("Exam sources, in catalogue order."),
                                 QStringLiteral("SOURCE..."));
    const QCommandLineOption output({ QStringLiteral("o"), QStringLiteral("output") },
                                    QStringLiteral("The data directory to write; created when missing."),
                                    DirectoryOperand);
    parser.addOption(output);
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     QStringLiteral("Replace files in DIR that no exam of its catalogue names."));
    parser.addOption(replace);
    addSourceOptions(parser);
    if (const auto answered = parse(parser, arguments, 1, true))
        return *answered;
    if (!parser.isSet(output)) {
        m_err << QStringLiteral("build needs -o DIR.\n") << commandHelp(parser);
        return Unusable;
    }

    const auto exams = readSources(parser, 0);
    if (!exams)
        return Problems;
    const QString directory = parser.value(output);
    if (!QDir().mkpath(directory)) {
        m_err << QStringLiteral("cannot create the directory %1\n").arg(directory);
        return Problems;
    }
    platform::FolderLock lock(directory);
    if (!settle(directory, lock))
        return Unusable;
    if (!parser.isSet(replace) && !report(CatalogueEdit::strangersReplaced(DataDirectory(directory), *exams)))
        return Problems;
    QString error;
    BankBuilder builder(*exams);
    builder.stopAfterRenames(m_stopAfterRenames);
    if (!builder.write(directory, &error)) {
        m_err << error << QStringLiteral("\nNothing written.\n");
        return Problems;
    }
    return Success;
}

int BankCommandLine::add(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Adds the exams of the sources after the exams in DIR and writes their banks; DIR is created when\n"
        "missing. An exam whose bank name DIR already uses is refused, or replaced in its place with\n"
        "--replace. Nothing is written when anything is refused."));
    parser.addPositionalArgument(QStringLiteral("add"), QStringLiteral("The command."));
    parser.addPositionalArgument(DirectoryOperand, QStringLiteral("The data directory to add to."));
    parser.addPositionalArgument(QStringLiteral("SOURCE"), QStringLiteral("Exam sources, in catalogue order."),
                                 QStringLiteral("SOURCE..."));
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     QStringLiteral("Replace the exam that holds a bank name, in its place."));
    parser.addOption(replace);
    addSourceOptions(parser);
    if (const auto answered = parse(parser, arguments, 2, true, true))
        return *answered;

    const auto exams = readSources(parser, 1);
    if (!exams)
        return Problems;
    if (!QDir().mkpath(m_operands.first())) {
        m_err << QStringLiteral("cannot create the directory %1\n").arg(m_operands.first());
        return Problems;
    }
    platform::FolderLock lock(m_operands.first());
    if (!settle(m_operands.first(), lock))
        return Unusable;
    CatalogueEdit edit(directoryOperand());
    edit.stopAfterRenames(m_stopAfterRenames);
    if (!edit.load() || !edit.add(*exams, parser.isSet(replace)) || !edit.write()) {
        report(edit.errors());
        return Problems;
    }
    for (const QString& note : edit.notes())
        m_out << note << u'\n';
    return Success;
}

int BankCommandLine::remove(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Removes one exam, by number or name, from the catalogue of DIR, and its bank file and its domains\n"
        "unless another exam names the bank. The exams after it move up one place, while the score history\n"
        "keeps the numbers they had: its attempts at later exams then count for the exam before."));
    parser.addPositionalArgument(QStringLiteral("remove"), QStringLiteral("The command."));
    parser.addPositionalArgument(DirectoryOperand, DirectoryHelp);
    parser.addPositionalArgument(QStringLiteral("EXAM"), QStringLiteral("The exam's number (from 1) or name."));
    if (const auto answered = parse(parser, arguments, 2, false, true))
        return *answered;

    platform::FolderLock lock(m_operands.first());
    if (!settle(m_operands.first(), lock))
        return Unusable;
    CatalogueEdit edit(directoryOperand());
    edit.stopAfterRenames(m_stopAfterRenames);
    if (!edit.load() || !edit.remove(m_operands.at(1)) || !edit.write()) {
        report(edit.errors());
        return Problems;
    }
    for (const QString& note : edit.notes())
        m_out << note << u'\n';
    return Success;
}

void BankCommandLine::addSourceOptions(QCommandLineParser& parser)
{
    parser.addOptions({
        { QStringLiteral("format"), QStringLiteral("Read every source as json, gift, moodle-xml, aiken or csv."),
          QStringLiteral("FORMAT") },
        { QStringLiteral("name"), QStringLiteral("The exam name, over what a GIFT, XML, Aiken or CSV source says."),
          QStringLiteral("NAME") },
        { QStringLiteral("bank"), QStringLiteral("The bank file, over what a GIFT, XML, Aiken or CSV source says."),
          QStringLiteral("FILE") },
        { QStringLiteral("description"),
          QStringLiteral("The description, over what a GIFT, XML, Aiken or CSV source says."), QStringLiteral("TEXT") },
        { QStringLiteral("skip-unfit"), QStringLiteral("Leave out, and list, the questions that cannot be records.") },
    });
}

std::optional<QList<BankExam>> BankCommandLine::readSources(const QCommandLineParser& parser, qsizetype first)
{
    SourceOptions options;
    options.format = parser.value(QStringLiteral("format"));
    options.name = parser.value(QStringLiteral("name"));
    options.bank = parser.value(QStringLiteral("bank"));
    options.description = parser.value(QStringLiteral("description"));
    options.skipUnfit = parser.isSet(QStringLiteral("skip-unfit"));
    BankSource source;
    const QStringList paths = m_operands.mid(first);
    qint64 total = 0;
    for (const QString& path : paths)
        total += QFileInfo(path).size();
    {
        ProgressLine progress(QStringLiteral("reading"), total, QStringLiteral("bytes"));
        for (const QString& path : paths) {
            source.read(path, options);
            progress.advanceBy(QFileInfo(path).size());
        }
    }
    for (const QString& warning : source.warnings())
        m_err << QStringLiteral("warning: ") << warning << u'\n';
    // Listed also when the exam they leave empty is refused, so the reason shows.
    for (const QString& question : source.leftOut())
        m_err << QStringLiteral("left out: ") << question << u'\n';
    if (!report(source.errors()))
        return std::nullopt;
    return source.exams();
}

DataDirectory BankCommandLine::directoryOperand() const
{
    return DataDirectory(m_operands.first());
}

bool BankCommandLine::settle(const QString& directory, platform::FolderLock& lock)
{
    // A folder the user cannot write takes no lock, and has nothing of this user's to finish.
    if (!lock.lock()) {
        if (!lock.isHeldElsewhere())
            return true;
        m_err << QStringLiteral("%1 is in use by another quizmark-bank command or quizmark's first start; "
                                "try again when it is done.\n")
                     .arg(directory);
        return false;
    }
    QString error;
    if (!platform::FileWriteSet::finishPending(directory, &error)) {
        m_err << error << u'\n';
        return false;
    }
    return true;
}

bool BankCommandLine::writeOutput(const QString& path, const std::function<bool(QTextStream&)>& print)
{
    // Standard output is the caller's stream, which the process checks once everything is printed.
    if (path.isEmpty() || path == u"-")
        return print(m_out);
    platform::FileWrite file(path);
    if (file.open()) {
        QTextStream stream(file.device());
        // Nothing printed replaces nothing: the temporary goes with the file object.
        if (!print(stream))
            return false;
        stream.flush();
        if (file.commit())
            return true;
    }
    m_err << file.errorString() << u'\n';
    return false;
}

bool BankCommandLine::report(const QStringList& errors)
{
    if (errors.isEmpty())
        return true;
    for (const QString& error : errors)
        m_err << error << u'\n';
    m_err << QStringLiteral("Nothing written.\n");
    return false;
}

int BankCommandLine::exportExam(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes one exam of DIR, with every whole record of its bank, in a format another program imports\n"
        "as it stands. The export is read back first: a format that would not give back the same records\n"
        "is refused. Aiken holds only questions with one correct option, and no explanations."));
    parser.addPositionalArgument(QStringLiteral("export"), QStringLiteral("The command."));
    parser.addPositionalArgument(DirectoryOperand, DirectoryHelp);
    parser.addPositionalArgument(QStringLiteral("EXAM"), QStringLiteral("The exam's number (from 1) or name."));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("json, gift, moodle-xml, aiken or csv."),
                                    QStringLiteral("FORMAT"));
    const QCommandLineOption output({ QStringLiteral("o"), QStringLiteral("output") },
                                    QStringLiteral("The file to write; standard output without it."),
                                    QStringLiteral("FILE"));
    parser.addOptions({ format, output });
    if (const auto answered = parse(parser, arguments, 2, false, true))
        return *answered;
    if (!ExamExporter::Formats.contains(parser.value(format))) {
        m_err << QStringLiteral("export needs --format %1.\n").arg(ExamExporter::Formats.join(u'|'))
              << commandHelp(parser);
        return Unusable;
    }

    platform::FolderLock lock(m_operands.first());
    if (!settle(m_operands.first(), lock))
        return Unusable;
    ExamExporter exporter(directoryOperand());
    const auto exam = exporter.load(m_operands.at(1));
    const auto bytes = exam ? exporter.write(*exam, parser.value(format)) : std::nullopt;
    if (!bytes) {
        m_err << exporter.failure() << u'\n';
        return Problems;
    }
    for (const QString& note : exporter.notes())
        m_err << note << u'\n';
    const bool written = writeOutput(parser.value(output), [&](QTextStream& out) {
        out << QString::fromUtf8(*bytes);
        return true;
    });
    return written ? Success : Problems;
}

int BankCommandLine::dump(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints the catalogue of DIR and every bank it names as JSON in the source format of build.\n"
        "Texts lose their trailing blanks; \"correct\" lists the stored elements, trailing zeros dropped."));
    parser.addPositionalArgument(QStringLiteral("dump"), QStringLiteral("The command."));
    parser.addPositionalArgument(DirectoryOperand, DirectoryHelp);
    const QCommandLineOption output({ QStringLiteral("o"), QStringLiteral("output") },
                                    QStringLiteral("The file to write; standard output without it."),
                                    QStringLiteral("FILE"));
    parser.addOption(output);
    if (const auto answered = parse(parser, arguments, 1, false, true))
        return *answered;

    platform::FolderLock lock(m_operands.first());
    if (!settle(m_operands.first(), lock))
        return Unusable;
    BankDumper dumper{ directoryOperand() };
    bool dumped = false;
    const bool written = writeOutput(parser.value(output), [&](QTextStream& out) { return dumped = dumper.dump(out); });
    for (const QString& warning : dumper.warnings())
        m_err << warning << u'\n';
    if (!dumped)
        return Unusable;
    if (!written)
        return Problems;
    return dumper.warnings().isEmpty() ? Success : Problems;
}

int BankCommandLine::check(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reads DIR as the program does and lists, one line each, every problem a candidate would meet.\n"
                       "Exit status 0 when clean, 1 when problems were found, 2 when DIR could not be read."));
    parser.addPositionalArgument(QStringLiteral("check"), QStringLiteral("The command."));
    parser.addPositionalArgument(DirectoryOperand, DirectoryHelp);
    if (const auto answered = parse(parser, arguments, 1, false, true))
        return *answered;

    platform::FolderLock lock(m_operands.first());
    if (!settle(m_operands.first(), lock))
        return Unusable;
    BankChecker checker{ directoryOperand() };
    const auto findings = checker.check();
    if (!findings) {
        m_err << checker.failure() << u'\n';
        return Unusable;
    }
    for (const QString& finding : *findings)
        m_out << finding << u'\n';
    return findings->isEmpty() ? Success : Problems;
}

int BankCommandLine::history(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists DIR/results.dat, one tab-separated line per attempt: record number, exam number,\n"
                       "exam name, maximum score, score, pass mark, Pass or Fail."));
    parser.addPositionalArgument(QStringLiteral("history"), QStringLiteral("The command."));
    parser.addPositionalArgument(DirectoryOperand, QStringLiteral("The data directory, holding results.dat."));
    if (const auto answered = parse(parser, arguments, 1, false, true))
        return *answered;

    platform::FolderLock lock(m_operands.first());
    if (!settle(m_operands.first(), lock))
        return Unusable;
    HistoryLister lister{ directoryOperand() };
    const auto lines = lister.lines();
    if (!lines) {
        m_err << lister.failure() << u'\n';
        return Unusable;
    }
    for (const QString& line : *lines)
        m_out << line << u'\n';
    return Success;
}

} // namespace quizmark
