#include "bankcommandline.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quizmark-bank"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return quizmark::BankCommandLine(out, err).run(QCoreApplication::arguments());
}
