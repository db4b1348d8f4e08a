#pragma once

#include "cli/Cli.h"
#include "common/Files.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// What the command line did: its exit code, its two streams and the files of each window it opened.
struct Outcome {
    int exitCode;
    QByteArray output;
    QByteArray errors;
    QStringList windows;
    bool operator==(const Outcome&) const = default;
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

// Writes the files a command line works on into a fresh folder.
class CliTest : public testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir folder;
};
