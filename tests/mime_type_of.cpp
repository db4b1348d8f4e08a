// Prints the MIME type that Qt's MIME database gives each file named on the command line, one a line.
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv) {
    const QMimeDatabase database;
    for (int i = 1; i < argc; ++i)
        std::printf("%s\n", qPrintable(database.mimeTypeForFile(QString::fromLocal8Bit(argv[i])).name()));
}
