#pragma once

#include "cli/Cli.h"

#include <QBuffer>

// What the command line did: its exit code, its two streams and the files of each window it opened.
struct Outcome {
    int exitCode;
    QByteArray output;
    QByteArray errors;
    QStringList windows;
};

// Runs the command line on Input as standard input, noting each window it would open instead.
inline Outcome runCli(const QStringList& arguments, const QByteArray& input = {}) {
    QByteArray inputBytes = input;
    QBuffer in(&inputBytes);
    QBuffer out;
    QBuffer err;
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    QStringList windows;
    const auto openWindow = [&windows](const QString& fileName) {
        windows.append(fileName);
        return 0;
    };
    const int exitCode = cli::run(arguments, in, out, err, openWindow);
    return {exitCode, out.data(), err.data(), windows};
}
