#pragma once

// Runs the command line on given arguments and streams, and writes files for it, in a fresh folder.

#include "cli/Cli.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

struct Outcome {
    int exitCode;
    QByteArray output;
    QByteArray errors;
    bool operator==(const Outcome&) const = default;
};

inline Outcome runCli(const QStringList& arguments, const QByteArray& input = {}) {
    QByteArray inputBytes = input;
    QBuffer in(&inputBytes);
    QBuffer out;
    QBuffer err;
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int exitCode = cli::run(arguments, in, out, err);
    return {exitCode, out.data(), err.data()};
}

inline QByteArray fileBytes(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
