#pragma once
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

// A document as the office suite reads it, for the tests, core tests included
// (header only). Needs LibreOffice (scripts/test.sh installs it).
namespace opusteca::test {

inline QString officeProgram() { return QStandardPaths::findExecutable(QStringLiteral("soffice")); }

// Converts `input` with the office suite (`filter` as --convert-to takes it)
// into workDir/converted, with a profile of its own under workDir so that no
// other office instance is joined or disturbed. The converted file's text as
// UTF-8; empty when the conversion failed.
inline QString officeConvert(const QString &input, const QString &filter, const QString &extension,
                             const QString &workDir)
{
    const QString out = QDir(workDir).filePath(QStringLiteral("converted"));
    QDir().mkpath(out);
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    const QString profile = QUrl::fromLocalFile(QDir(workDir).filePath(QStringLiteral("profile"))).toString();
    p.start(officeProgram(), {QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--headless"),
                              QStringLiteral("--norestore"), QStringLiteral("--convert-to"), filter,
                              QStringLiteral("--outdir"), out, input});
    if (!p.waitForFinished(50000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    QFile f(QDir(out).filePath(QFileInfo(input).completeBaseName() + QLatin1Char('.') + extension));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The paragraphs of a word-processor document as plain text: one per line,
// without the byte-order mark and the empty lines at the end.
inline QStringList officeParagraphs(const QString &document, const QString &workDir)
{
    const QString text =
        officeConvert(document, QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("txt"), workDir);
    QStringList paragraphs = text.split(QRegularExpression(QStringLiteral("\r?\n")));
    if (!paragraphs.isEmpty() && paragraphs.first().startsWith(QChar(0xFEFF))) paragraphs.first().remove(0, 1);
    while (!paragraphs.isEmpty() && paragraphs.last().isEmpty()) paragraphs.removeLast();
    return paragraphs;
}

} // namespace opusteca::test
