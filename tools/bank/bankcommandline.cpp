#include "bankcommandline.h"

#include "bankbuilder.h"
#include "bankchecker.h"
#include "bankdumper.h"
#include "banksource.h"
#include "historylister.h"

namespace quizmark {

namespace {
const QString ToolName = QStringLiteral("quizmark-bank");
const QString DirectoryOperand = QStringLiteral("DIR");
const QString DirectoryHelp = QStringLiteral("The data directory, holding index.dat.");
} // namespace

BankCommandLine::BankCommandLine(QTextStream& out, QTextStream& err)
    : m_out(out)
    , m_err(err)
{
}

int BankCommandLine::run(const QStringList& arguments)
{
    const QString command = arguments.value(1);
    if (command == u"build")
        return build(arguments);
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
                          "  build SOURCE.json... -o DIR  Write DIR/index.dat and one bank file per exam.\n"
                          "  dump DIR                     Print the catalogue and its banks as JSON.\n"
                          "  check DIR                    List every problem a candidate would meet.\n"
                          "  history DIR                  List the attempts in DIR/results.dat.\n"
                          "\n"
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
                                          bool moreOperands)
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
    const qsizetype given = parser.positionalArguments().size() - 1;
    if (given < operands || (!moreOperands && given > operands)) {
        m_err << QStringLiteral("Wrong number of arguments.\n") << commandHelp(parser);
        return Unusable;
    }
    return std::nullopt;
}

int BankCommandLine::build(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Checks the exams of the JSON sources against every limit of the record formats and writes\n"
                       "DIR/index.dat and one bank file per exam. The exams of several sources follow one another\n"
                       "in the catalogue. Nothing is written when anything is refused."));
    parser.addPositionalArgument(QStringLiteral("build"), QStringLiteral("The command."));
    parser.addPositionalArgument(QStringLiteral("SOURCE.json"), QStringLiteral("Exam sources, in catalogue order."),
                                 QStringLiteral("SOURCE.json..."));
    const QCommandLineOption output({ QStringLiteral("o"), QStringLiteral("output") },
                                    QStringLiteral("The data directory to write; created when missing."),
                                    DirectoryOperand);
    parser.addOption(output);
    if (const auto answered = parse(parser, arguments, 1, true))
        return *answered;
    if (!parser.isSet(output)) {
        m_err << QStringLiteral("build needs -o DIR.\n") << commandHelp(parser);
        return Unusable;
    }

    BankSource source;
    for (const QString& path : parser.positionalArguments().mid(1))
        source.read(path);
    if (!source.errors().isEmpty()) {
        for (const QString& error : source.errors())
            m_err << error << u'\n';
        m_err << QStringLiteral("Nothing written.\n");
        return Problems;
    }
    QString error;
    if (!BankBuilder(source.exams()).write(parser.value(output), &error)) {
        m_err << error << u'\n';
        return Problems;
    }
    return Success;
}

int BankCommandLine::dump(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints the catalogue of DIR and every bank it names as JSON in the source format of build.\n"
        "Texts lose their trailing blanks; \"correct\" lists the stored elements, trailing zeros dropped."));
    parser.addPositionalArgument(QStringLiteral("dump"), QStringLiteral("The command."));
    parser.addPositionalArgument(DirectoryOperand, DirectoryHelp);
    if (const auto answered = parse(parser, arguments, 1))
        return *answered;

    BankDumper dumper{ DataDirectory(parser.positionalArguments().at(1)) };
    const bool dumped = dumper.dump(m_out);
    for (const QString& warning : dumper.warnings())
        m_err << warning << u'\n';
    if (!dumped)
        return Unusable;
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
    if (const auto answered = parse(parser, arguments, 1))
        return *answered;

    BankChecker checker{ DataDirectory(parser.positionalArguments().at(1)) };
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
    if (const auto answered = parse(parser, arguments, 1))
        return *answered;

    HistoryLister lister{ DataDirectory(parser.positionalArguments().at(1)) };
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
